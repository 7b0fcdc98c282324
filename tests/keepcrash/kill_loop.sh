#!/bin/bash
# Kills save_loop with SIGKILL at random moments of its saving, KILLS times, and checks after
# each kill that every file it was writing is the old or the new one and the index loads.
# Usage: kill_loop.sh SAVE_LOOP CONTENT_PLAY KILLS
set -u
loop=$1 play=$2 kills=$3
dir=$(mktemp -d /tmp/talewick-kill-XXXXXX)
trap 'rm -rf "$dir"' EXIT
RANDOM=7
for round in $(seq "$kills"); do
    "$loop" run "$play" "$dir" 2>/dev/null &
    pid=$!
    # Somewhere in its saving: 5 to 600 ms in (each save syncs, so a few dozen at most).
    sleep "$(printf '0.%03d' $((5 + RANDOM % 595)))"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    if ! "$loop" check "$play" "$dir"; then
        echo "FAIL: after kill $round the files are not whole"
        exit 1
    fi
done
echo "passed: $kills kills, every file old or new"
