#!/bin/bash
# Runs talewick full screen on a 1920 x 1080 virtual display: the 640 x 480 screen must
# sit scaled x2 and centred on black and show exactly what the headless driver shows
# after the same start-up; a button click must change it; a second copy must end at once;
# the exit button must end the program; a copy killed hard must not keep the lock; an
# 8-bit display must show the screen too.
# Usage: fullscreen.sh TALEWICK TALEWICK_DRIVE CONTENT OUTDIR
set -u
talewick=$1
drive=$2
content=$3
out=$4
. "$(dirname "$0")/on-xvfb.sh"
on_xvfb 1920x1080 "$out" "$0" "$@"
[ -d "$content/play" ] || fail "no content in $content"
# A copy of the content: the program may write its scrapbook index.
cp -r "$content" "$out/content"
cd "$out/content/play"
# The program reads that copy and writes to a user folder of this run's own.
export TALEWICK_DATA_DIR=$out/content TALEWICK_USER_DIR=$out/user
# This user has seen the whole start-up before: a click skips it.
mkdir -p "$out/user" && touch "$out/user/startup-seen"

# Screen point (x, y) on the monitor: the display is 960 x 540 (scale 2) and the screen
# lies at (160, 30) on it.
mx() { echo $(( (160 + $1) * 2 + 1 )); }
my() { echo $(( (30 + $1) * 2 + 1 )); }
click() { xdotool mousemove "$(mx "$1")" "$(my "$2")" click 1; }
shot() { import -window root "$1" 2>/dev/null; }
screen_part() {  # the 640 x 480 screen out of a monitor shot, back at its own size
    convert "$1" -crop 1280x960+320+60 +repage -sample 50% "$2"
}
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
pixel() {
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:
}
wait_window() {
    for _ in $(seq 300); do  # up to 30 s: a loaded machine starts slowly
        xdotool search --onlyvisible --name '^Talewick$' >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
wait_end() {  # waits up to $2 seconds for process $1 to end; fails if it does not
    for _ in $(seq $(( $2 * 10 ))); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
        sleep 0.1
    done
    kill -9 "$1"
    fail "the program did not end"
}

# The reference: the headless twin after the start-up. The program's start-up is ended
# early by clicks at a place that does nothing once the screen runs.
printf 'wait 29000\nshot %s\n' "$out/reference.png" >"$out/reference.txt"
"$drive" "$out/reference.txt" >"$out/reference.log" || fail "driver failed"

"$talewick" &
first=$!
wait_window || fail "no window appeared"
matched=no
for _ in $(seq 60); do
    sleep 1
    click 300 10
    sleep 0.5
    shot "$out/screen.png"
    screen_part "$out/screen.png" "$out/screen-part.png"
    [ "$(differing "$out/screen-part.png" "$out/reference.png")" = "0" ] && { matched=yes; break; }
done
[ $matched = yes ] || fail "the screen never matched the headless reference"

for corner in "0 0" "319 540" "1600 540" "960 59" "960 1020" "1919 1079"; do
    # shellcheck disable=SC2086
    [ "$(pixel "$out/screen.png" $corner)" = "0,0,0" ] || fail "not black around the screen at $corner"
done

# The big brush button shows its other face once chosen.
convert "$out/screen.png" -crop 120x64+$(( $(mx 543) - 1 ))+$(( $(my 121) - 1 )) +repage "$out/brush-before.png"
click 573 137
sleep 1
shot "$out/after-click.png"
convert "$out/after-click.png" -crop 120x64+$(( $(mx 543) - 1 ))+$(( $(my 121) - 1 )) +repage "$out/brush-after.png"
[ "$(differing "$out/brush-before.png" "$out/brush-after.png")" != "0" ] || fail "the button did not change"

# A second copy ends at once, silently, with status 0 and no window of its own.
start=$(date +%s%N)
"$talewick" >"$out/second.log" 2>&1
status=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ $status -eq 0 ] || fail "second copy ended with $status"
[ $elapsed -lt 2000 ] || fail "second copy took ${elapsed} ms"
[ -s "$out/second.log" ] && fail "second copy printed: $(cat "$out/second.log")"
[ "$(xdotool search --onlyvisible --name '^Talewick$' | wc -l)" -eq 1 ] || fail "more than one window"

# Exit, then yes in the quit confirmation: goodbye and the closing pictures, then the end.
click 61 455
sleep 1.5
shot "$out/quit.png"
click 353 266
wait_end $first 30 || fail "the program ended with status $?"

# A new copy starts once the first has ended, here on an 8-bit display; killed hard,
# it must not keep the lock either.
TALEWICK_DEPTH=8 "$talewick" 2>"$out/eight.log" &
eight=$!
if ! wait_window && ! wait_window; then  # up to a minute on a loaded machine
    kill -0 $eight 2>/dev/null && state="still running" || { wait $eight; state="ended with status $?"; }
    fail "no window after the first copy ended ($state): $(cat "$out/eight.log")"
fi
sleep 4
shot "$out/screen8.png"
[ "$(pixel "$out/screen8.png" 0 0)" = "0,0,0" ] || fail "8-bit: not black around the screen"
[ "$(convert "$out/screen8.png" -crop 1280x960+320+60 -format '%[fx:maxima.r+maxima.g+maxima.b>0]' info:)" = "1" ] ||
    fail "8-bit display shows nothing"
kill -9 $eight
wait $eight 2>/dev/null
"$talewick" 2>"$out/last.log" &
last=$!
if ! wait_window && ! wait_window; then
    kill -0 $last 2>/dev/null && state="still running" || { wait $last; state="ended with status $?"; }
    fail "no window after a killed copy ($state): $(cat "$out/last.log")"
fi
kill -9 $last
wait $last 2>/dev/null
echo "window tests passed"
