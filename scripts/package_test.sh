#!/usr/bin/env bash
# Uses valedit as another project would: installed into a temporary prefix
# and found with find_package(valedit), added as a subproject with
# add_subdirectory, and (the validators) through pkg-config. Each consumer
# keeps the compiler's default C++ standard and its own build type, then
# runs.
#   scripts/package_test.sh [BUILD_DIR]   (BUILD_DIR: a configured build of this tree)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}
jobs=${JOBS:-$(nproc)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

cmake --install "$build" --prefix "$work/prefix" >/dev/null
pc=$(find "$work/prefix" -name valedit-validate.pc)
if [ -z "$pc" ]; then
  echo "package: valedit-validate.pc is not installed" >&2
  exit 1
fi
if [ -n "$(find "$work/prefix/include" -name testing.h)" ]; then
  echo "package: the test helpers' header is installed" >&2
  exit 1
fi

cmake -S tests/package/installed -B "$work/installed" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/installed" -j "$jobs"
"$work/installed/consumer"

cmake -S tests/package/subproject -B "$work/subproject" -G Ninja \
  -DLIBRARY_SOURCE_DIR="$root" >/dev/null
cmake --build "$work/subproject" -j "$jobs"
"$work/subproject/consumer"
# The validators alone, through pkg-config, as a project without CMake would.
PKG_CONFIG_PATH=$(dirname "$pc") c++ tests/package/subproject/main.cpp -o "$work/pkgconfig_consumer" \
  $(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs valedit-validate)
"$work/pkgconfig_consumer"
echo "package: find_package, add_subdirectory and pkg-config consumers build and run"
