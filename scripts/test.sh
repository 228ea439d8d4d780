#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once in a
# plain build and once under AddressSanitizer and UndefinedBehaviorSanitizer;
# in between, the plain build is installed and used by two small projects of
# their own (scripts/package_test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
# CTest starts and stops each build's PostgreSQL server for its tests; a run
# cut short leaves none behind either.
trap 'for dir in build/pg-server build/pg-server-multiuser build-asan/pg-server; do
  scripts/pg-server.sh stop "$dir"; done' EXIT
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
JOBS=$jobs scripts/package_test.sh build
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVALEDIT_SANITIZE=ON \
  -DVALEDIT_BENCH=OFF -DVALEDIT_APPS=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

# Fuzzing: each libFuzzer target for a minute on its seeds (clang only), a
# smoke run that keeps the whole script within bounds on a small machine (the
# fuzz build is a third, clang build of the libraries); long runs belong to
# scripts/fuzz.sh.
if command -v clang++ >/dev/null 2>&1; then
  for target in $(scripts/fuzz.sh --list); do
    scripts/fuzz.sh "$target" 60
  done
else
  echo "fuzz: skipped, clang++ is not installed (scripts/install-deps.sh installs it)"
fi
