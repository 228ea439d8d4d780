#!/bin/bash
# Runs the ```console blocks of a guide page and checks that each command
# prints what the page shows under it. A line "$ COMMAND" is a command, run
# by bash in a scratch folder with the given programs on the PATH (the
# commands of a page share the folder and run in order, so "echo $?" gives
# the status of the command before); the lines after it, up to the next
# command or the end of the block, are its expected output (standard output
# and standard error together).
#
#   console_examples.sh PAGE.md PROGRAM_DIR...
set -u
page=$(realpath "$1")
shift
for dir in "$@"; do
  PATH="$(realpath "$dir"):$PATH"
done
export PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 2

commands=0
in_block=0
while IFS= read -r line; do
  if [[ $in_block == 0 ]]; then
    [[ $line == '```console' ]] && in_block=1
    continue
  fi
  if [[ $line == '```' ]]; then
    in_block=0
  elif [[ $line == '$ '* ]]; then
    commands=$((commands + 1))
    printf '%s\n' "${line:2}" > "command_$commands"
    printf '{ %s\n} > output_%d 2>&1\n' "${line:2}" "$commands" >> script.sh
    : > "expected_$commands"
  elif [[ $commands -gt 0 ]]; then
    printf '%s\n' "$line" >> "expected_$commands"
  fi
done < "$page"

if [[ $commands == 0 ]]; then
  echo "no console examples in $page"
  exit 2
fi
bash script.sh

wrong=0
for ((i = 1; i <= commands; i++)); do
  if ! cmp -s "expected_$i" "output_$i"; then
    wrong=$((wrong + 1))
    echo "\$ $(cat "command_$i")"
    diff -u --label shown --label printed "expected_$i" "output_$i"
  fi
done
echo "$commands commands, $wrong printed something else than the page shows"
[[ $wrong == 0 ]]
