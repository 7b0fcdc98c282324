#!/bin/bash
# Random clicks, drags and keys on a copy of the content tree; the sanitizers end the run
# with an error on any fault or leak. Afterwards the scrapbook must still load.
# usage: monkey.sh TALEWICK_DRIVE CONTENT_DIR EVENTS SEED
set -euo pipefail
drive=$1 content=$2 events=$3 seed=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$content" "$work/content"
cd "$work/content/play"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$drive" --monkey "$events" --seed "$seed" > "$work/record.txt"
# A second, scripted run reads the scrapbook the monkey left: no message may complain.
printf 'wait 29000\n' > "$work/again.txt"
"$drive" "$work/again.txt" > "$work/again-record.txt"
if grep -i 'scrapbook\|cannot\|failed' "$work/again-record.txt"; then
    echo "the scrapbook left by the monkey does not load cleanly" >&2
    exit 1
fi
echo "monkey: $events events, seed $seed, $(grep -c '^sound' "$work/record.txt") sounds played"
