#!/bin/bash
# Runs talewick full screen on a 1920 x 1080 virtual display and checks what it shows:
# the 640 x 480 screen scaled x2 and centred on black, the single-instance lock, Escape
# closing the screen, and an 8-bit display.
# Usage: fullscreen.sh TALEWICK OUTDIR
set -u
talewick=$1
out=$2
command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 77; }

if [ -z "${INSIDE_XVFB:-}" ]; then
    rm -rf "$out" && mkdir -p "$out"
    INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$talewick" "$out"
fi

fail() { echo "FAIL: $*"; exit 1; }
export SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR=$out/run
mkdir -p "$XDG_RUNTIME_DIR" "$out/bitmaps" "$out/play"
chmod 700 "$XDG_RUNTIME_DIR"

# The background: red with a 10 x 10 green corner and a blue pixel at the far corner.
convert -size 640x480 xc:'#ff0000' -fill '#00ff00' -draw 'rectangle 0,0 9,9' \
    -fill '#0000ff' -draw 'point 639,479' -type TrueColor BMP3:"$out/bitmaps/backgrnd.bmp" ||
    fail "cannot write the test picture"
cd "$out/play"

wait_window() {  # waits until a talewick window is mapped
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '^Talewick$' >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
pixel() {  # colour of a screenshot pixel as "r,g,b"
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:
}
expect_pixel() {
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "pixel ($2,$3) of $1 is $got, expected $4"
}
close_with_escape() {  # Escape over the window; the process must end with status 0
    xdotool mousemove 960 540
    sleep 0.2
    xdotool key Escape
    for _ in $(seq 50); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$1" 2>/dev/null && { kill "$1"; fail "Escape did not end the program"; }
    wait "$1" || fail "the program ended with status $?"
}

"$talewick" &
first=$!
wait_window || fail "no window appeared"
sleep 1
import -window root "$out/screen.png" || fail "no screenshot"

# 1920 x 1080 gives scale 2 and a 960 x 540 display; the screen lies at (160, 30) on it,
# so on the monitor at (320, 60)-(1600, 1020).
expect_pixel "$out/screen.png" 0 0 "0,0,0"
expect_pixel "$out/screen.png" 319 540 "0,0,0"
expect_pixel "$out/screen.png" 960 59 "0,0,0"
expect_pixel "$out/screen.png" 320 60 "0,255,0"
expect_pixel "$out/screen.png" 339 79 "0,255,0"
expect_pixel "$out/screen.png" 340 80 "255,0,0"
expect_pixel "$out/screen.png" 1598 1018 "0,0,255"
expect_pixel "$out/screen.png" 1599 1019 "0,0,255"
expect_pixel "$out/screen.png" 1597 1019 "255,0,0"
expect_pixel "$out/screen.png" 1600 1019 "0,0,0"
expect_pixel "$out/screen.png" 1919 1079 "0,0,0"

# A second copy ends at once, silently, with status 0 and no window of its own.
start=$(date +%s%N)
"$talewick" >"$out/second.log" 2>&1
status=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ $status -eq 0 ] || fail "second copy ended with $status"
[ $elapsed -lt 2000 ] || fail "second copy took ${elapsed} ms"
[ -s "$out/second.log" ] && fail "second copy printed: $(cat "$out/second.log")"
[ "$(xdotool search --onlyvisible --name '^Talewick$' | wc -l)" -eq 1 ] || fail "more than one window"

close_with_escape $first

# Once the first copy has ended a new one starts; this one on an 8-bit display.
TALEWICK_DEPTH=8 "$talewick" &
again=$!
wait_window || fail "no window after the first copy ended"
sleep 1
import -window root "$out/screen8.png"
expect_pixel "$out/screen8.png" 0 0 "0,0,0"
[ "$(pixel "$out/screen8.png" 960 540)" != "0,0,0" ] || fail "8-bit display shows nothing"
close_with_escape $again
echo "window tests passed"
