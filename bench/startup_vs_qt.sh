#!/bin/sh
# Start-up to the first picture: valedit-demo --screenshot against qt_form
# --screenshot (the same labels, edits and panels from the demo's form file in
# Qt Widgets), both painting once offscreen to a PNG file and quitting. Runs
# alternate so both see the same machine state; prints each median and spread
# (min..max) in milliseconds, the ratio of medians, and the load.
# usage: bench/startup_vs_qt.sh BUILD_DIR [RUNS]   (needs python3)
set -eu
BUILD=${1:?usage: startup_vs_qt.sh BUILD_DIR [RUNS]}
RUNS=${2:-31}
DEMO=$BUILD/apps/demo/valedit-demo
QT=$BUILD/bench/qt_compare/form/qt_form
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$OUT
time_once() { # prints microseconds of one run of "$@"
  S=$(date +%s%N); "$@" > /dev/null 2>&1; E=$(date +%s%N); echo $(((E - S) / 1000)); }
"$DEMO" --screenshot "$OUT/w.png" > /dev/null 2>&1 # warm the file cache
"$QT" --screenshot "$OUT/w.png" > /dev/null 2>&1
i=0
while [ $i -lt "$RUNS" ]; do
  time_once "$DEMO" --screenshot "$OUT/d.png" >> "$OUT/demo.txt"
  time_once "$QT" --screenshot "$OUT/q.png" >> "$OUT/qt.txt"
  i=$((i + 1))
done
python3 - "$OUT/demo.txt" "$OUT/qt.txt" <<'PY'
import statistics, sys
d = [int(x) / 1000 for x in open(sys.argv[1])]
q = [int(x) / 1000 for x in open(sys.argv[2])]
for name, v in (("demo", d), ("qt_form", q)):
    print(f"{name:8} median {statistics.median(v):7.2f} ms  spread {min(v):.2f}..{max(v):.2f} ms  runs {len(v)}")
print(f"ratio demo/qt (medians) {statistics.median(d) / statistics.median(q):.3f}")
PY
echo "load: $(uptime)"
