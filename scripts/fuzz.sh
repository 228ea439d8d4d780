#!/usr/bin/env bash
# Builds a libFuzzer target with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it on its seeds for a while.
#
#   scripts/fuzz.sh TARGET SECONDS   e.g. scripts/fuzz.sh picture 600
#   scripts/fuzz.sh --list           the targets (fuzz/*_fuzzer.cpp)
#
# The seeds in fuzz/corpus/TARGET are only read; what the fuzzer adds goes to
# build-fuzz/corpus/TARGET. A finding (crash, leak, timeout, broken check)
# stops the run with a non-zero status and leaves its input in
# build-fuzz/findings/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."

targets() {
  for f in fuzz/*_fuzzer.cpp; do
    basename "$f" _fuzzer.cpp
  done
}

if [ "${1:-}" = --list ]; then
  targets
  exit 0
fi
target=${1:?usage: scripts/fuzz.sh TARGET SECONDS (scripts/fuzz.sh --list for the targets)}
seconds=${2:?usage: scripts/fuzz.sh TARGET SECONDS}
if [ ! -f "fuzz/${target}_fuzzer.cpp" ]; then
  echo "fuzz: no target '$target' (there are: $(targets | tr '\n' ' '))" >&2
  exit 2
fi

build=build-fuzz
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVALEDIT_FUZZ=ON -DVALEDIT_TESTS=OFF -DVALEDIT_BENCH=OFF -DVALEDIT_APPS=OFF >/dev/null
fi
cmake --build "$build" --target "${target}_fuzzer" -j "$(nproc)"

work=$build/corpus/$target
findings=$build/findings/$target
mkdir -p "$work" "$findings" "fuzz/corpus/$target"
echo "fuzz: $target for $seconds s"
"$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$findings/" "$work" "fuzz/corpus/$target"
