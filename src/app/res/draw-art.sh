#!/usr/bin/env bash
# Draws Kestrone's emblem (a shield with a stylised K) with ImageMagick and
# writes the program icon (16, 32, 48 pixels) and the logo bitmap (64 x 64,
# 32-bit with alpha). Everything is drawn from these coordinates, so every
# build makes the same pictures.
# Usage: draw-art.sh OUTPUT_FOLDER
set -euo pipefail
out=$1
mkdir -p "$out"
convert=${CONVERT:-convert}
big="$out/emblem-256.png"

shield="polygon 128,14 226,44 220,140 196,190 128,244 60,190 36,140 30,44"
inner="polygon 128,34 206,58 201,138 181,180 128,222 75,180 55,138 50,58"
light="polygon 128,34 50,58 55,138 75,180 128,222"
k_stem="polygon 92,70 118,70 118,190 92,190"
k_arm="polygon 118,128 160,70 192,70 140,136 118,140"
k_leg="polygon 126,128 146,120 196,190 164,190"

"$convert" -size 256x256 xc:none \
    -fill '#0b2a55' -draw "$shield" \
    -fill '#2f6fc0' -draw "$inner" \
    -fill '#4d8fdc' -draw "$light" \
    -fill '#f4c542' -draw "polygon 128,34 206,58 200,72 128,50 56,72 50,58" \
    -fill white -draw "$k_stem" -draw "$k_arm" -draw "$k_leg" \
    -define png:exclude-chunks=date,time "$big"

"$convert" "$big" -define icon:auto-resize=48,32,16 "$out/kestrone.ico"
"$convert" "$big" -resize 64x64 -define bmp:format=bmp4 -define bmp3:alpha=true \
    "BMP:$out/logo.bmp"
