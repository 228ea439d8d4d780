#!/usr/bin/env bash
# valcheck side by side with grep on 1,000,000 lines of phone numbers,
# integers and dates, about one line in ten refused. Generates the inputs,
# runs each command several times in one go, alternating the two, and prints
# the median wall-clock and CPU times, the ratios valcheck/grep (valcheck
# with one thread, then with every thread count up to the processors: the
# CPU ratio is the cost per CPU, the wall-clock one shows the scaling), and
# valcheck's peak memory on the whole input and on its first tenth (flat
# memory: the two agree). The machine may be shared: compare the ratios, not
# the absolute times.
#
# Usage: bench/valcheck_vs_grep.sh [VALCHECK] [LINES] [RUNS]
# VALCHECK defaults to build/apps/valcheck/valcheck.
set -euo pipefail
cd "$(dirname "$0")/.."
valcheck=${1:-build/apps/valcheck/valcheck}
lines=${2:-1000000}
runs=${3:-5}
[ -x "$valcheck" ] || { echo "no valcheck at $valcheck (build it first)" >&2; exit 2; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Deterministic inputs: awk's generator with a fixed seed.
awk -v n="$lines" 'BEGIN { srand(1); for (i = 0; i < n; i++) {
  a = int(rand() * 1000); b = int(rand() * 1000); c = int(rand() * 10000)
  if (rand() < 0.1) printf "(%03d) %03d-%03dx\n", a, b, c % 1000
  else printf "(%03d) %03d-%04d\n", a, b, c } }' >"$dir/phones.txt"
awk -v n="$lines" 'BEGIN { srand(2); for (i = 0; i < n; i++) {
  v = int(rand() * 2000000000) - 1000000000
  if (rand() < 0.1) printf "%dx\n", v; else printf "%d\n", v } }' >"$dir/integers.txt"
awk -v n="$lines" 'BEGIN { srand(3); for (i = 0; i < n; i++) {
  m = int(rand() * 12) + 1; d = int(rand() * 31) + 1; y = int(rand() * 200) + 1900
  if (rand() < 0.1) m += 12
  printf "%d/%d/%d\n", m, d, y } }' >"$dir/dates.txt"

# One run: appends "wall cpu" in seconds to the file $1.
timed() {
  local out=$1 TIMEFORMAT='%R %U %S' t wall user sys
  shift
  # Not to /dev/null: grep stops at the first match when it sees that.
  t=$({ time "$@" >"$dir/out" 2>&1; } 2>&1 || true)
  read -r wall user sys <<<"$t"
  awk -v w="$wall" -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f %.3f\n", w, u + s }' >>"$out"
}

# The medians of the runs in file $1: "wall cpu".
medians() {
  local w c
  w=$(cut -d' ' -f1 "$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
  c=$(cut -d' ' -f2 "$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
  echo "$w $c"
}

# Both sides must agree on how many lines are refused where the pattern can
# say it (a regular expression cannot tell 2/30 from 2/28).
count_refused() { "$valcheck" "$@" | wc -l; }

# Peak resident memory in KiB of valcheck on File.
peak_kib() {
  local file=$1
  shift
  /usr/bin/time -f %M -o "$dir/rss" "$valcheck" "$@" "$file" >"$dir/out" 2>&1 || true
  tail -n 1 "$dir/rss"
}

cores=$(nproc)
echo "load: $(uptime | sed 's/.*load average: //'), processors: $cores, runs: $runs (medians)"
printf '%-9s %7s %10s %10s %12s %12s %8s %8s %9s %9s\n' case threads grep_wall grep_cpu \
  valcheck_wall valcheck_cpu ratio_w ratio_c rss_kib rss_10%
run_case() {
  local name=$1 regex=$2 file=$dir/$3
  shift 3
  rm -f "$dir"/times.*
  for ((r = 0; r < runs; r++)); do
    timed "$dir/times.grep" grep -cvE "$regex" "$file"
    for ((t = 1; t <= cores; t++)); do
      timed "$dir/times.$t" "$valcheck" --threads "$t" "$@" "$file"
    done
  done
  local gw gc vw vc rss rss10
  read -r gw gc <<<"$(medians "$dir/times.grep")"
  head -n $((lines / 10)) "$file" >"$dir/tenth.txt"
  rss=$(peak_kib "$file" "$@")
  rss10=$(peak_kib "$dir/tenth.txt" "$@")
  for ((t = 1; t <= cores; t++)); do
    read -r vw vc <<<"$(medians "$dir/times.$t")"
    awk -v n="$name" -v t="$t" -v gw="$gw" -v gc="$gc" -v vw="$vw" -v vc="$vc" -v r="$rss" \
      -v r10="$rss10" 'BEGIN {
      printf "%-9s %7d %10.3f %10.3f %12.3f %12.3f %8.2f %8.2f %9d %9d\n", n, t, gw, gc, vw, vc,
        vw / gw, (gc > 0 ? vc / gc : 0), r, r10 }'
  done
  echo "          refused: grep $(grep -cvE "$regex" "$file"), valcheck $(count_refused "$@" "$file")"
}
run_case phones '^\([0-9]{3}\) [0-9]{3}-[0-9]{4}$' phones.txt --kind picture --picture '(###) ###-####'
run_case integers '^-?[0-9]+$' integers.txt --kind integer
run_case dates '^(1[0-2]|0?[1-9])/(3[01]|[12][0-9]|0?[1-9])/[0-9]{4}$' dates.txt --kind date
