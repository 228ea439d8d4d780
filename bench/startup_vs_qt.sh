#!/bin/sh
# Start-up to the first picture: valedit-demo --screenshot against qt_form
# --screenshot (the labels, edits, buttons and panels of the demo's form file
# in Qt Widgets), each started afresh, painting once offscreen to a PNG file
# and quitting; a run is timed from the start of the process to its exit.
# The demo's picture holds its window's frame and caption: the peer is
# given its size (--frame) and draws one around its form, so both draw and
# encode pictures of one size. Runs alternate so both see the same machine
# state. Prints, for each, the
# median and spread (min..max) of the wall-clock time and the median CPU
# time (user + system, which a loaded machine disturbs less), in
# milliseconds; the ratios of the medians; and the load.
# usage: bench/startup_vs_qt.sh BUILD_DIR [RUNS]   (needs python3)
# DEMO=... or QT=... run another build of either program in its place.
set -eu
BUILD=${1:?usage: startup_vs_qt.sh BUILD_DIR [RUNS]}
RUNS=${2:-31}
DEMO=${DEMO:-$BUILD/apps/demo/valedit-demo}
QT=${QT:-$BUILD/bench/qt_compare/form/qt_form}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$OUT
python3 - "$DEMO" "$QT" "$RUNS" "$OUT" <<'PY'
import os, statistics, sys, time
demo, qt, runs, out = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]

def once(program, picture, extra=()):
    """Wall-clock and CPU milliseconds of one run of program."""
    null = os.open(os.devnull, os.O_WRONLY)
    start = time.perf_counter()
    pid = os.posix_spawn(program, [program, "--screenshot", picture, *extra], os.environ,
                         file_actions=[(os.POSIX_SPAWN_DUP2, null, 1), (os.POSIX_SPAWN_DUP2, null, 2)])
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    os.close(null)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{program} failed")
    return wall * 1000, (usage.ru_utime + usage.ru_stime) * 1000

once(demo, f"{out}/d.png")  # warms the file cache, and gives the picture's size
with open(f"{out}/d.png", "rb") as png:
    header = png.read(24)
size = f"{int.from_bytes(header[16:20], 'big')}x{int.from_bytes(header[20:24], 'big')}"
programs = (("demo", demo, f"{out}/d.png", ()),
            ("qt_form", qt, f"{out}/q.png", ("--frame", size)))
once(qt, f"{out}/q.png", ("--frame", size))
times = {name: [] for name, _, _, _ in programs}
for _ in range(runs):
    for name, program, picture, extra in programs:
        times[name].append(once(program, picture, extra))
median = {}
for name, _, _, _ in programs:
    wall = [w for w, _ in times[name]]
    cpu = [c for _, c in times[name]]
    median[name] = (statistics.median(wall), statistics.median(cpu))
    print(f"{name:8} wall median {median[name][0]:7.2f} ms  spread {min(wall):.2f}..{max(wall):.2f} ms"
          f"  cpu median {median[name][1]:7.2f} ms  runs {runs}")
print(f"ratio demo/qt (medians) wall {median['demo'][0] / median['qt_form'][0]:.3f}"
      f"  cpu {median['demo'][1] / median['qt_form'][1]:.3f}")
PY
echo "load: $(uptime)"
