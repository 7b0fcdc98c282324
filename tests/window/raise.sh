#!/bin/bash
# A second start by the same user brings the running copy's window forward, with the
# keyboard focus, and ends at once with status 0. Another user's copy (a runtime folder and
# a lock of its own) runs beside it and holds the focus before the second start; it starts
# without --windowed and opens a window all the same, as the first start's --windowed was
# remembered in the settings file they share.
# Usage: raise.sh TALEWICK CONTENT OUTDIR
set -u
talewick=$1
content=$2
out=$3
. "$(dirname "$0")/on-xvfb.sh"
on_xvfb 1920x1080 "$out" "$0" "$@"
export TALEWICK_DATA_DIR=$content TALEWICK_USER_DIR=$out/user

window_of() {  # the program window of process $1
    for _ in $(seq 300); do  # up to 30 s: a loaded machine starts slowly
        local id
        id=$(xdotool search --onlyvisible --pid "$1" --name '^Talewick$' 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
focus_on() {  # gives window $1 the focus and the top place, again until they hold (10 s)
    for _ in $(seq 100); do
        xdotool windowraise "$1" windowfocus "$1" 2>/dev/null
        sleep 0.1
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    done
    return 1
}
focus_becomes() {  # waits up to 10 s for window $1 to hold the keyboard focus
    for _ in $(seq 100); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
top_window() {  # the highest of the two windows in the stacking order
    xwininfo -root -children 2>/dev/null | grep -oE "0x[0-9a-f]+ \"Talewick\"" | head -1 |
        cut -d' ' -f1
}

"$talewick" --windowed 2>"$out/first.log" &
first=$!
first_id=$(window_of $first) || fail "no window for the first copy: $(cat "$out/first.log")"

grep -q '^window = windowed$' "$XDG_CONFIG_HOME/talewick/settings.ini" ||
    fail "--windowed was not remembered"
mkdir -p "$out/other-run" && chmod 700 "$out/other-run"
XDG_RUNTIME_DIR=$out/other-run TALEWICK_USER_DIR=$out/other-user "$talewick" 2>"$out/other.log" &
other=$!
other_id=$(window_of $other) || fail "no window for the other user's copy: $(cat "$out/other.log")"
width=$(xdotool getwindowgeometry --shell "$other_id" | sed -n 's/^WIDTH=//p')
[ "${width:-0}" -lt 1920 ] || fail "the remembered window mode was not used (width $width)"
# A window may be shown again while its copy starts on a loaded machine, which drops the focus.
sleep 2
focus_on "$other_id" ||
    fail "the other copy ($other_id) did not take the focus: $(xdotool getwindowfocus 2>&1)"
[ "$(printf '%d' "$(top_window)")" = "$other_id" ] || fail "the other copy is not on top"

start=$(date +%s%N)
timeout 30 "$talewick" --windowed >"$out/second.out" 2>"$out/second.log"
status=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ $status -eq 0 ] || fail "the second start ended with status $status: $(cat "$out/second.log")"
[ -s "$out/second.out" ] && fail "the second start printed: $(cat "$out/second.out")"
focus_becomes "$first_id" ||
    fail "the first copy ($first_id) did not get the focus back: $(xdotool getwindowfocus 2>&1)"
[ "$(printf '%d' "$(top_window)")" = "$first_id" ] || fail "the first copy's window is not on top"
kill -0 $first 2>/dev/null || fail "the first copy ended"
kill -0 $other 2>/dev/null || fail "the other copy ended"
window_of $first >/dev/null || fail "the first copy's window is gone"

kill -TERM $first $other
wait $first
first_status=$?
wait $other
[ $first_status -eq 0 ] || fail "the first copy ended with status $first_status"
echo "raise test passed (the second start ended in $elapsed ms; the first window came forward)"
