#!/bin/sh
# Drives calform_window in a real X window with real mouse clicks and keys:
# clicks the date edit's calendar button, clicks it again (the modal dialog
# keeps the form behind it from taking input, so no second dialog opens),
# moves the dialog a month on (Page Down) and a day on (Right), captures the
# screen, presses Enter and checks the date written back into the edit
# (EXPECTED). Run it under xvfb-run.
#   real_window.sh PROGRAM OUTDIR EXPECTED
set -eu
PROGRAM=$1
OUT=$2
EXPECTED=$3
TESTS=$(cd "$(dirname "$0")/../.." && pwd)
. "$TESTS/window_session.sh"
start_program "$PROGRAM" "$OUT/calform_window.log"

timeout 20 xdotool search --sync --name '^Date edit$' > /dev/null || fail "no form window"
for _ in $(seq 50); do
  grep -q '^button ' "$LOG" && break
  sleep 0.1
done
set -- $(grep '^button ' "$LOG")
[ $# -eq 3 ] || fail "the program did not say where its button is"
sleep 0.5
xdotool mousemove "$2" "$3" click 1
timeout 20 xdotool search --sync --name '^Select a Date$' > /dev/null || fail "no dialog window"
sleep 0.5
xdotool mousemove "$2" "$3" click 1
sleep 0.5
[ "$(xdotool search --name '^Select a Date$' | wc -l)" -eq 1 ] || fail "a second dialog opened"
xdotool key Next Right
sleep 0.5
xwd -root -silent | convert xwd:- "$OUT/calform_window.png"
xdotool key Return
wait_for_end "after the dialog closed"
grep -q "^picked $EXPECTED\$" "$LOG" || fail "expected 'picked $EXPECTED'"
