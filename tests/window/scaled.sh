#!/bin/bash
# Runs talewick where the screen is shown at a fractional scale: full screen on a
# 1366 x 768 display ("laptop"), or in a window resized to 1100 x 700 ("resized"). The
# picture must equal the headless driver's after the same start-up, scaled by the same
# filter, with black bars around it; clicks on the outermost pixels of three buttons must
# land on them, and clicks one pixel further out must not.
# Usage: scaled.sh laptop|resized TALEWICK TALEWICK_DRIVE SCALE_RAW CONTENT OUTDIR
set -u
mode=$1
talewick=$2
drive=$3
scale_raw=$4
content=$5
out=$6
case $mode in
    laptop) geometry=1366x768 ;;
    resized) geometry=1920x1080 ;;
    *) echo "unknown mode $mode"; exit 2 ;;
esac

. "$(dirname "$0")/on-xvfb.sh"
on_xvfb "$geometry" "$out" "$0" "$@"
[ -d "$content/play" ] || fail "no content in $content"
cp -r "$content" "$out/content"
cd "$out/content/play"
# The program writes to a user folder of this run's own, whose user has seen the whole
# start-up before: a click skips it.
export TALEWICK_USER_DIR=$out/user
mkdir -p "$out/user" && touch "$out/user/startup-seen"

# The layout rule of the real backend, and output pixels of screen points.
cat >"$out/layout.py" <<'PY'
import sys

def choose_scale(w, h, cw, ch):
    whole = min(w // cw, h // ch)
    if whole >= 1 and min(w - cw * whole, h - ch * whole) * 4 <= min(w, h):
        return whole
    return min(w / cw, h / ch)

def dest(w, h, dw, dh):
    s = choose_scale(w, h, dw, dh)
    ow, oh = min(w, round(dw * s)), min(h, round(dh * s))
    return (w - ow) // 2, (h - oh) // 2, ow, oh

def to_display(o, source, size):  # the display pixel under output pixel o's centre
    return (2 * o + 1) * source // (2 * size)

def first_output(d, source, size):
    return next(o for o in range(size) if to_display(o, source, size) >= d)

def last_output(d, source, size):
    return max(o for o in range(size) if to_display(o, source, size) <= d)

w, h, dw, dh = map(int, sys.argv[2:6])
left, top, ow, oh = dest(w, h, dw, dh)
ox, oy = (dw - 640) // 2, (dh - 480) // 2
if sys.argv[1] == "dest":
    print(left, top, ow, oh)
elif sys.argv[1] == "centre":  # output pixel at the centre of screen point x y
    x, y = int(sys.argv[6]) + ox, int(sys.argv[7]) + oy
    print(left + first_output(x, dw, ow), top + first_output(y, dh, oh))
else:  # "rect X Y W H": the outermost output pixels of a screen rectangle
    x, y, rw, rh = map(int, sys.argv[6:10])
    x, y = x + ox, y + oy
    print(left + first_output(x, dw, ow), top + first_output(y, dh, oh),
          left + last_output(x + rw - 1, dw, ow), top + last_output(y + rh - 1, dh, oh))
PY
if [ "$mode" = laptop ]; then
    output=(1366 768)
    display=(853 480)  # 1366 x 768 / 1.6, as the program sizes its display
    args=()
else
    output=(1100 700)
    display=(640 480)
    args=(--windowed)
fi
layout() { python3 "$out/layout.py" "$1" "${output[@]}" "${display[@]}" "${@:2}"; }
read -r dest_left dest_top dest_w dest_h <<<"$(layout dest)"

# The reference: the headless twin on the same display, scaled as the backend scales.
printf 'wait 29000\nshot %s\n' "$out/reference.png" >"$out/reference.txt"
"$drive" --display "${display[0]}x${display[1]}" "$out/reference.txt" >"$out/reference.log" || fail "driver failed"
convert "$out/reference.png" -depth 8 rgba:"$out/reference.raw"
"$scale_raw" "$out/reference.raw" "${display[@]}" "$out/scaled.raw" "$dest_w" "$dest_h" || fail "scaling failed"
convert -size "${dest_w}x${dest_h}" -depth 8 rgba:"$out/scaled.raw" -alpha off "$out/scaled.png"

"$talewick" "${args[@]}" &
pid=$!
window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Talewick$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
if [ "$mode" = resized ]; then
    xdotool windowsize "$window" "${output[@]}"
    sleep 1
    [ "$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')" = "${output[0]}x${output[1]}" ] ||
        fail "the window did not take the new size"
fi
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
shot() { import -window "$window" "$1" 2>/dev/null; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
pixel() {
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:
}

matched=no
for _ in $(seq 60); do
    sleep 1
    # shellcheck disable=SC2046
    click $(layout centre 300 10)
    sleep 0.5
    shot "$out/screen.png"
    convert "$out/screen.png" -crop "${dest_w}x${dest_h}+${dest_left}+${dest_top}" +repage -alpha off "$out/screen-part.png"
    [ "$(differing "$out/screen-part.png" "$out/scaled.png")" = "0" ] && { matched=yes; break; }
done
[ $matched = yes ] || fail "the screen never matched the scaled headless reference ($(differing "$out/screen-part.png" "$out/scaled.png") pixels differ)"
# Black bars where the picture does not reach.
[ "$dest_left" -gt 0 ] && { [ "$(pixel "$out/screen.png" 0 $((dest_h / 2)))" = "0,0,0" ] || fail "no black bar on the left"; }
[ "$((dest_left + dest_w))" -lt "${output[0]}" ] &&
    { [ "$(pixel "$out/screen.png" $((output[0] - 1)) 0)" = "0,0,0" ] || fail "no black bar on the right"; }

# Tool buttons: 60 x 32 at x 543, y 87 + 34 i. Each check clicks one pixel beyond a
# corner first (nothing may change), then the corner pixel itself (the button changes).
button_part() {  # the button's pixels out of a shot
    convert "$1" -crop "$(( $4 - $2 + 1 ))x$(( $5 - $3 + 1 ))+$2+$3" +repage "$6"
}
check_corner() {  # index corner(tl|br|tr)
    local y=$((87 + 34 * $1)) l t r b cx cy nx ny
    read -r l t r b <<<"$(layout rect 543 "$y" 60 32)"
    case $2 in
        tl) cx=$l cy=$t nx=$l ny=$((t - 1)) ;;
        br) cx=$r cy=$b nx=$r ny=$((b + 1)) ;;
        tr) cx=$r cy=$t nx=$((r + 1)) ny=$t ;;
    esac
    shot "$out/before-$1.png"
    button_part "$out/before-$1.png" "$l" "$t" "$r" "$b" "$out/button-$1-before.png"
    click "$nx" "$ny"
    sleep 1
    shot "$out/beside-$1.png"
    button_part "$out/beside-$1.png" "$l" "$t" "$r" "$b" "$out/button-$1-beside.png"
    [ "$(differing "$out/button-$1-before.png" "$out/button-$1-beside.png")" = "0" ] ||
        fail "a click beside button $1 at $nx,$ny changed it"
    click "$cx" "$cy"
    sleep 1
    shot "$out/after-$1.png"
    button_part "$out/after-$1.png" "$l" "$t" "$r" "$b" "$out/button-$1-after.png"
    [ "$(differing "$out/button-$1-before.png" "$out/button-$1-after.png")" != "0" ] ||
        fail "a click on the $2 corner pixel $cx,$cy of button $1 missed it"
}
check_corner 0 tl
check_corner 1 br
check_corner 4 tr
kill -9 "$pid"
wait "$pid" 2>/dev/null
echo "scaled window tests passed"
