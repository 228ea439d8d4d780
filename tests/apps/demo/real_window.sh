#!/bin/sh
# Plays the demo's tour in a real X window: the same script the headless
# test plays, with its waits, and its pictures taken from the screen. Run it
# under xvfb-run.
#   real_window.sh PROGRAM TOUR OUTDIR SCREEN (the screen's size, 800x600)
set -eu
PROGRAM=$1
TOUR=$2
OUT=$3
SCREEN=$4
rm -rf "$OUT"
mkdir -p "$OUT"
cd "$OUT"
# The sanitizer build's leak check leaves the window system's libraries out.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/../../calform/window/lsan.supp"
export LSAN_OPTIONS
fail() {
  echo "real_window: $1" >&2
  cat log.txt >&2
  exit 1
}
# The tests run with the offscreen platform; this one needs the X display.
QT_QPA_PLATFORM=xcb timeout 120 "$PROGRAM" --script "$TOUR" > log.txt 2>&1 || fail "the tour failed"
grep -q '^script done$' log.txt || fail "the tour did not finish"
# The width and height of a PNG file, from its header.
size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}
for PICTURE in start refused-exit calendar refused-exit-file; do
  [ -s "$PICTURE.png" ] || fail "no $PICTURE.png"
  # A picture of the whole screen, not of the form alone.
  [ "$(size "$PICTURE.png")" = "$SCREEN" ] || fail "$PICTURE.png is not a picture of the screen"
done
