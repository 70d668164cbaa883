#!/bin/sh
# Renders every resources/icons/*.svg to a 64x64 PNG next to it, and the program's icon
# (KV_s.svg) to the hicolor sizes the package installs (resources/icons/hicolor/NxN/kvt-logger.png).
# The PNGs are kept in the repository, so the build itself never needs
# rsvg-convert; run this again after editing any of the SVG sources.
#
# Usage: tools/render-icons.sh [icons-dir]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
dir=${1:-"$here/../resources/icons"}
size=64

if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "render-icons: rsvg-convert not found (Debian: apt-get install librsvg2-bin)" >&2
    exit 1
fi

count=0
for svg in "$dir"/*.svg; do
    [ -e "$svg" ] || { echo "render-icons: no SVG files in $dir" >&2; exit 1; }
    png=${svg%.svg}.png
    rsvg-convert --width "$size" --height "$size" \
        --format png --output "$png" "$svg"
    count=$((count + 1))
done
echo "render-icons: $count icon(s) rendered to ${size}x${size} PNG in $dir"

for n in 16 22 24 32 48 64 128 256; do
    mkdir -p "$dir/hicolor/${n}x${n}"
    rsvg-convert --width "$n" --height "$n" --format png \
        --output "$dir/hicolor/${n}x${n}/kvt-logger.png" "$dir/KV_s.svg"
done
echo "render-icons: program icon rendered to the hicolor sizes in $dir/hicolor"
