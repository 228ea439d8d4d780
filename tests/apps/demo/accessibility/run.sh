#!/bin/sh
# A program as a screen reader reads it: the program in a real X window with
# Qt's accessibility on, a session D-Bus whose AT-SPI bus starts on demand,
# and an AT-SPI client (client.py) that reads the form and types into it.
# MODE is demo (the default: the demo) or bridge (form_widget_window, a
# form embedded in a Qt Widgets window). Run under xvfb-run. Exits 77
# (skipped) when the accessibility bus or the client's library is missing;
# the program's own failures fail.
#   run.sh PROGRAM OUTDIR [MODE]
set -eu
PROGRAM=$1
OUT=$2
MODE=${3:-demo}
HERE=$(dirname "$0")
PYTHON=/usr/bin/python3 # the system's, which has the AT-SPI binding
mkdir -p "$OUT"
"$PYTHON" -c 'import pyatspi' 2> /dev/null || { echo "skipped: no python3-pyatspi"; exit 77; }
command -v dbus-run-session > /dev/null || { echo "skipped: no dbus-run-session"; exit 77; }
exec dbus-run-session -- "$HERE/session.sh" "$PROGRAM" "$OUT" "$PYTHON" "$MODE"
