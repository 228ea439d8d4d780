#!/bin/sh
# Drives form_widget_window in a real X window with real clicks and keys:
# checks that the form shows whole at first (200 x 40), clicks into the
# form's edit and types a value above its maximum, clicks into the line edit
# after the form (the edit refuses: its error box comes up, is captured and
# answered with Enter, and the keys typed next still reach the edit), types
# an accepted value, leaves the form with Tab, comes back with Shift+Tab,
# leaves again and types "done" into the line edit. Run it under xvfb-run.
#   real_window.sh PROGRAM OUTDIR
set -eu
PROGRAM=$1
OUT=$2
TESTS=$(cd "$(dirname "$0")/../.." && pwd)
. "$TESTS/window_session.sh"
start_program "$PROGRAM" "$OUT/form_widget_window.log"

# The value of NAME's line in the log ("NAME A B" gives "A B").
field() {
  sed -n "s/^$1 //p" "$LOG" | head -n 1
}

timeout 20 xdotool search --sync --name '^Form widget$' > /dev/null || fail "no window"
for _ in $(seq 50); do
  grep -q '^after ' "$LOG" && break
  sleep 0.1
done
set -- $(field form)
[ $# -eq 2 ] || fail "the program did not say how big the form is"
[ "$1" -ge 200 ] && [ "$2" -eq 40 ] || fail "the form shows $1 x $2, not 200 x 40"
EDIT=$(field edit)
AFTER=$(field after)
[ -n "$EDIT" ] && [ -n "$AFTER" ] || fail "the program did not say where its edits are"

xdotool mousemove $EDIT click 1
sleep 0.3
xdotool type 1200
xdotool mousemove $AFTER click 1
timeout 20 xdotool search --sync --name '^Error$' > /dev/null || fail "no error box"
sleep 0.5
xwd -root -silent | convert xwd:- "$OUT/refused.png"
xdotool key Return
sleep 0.5
grep -q '^refused 1200$' "$LOG" || fail "the edit did not refuse 1200"
xdotool key BackSpace BackSpace BackSpace BackSpace
xdotool type 250
xdotool key Tab
sleep 0.3
grep -q '^left 250$' "$LOG" || fail "Tab did not leave the edit with 250"
xdotool key shift+Tab
sleep 0.3
[ "$(tail -n 1 "$LOG")" = "focus form" ] || fail "Shift+Tab did not come back into the form"
xdotool key Tab
sleep 0.3
xwd -root -silent | convert xwd:- "$OUT/left.png"
xdotool type done
wait_for_end "when done was typed"
grep -q '^edit 250$' "$LOG" || fail "expected the edit to hold 250"
# The refused keys and the value typed after the box went to the edit, not
# to the line edit the click was for: the program ended on "done" alone.
[ "$(grep -c '^left ' "$LOG")" -eq 2 ] || fail "expected the edit to be left twice"
