#!/bin/sh
# Renders the preview sheet of a packed skin as a PNG.
# Usage: render-sheet.sh TOOLS_DIR SKIN OUTPUT.png
set -e
tools=$1; skin=$2; out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tools/skin-sheet" "$skin" "$work/sheet.bmp" "$work/sheet.mvg"
# The draw script is passed inline: reading it from a file is refused by the
# default ImageMagick security policy.
convert "$work/sheet.bmp" -draw "$(cat "$work/sheet.mvg")" "$out"
