#!/bin/sh
# Edit+Post on an SQLite table while another process writes to the same
# disk, in the rollback journal's mode (each commit waits for the disk) and
# in WAL mode (each commit waits for the log alone), in one run: the
# writer appends 1 MB blocks to a file beside the database and syncs each.
# Prints db_bench's lines for BM_EditPost and the load.
#
#   bench/post_under_disk_load.sh [build/bench/db_bench] [repetitions]
set -eu
bench=${1:-build/bench/db_bench}
repetitions=${2:-5}
scratch=$(mktemp /tmp/post_under_disk_load.XXXXXX)
writer() {
  while :; do
    dd if=/dev/zero of="$scratch" bs=1M count=64 conv=fsync status=none
  done
}
writer &
writer_pid=$!
trap 'kill $writer_pid 2>/dev/null; wait $writer_pid 2>/dev/null; rm -f "$scratch"' EXIT
uptime
"$bench" --benchmark_filter='BM_EditPost/1000000' --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_min_time=0.5 |
  grep -E '^(BM_|Benchmark)'
uptime
