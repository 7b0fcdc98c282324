#!/bin/bash
# The real program on a virtual display, killed with SIGKILL six seconds after a child
# filled an object: started again, it shows that picture as it was, and keeps it in the
# scrapbook. The screen is scaled x2 at (160, 30) of a 1920 x 1080 display.
# Usage: killed.sh TALEWICK TALEWICK_DRIVE CONTENT OUTDIR
set -u
talewick=$1 drive=$2 content=$3 out=$4
source "$(dirname "$0")/../window/on-xvfb.sh"
source "$(dirname "$0")/../window/scaled-screen.sh"
on_xvfb 1920x1080 "$out" "$0" "$@"

cp -r "$content" "$out/content"
cd "$out/content/play"
export TALEWICK_DATA_DIR=$out/content TALEWICK_USER_DIR=$out/user


# The headless twin after the start-up, to know when the real screen is up.
printf 'wait 29000\nshot %s\n' "$out/reference.png" >"$out/reference.txt"
"$drive" "$out/reference.txt" >"$out/reference.log" || fail "driver failed"
rm -rf "$out/content/recovery" "$out/content/books/scrapbook"/pic*
cp -r "$content/books/scrapbook/." "$out/content/books/scrapbook/"

# Starts the program and waits until the coloring screen shows the bar along its bottom.
start() {
    "$talewick" 2>>"$out/talewick.log" &
    pid=$!
    for _ in $(seq 90); do
        sleep 1
        click 300 8
        shot "$out/$1.png"
        [ "$(pixel "$out/$1.png" 61 455)" = "$(ref_pixel 61 455)" ] && return 0
    done
    fail "the coloring screen never appeared"
}

start first
[ "$(pixel "$out/first.png" 300 150)" = "$(ref_pixel 300 150)" ] || fail "the first start is not blank"
click 229 389            # the blue crayon
sleep 0.5
click 300 150            # fill the object under the point
sleep 6
shot "$out/filled.png"
filled=$(pixel "$out/filled.png" 300 150)
[ "$filled" != "$(ref_pixel 300 150)" ] || fail "the click did not fill the object"
kill -9 "$pid"
wait "$pid" 2>/dev/null

start again
back=$(pixel "$out/again.png" 300 150)
[ "$back" = "$filled" ] || fail "after the kill the picture shows $back, not $filled"
grep -q '^image=' "$out/user/books/scrapbook/scrapbook.txt" ||
    fail "the picture brought back was not kept in the scrapbook"
kill -TERM "$pid"
wait "$pid" 2>/dev/null
echo "PASS: filled $filled, back after kill -9 as $back; shots in $out"
