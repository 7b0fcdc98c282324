#!/bin/bash
# Runs talewick on a 1920 x 1080 virtual display (the screen scaled x2 at (160, 30) of a
# 960 x 540 display), waits for the start-up, picks a crayon, fills an object with a click,
# drags the big brush across the picture and checks each step in a screenshot.
# Usage: colouring.sh TALEWICK TALEWICK_DRIVE CONTENT OUTDIR
set -u
talewick=$1 drive=$2 content=$3 out=$4
source "$(dirname "$0")/../window/on-xvfb.sh"
source "$(dirname "$0")/../window/scaled-screen.sh"
on_xvfb 1920x1080 "$out" "$0" "$@"
cp -r "$content" "$out/content"
cd "$out/content/play"
# The program reads that copy and writes to a user folder of this run's own.
export TALEWICK_DATA_DIR=$out/content TALEWICK_USER_DIR=$out/user
# This user has seen the whole start-up before: a click skips it.
mkdir -p "$out/user" && touch "$out/user/startup-seen"

# The headless twin after the start-up: what the screen must show before anything is coloured.
printf 'wait 29000\nshot %s\n' "$out/reference.png" >"$out/reference.txt"
(cd "$out/content/play" && "$drive" "$out/reference.txt" >"$out/reference.log") || fail "driver failed"

"$talewick" &
pid=$!
# The start-up takes about half a minute; a click skips it, as this is not the first start.
ready=no
for _ in $(seq 90); do
    sleep 1
    click 300 8
    shot "$out/start.png"
    if [ "$(pixel "$out/start.png" 61 455)" = "$(ref_pixel 61 455)" ] &&
       [ "$(pixel "$out/start.png" 300 150)" = "$(ref_pixel 300 150)" ]; then
        ready=yes
        break
    fi
done
[ $ready = yes ] || fail "the coloring screen never appeared"

before=$(pixel "$out/start.png" 300 150)
click 229 389            # the blue crayon
sleep 0.5
click 300 150            # fill the object under the point
sleep 2
shot "$out/filled.png"
after=$(pixel "$out/filled.png" 300 150)
[ "$after" != "$before" ] || fail "the click did not fill the object ($after)"
blue=$(echo "$after" | cut -d, -f3) red=$(echo "$after" | cut -d, -f1)
[ "$blue" -gt "$red" ] || fail "the filled object is not blue ($after)"

click 149 389            # the red crayon
click 573 137            # the big brush
sleep 0.5
xdotool mousemove "$(mx 200)" "$(my 250)" mousedown 1
for x in $(seq 210 10 460); do xdotool mousemove "$(mx "$x")" "$(my 250)"; sleep 0.02; done
xdotool mouseup 1
sleep 1
shot "$out/brushed.png"
stroke=$(pixel "$out/brushed.png" 212 250)
[ "$stroke" != "$(pixel "$out/filled.png" 212 250)" ] || fail "the brush painted nothing ($stroke)"

click 61 455             # exit, then yes
sleep 1
click 353 266
for _ in $(seq 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after the exit"
grep -q '^image=' "$out/user/books/scrapbook/scrapbook.txt" || fail "the picture was not saved"
grep -q '^image=' "$out/content/books/scrapbook/scrapbook.txt" &&
    fail "the picture was written into the shared content"
echo "PASS: filled $before -> $after, brushed $stroke; shots in $out"
