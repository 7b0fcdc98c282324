#!/bin/bash
# The desktop entry and the metainfo pass the desktop's validators; the icon theme has
# every size a menu asks for, each a square PNG of its size and not one picture scaled.
# Usage: validate.sh DESKTOP-FILE METAINFO-FILE HICOLOR-DIR
set -u
desktop=$1 metainfo=$2 icons=$3
for tool in desktop-file-validate appstreamcli identify compare; do
    command -v $tool >/dev/null || { echo "$tool missing"; exit 77; }
done
fail() { echo "FAIL: $*"; exit 1; }

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate"
grep -q '^Categories=.*Education;.*Game;.*KidsGame;' "$desktop" || fail "categories"

for size in 48 64 128 256; do
    png=$icons/${size}x${size}/apps/talewick.png
    [ -f "$png" ] || fail "no $png"
    [ "$(identify -format '%wx%h %[channels]' "$png")" = "${size}x${size} srgba" ] ||
        fail "$png is $(identify -format '%wx%h %[channels]' "$png")"
done
# Drawn for its size: the small icon differs clearly from the large one scaled down.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert "$icons/256x256/apps/talewick.png" -resize 48x48 "$tmp/scaled.png"
differing=$(compare -metric AE -fuzz 10% "$icons/48x48/apps/talewick.png" "$tmp/scaled.png" null: 2>&1)
[ "${differing%% *}" -gt 100 ] || fail "the 48 px icon is the large one scaled ($differing pixels differ)"
echo "desktop files valid; icons drawn at 48, 64, 128 and 256 px"
