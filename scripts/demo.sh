#!/usr/bin/env bash
# Installs what is missing, builds the demo and starts it: in a window when
# there is a display; without one it paints the form to build/valedit-demo.png.
# Arguments are passed on to the demo (valedit-demo --help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target valedit-demo
demo=build/apps/demo/valedit-demo
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec "$demo" "$@"
fi
picture=$PWD/build/valedit-demo.png
"$demo" --screenshot "$picture" "$@" > /dev/null
echo "No display: the demo's form is painted in $picture"
echo "For pictures of the tour (a refused value, the open calendar), run"
echo "  (mkdir -p build/tour && cd build/tour && ../apps/demo/valedit-demo --script ../../apps/demo/tour.txt)"
