#!/usr/bin/env bash
# valcheck side by side with grep on 1,000,000 lines of phone numbers,
# integers and dates, about one line in ten refused. Generates the inputs,
# runs each command several times in one go, and prints the best wall-clock
# and CPU times, the ratios valcheck/grep, and valcheck's peak memory on the
# whole input and on its first tenth (flat memory: the two agree). The
# machine may be shared: compare the ratios, not the absolute times.
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

# Best of $runs: "wall cpu" in seconds.
best() {
  local wall cpu best_wall=999999 best_cpu=999999 TIMEFORMAT='%R %U %S' t
  for ((r = 0; r < runs; r++)); do
    # Not to /dev/null: grep stops at the first match when it sees that.
    t=$({ time "$@" >"$dir/out" 2>&1; } 2>&1 || true)
    read -r wall user sys <<<"$t"
    cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
    best_wall=$(awk -v a="$best_wall" -v b="$wall" 'BEGIN { print (b < a ? b : a) }')
    best_cpu=$(awk -v a="$best_cpu" -v b="$cpu" 'BEGIN { print (b < a ? b : a) }')
  done
  echo "$best_wall $best_cpu"
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

printf '%-9s %10s %10s %12s %12s %8s %8s %9s %9s\n' case grep_wall grep_cpu valcheck_wall \
  valcheck_cpu ratio_w ratio_c rss_kib rss_10%
run_case() {
  local name=$1 regex=$2 file=$dir/$3
  shift 3
  local g v
  g=$(best grep -cvE "$regex" "$file")
  v=$(best "$valcheck" "$@" "$file")
  read -r gw gc <<<"$g"
  read -r vw vc <<<"$v"
  head -n $((lines / 10)) "$file" >"$dir/tenth.txt"
  local rss rss10
  rss=$(peak_kib "$file" "$@")
  rss10=$(peak_kib "$dir/tenth.txt" "$@")
  awk -v n="$name" -v gw="$gw" -v gc="$gc" -v vw="$vw" -v vc="$vc" -v r="$rss" -v r10="$rss10" 'BEGIN {
    printf "%-9s %10.3f %10.3f %12.3f %12.3f %8.2f %8.2f %9d %9d\n", n, gw, gc, vw, vc,
      vw / gw, (gc > 0 ? vc / gc : 0), r, r10 }'
  echo "          refused: grep $(grep -cvE "$regex" "$file"), valcheck $(count_refused "$@" "$file")"
}
run_case phones '^\([0-9]{3}\) [0-9]{3}-[0-9]{4}$' phones.txt --kind picture --picture '(###) ###-####'
run_case integers '^-?[0-9]+$' integers.txt --kind integer
run_case dates '^(1[0-2]|0?[1-9])/(3[01]|[12][0-9]|0?[1-9])/[0-9]{4}$' dates.txt --kind date
