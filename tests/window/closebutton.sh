#!/bin/bash
# The window's close button in windowed mode acts like the exit button: the quit
# confirmation comes up over the picture and the program keeps running; a stop request
# then keeps the picture and ends it with status 0.
# Usage: closebutton.sh TALEWICK SEND_CLOSE CONTENT OUTDIR
set -u
talewick=$1
send_close=$2
content=$3
out=$4
. "$(dirname "$0")/on-xvfb.sh"
on_xvfb 1920x1080 "$out" "$0" "$@"
export TALEWICK_DATA_DIR=$content TALEWICK_USER_DIR=$out/user
# This user has seen the whole start-up before: a click skips it.
mkdir -p "$out/user" && touch "$out/user/startup-seen"

window_id() {
    for _ in $(seq 300); do  # up to 30 s: a loaded machine starts slowly
        local id
        id=$(xdotool search --onlyvisible --name '^Talewick$' 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
window_shot() {  # the window's own pixels
    import -window "$1" "$2" 2>/dev/null
}
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

"$talewick" --windowed 2>"$out/talewick.log" &
pid=$!
id=$(window_id) || fail "no window: $(cat "$out/talewick.log")"
# The start-up pictures; a click at a place that does nothing once the screen runs skips
# the rest, as in the full-screen test.
sleep 6
xdotool mousemove --window "$id" 601 21 click 1
sleep 3
window_shot "$id" "$out/before.png"
"$send_close" "$id" || fail "the close request could not be sent"
sleep 2
kill -0 $pid 2>/dev/null || fail "the close button ended the program without asking"
window_shot "$id" "$out/asking.png"
changed=$(differing "$out/before.png" "$out/asking.png")
[ "${changed:-0}" -gt 20000 ] || fail "no confirmation appeared (${changed:-?} pixels changed)"
kill -TERM $pid
start=$(date +%s%N)
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
kill -0 $pid 2>/dev/null && fail "the program did not end on SIGTERM"
wait $pid
status=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ $status -eq 0 ] || fail "ended with status $status"
echo "close button test passed (confirmation: $changed pixels changed; ended in $elapsed ms)"
