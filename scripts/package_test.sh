#!/usr/bin/env bash
# Uses valedit as another project would: installed into a temporary prefix
# and found with find_package(valedit) (a program, and its own test of a
# form with the testing component), added as a subproject with
# add_subdirectory, and (the validators) through pkg-config. Each consumer
# keeps the compiler's default C++ standard and its own build type, then
# runs. The installed programs run from the prefix's bin/ too.
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
# The test helpers come with the testing component, and only with it.
if [ ! -f "$work/prefix/include/valedit/vcl/testing.h" ]; then
  echo "package: the testing component did not install vcl/testing.h" >&2
  exit 1
fi
cmake --install "$build" --prefix "$work/libraries" --component Unspecified >/dev/null
if [ -n "$(find "$work/libraries" -name testing.h -o -name '*testing*.cmake')" ]; then
  echo "package: the test helpers are installed without the testing component" >&2
  exit 1
fi

cmake -S tests/package/installed -B "$work/installed" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/installed" -j "$jobs"
"$work/installed/consumer"
"$work/installed/form_test" --gtest_brief=1

# The validators alone, on a machine without Qt, SQLite and libpq as far
# as CMake can tell: the package neither looks for them nor links them.
cmake -S tests/package/validators -B "$work/validators" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_DISABLE_FIND_PACKAGE_SQLite3=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_PostgreSQL=ON > "$work/validators.log" ||
  { cat "$work/validators.log" >&2; echo "package: a validators-only consumer did not configure" >&2; exit 1; }
cmake --build "$work/validators" -j "$jobs"
"$work/validators/consumer"
# No private header is installed, nor an engine's or Qt's own.
private=$(find "$work/prefix/include/valedit" -path '*/detail/*' -o -name 'sqlite_impl.h' \
  -o -name 'qt_common.h' -o -name 'backend.h' -o -name 'pg_impl.h')
if [ -n "$private" ]; then
  echo "package: private headers are installed: $private" >&2
  exit 1
fi

# The programs, run from the prefix as a user runs them.
bin=$work/prefix/bin
data=$work/prefix/share/valedit
status=0
printf '12\n1200\n' | "$bin/valcheck" --kind integer --min 1 --max 500 > "$work/valcheck.out" ||
  status=$?
if [ "$status" -ne 1 ] || ! grep -q '"1200" is not a valid integer between 1 and 500.' \
  "$work/valcheck.out"; then
  echo "package: bin/valcheck did not refuse 1200 (status $status)" >&2
  exit 1
fi
"$bin/valcheck" --kind picture --picture '(###) ###-####' "$data/samples/phones.txt" \
  > /dev/null || [ $? -eq 1 ]
printf 'object F: TForm\n  object E: TValidEdit\n    Kind = 2\n  end\nend\n' |
  "$bin/forminspect" -c E - | grep -q '^Kind' ||
  { echo "package: bin/forminspect did not list the edit's Kind" >&2; exit 1; }
(cd "$work" && "$bin/valedit-demo" --script "$data/demo/tour.txt" > tour.log) ||
  { echo "package: bin/valedit-demo did not play its tour" >&2; tail "$work/tour.log" >&2; exit 1; }

cmake -S tests/package/subproject -B "$work/subproject" -G Ninja \
  -DLIBRARY_SOURCE_DIR="$root" >/dev/null
cmake --build "$work/subproject" -j "$jobs"
"$work/subproject/consumer"
# The validators alone, through pkg-config, as a project without CMake would.
PKG_CONFIG_PATH=$(dirname "$pc") c++ tests/package/subproject/main.cpp -o "$work/pkgconfig_consumer" \
  $(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs valedit-validate)
"$work/pkgconfig_consumer"
echo "package: find_package (everything, the validators alone, the testing component)," \
  "add_subdirectory and pkg-config consumers build and run; the installed programs run"
