#!/usr/bin/env bash
# Regenerates the sample pictures in this folder with the zint CLI (Debian package zint)
# and ImageMagick's convert (package imagemagick). The pictures are committed; this script
# only documents how they were made and is not part of the build.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() { # NAME TYPE DATA [zint options...]
    local name=$1 type=$2 data=$3
    shift 3
    zint -b "$type" -d "$data" --quietzones --scale=2 "$@" -o "$tmp/$name.png"
}

render ean13 EANX 978020137962
render code128 CODE128 'Vel 4.5 <scanner> & "friends"'
render qrcode QRCODE 'Grüße from Vel: https://example.org/vel?a=1&b=2' --scale=3
render upca UPCA 03600029145
render code39 CODE39 VEL-2026
render databar DBAR_EXP '[01]98898765432106[3202]012345[15]991231'
render i25 C25INTER 1234567895
render ean8 EANX 9638507 --fg=1a237e --bg=fff3c4

cp "$tmp/ean13.png" ean13.png
convert "$tmp/code128.png" -colorspace Gray -quality 92 code128.jpg
convert "$tmp/qrcode.png" -define webp:lossless=true qrcode.webp
convert "$tmp/upca.png" -type Palette BMP3:upca.bmp
convert "$tmp/code39.png" code39.gif
convert "$tmp/databar.png" -compress lzw databar.tif
convert "$tmp/ean8.png" -background '#fff3c4' -rotate 6 -quality 85 ean8-label.jpg
convert "$tmp/i25.png" "$tmp/qrcode.png" -background white -gravity center +append +repage multi.png
