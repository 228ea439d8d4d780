#!/usr/bin/env bash
# Builds valcheck and judges the sample phone numbers with a phone-number
# picture. Some sample lines are wrong on purpose: valcheck then exits with 1,
# which this demo reports as a count of refused lines rather than a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target valcheck

sample=apps/samples/phones.txt
echo "Judging $sample with the picture (###) ###-####:"
status=0
report=$(build/apps/valcheck/valcheck --kind picture --picture '(###) ###-####' "$sample") ||
  status=$?
[[ -n "$report" ]] && printf '%s\n' "$report"
case $status in
0) echo "All $(wc -l <"$sample") lines are valid." ;;
1) echo "$(printf '%s\n' "$report" | grep -c '^[0-9]*: ') of $(wc -l <"$sample") lines were refused." ;;
*) exit "$status" ;;
esac
