#!/bin/sh
# Inside the session bus (run.sh): starts the AT-SPI bus, the program and
# the client; the client's status is the test's.
#   session.sh PROGRAM OUTDIR PYTHON MODE
set -eu
PROGRAM=$1
OUT=$2
PYTHON=$3
MODE=$4
HERE=$(dirname "$0")
# The bus starts when it is first asked for: ask, and skip when it cannot.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  > "$OUT/bus.txt" 2>&1 || { echo "skipped: the AT-SPI bus does not start"; cat "$OUT/bus.txt"; exit 77; }
TESTS=$HERE/../../..
. "$TESTS/window_session.sh"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON
case $MODE in
  bridge) TITLE='Form widget' ;;
  *) TITLE='Customer order' ;;
esac
start_program "$PROGRAM" "$OUT/$MODE.txt"
timeout 20 xdotool search --sync --name "^$TITLE\$" > /dev/null || fail "no window '$TITLE'"
timeout 90 "$PYTHON" "$HERE/client.py" "$MODE" || fail "the screen reader's view is wrong"
