#!/usr/bin/env bash
# Redraws each image of the program at twice its size (<name>@2x.png beside <name>.png) from its SVG
# source, for screens scaled above 100 %. Run it after changing an SVG in assets/images and commit the
# PNGs (the build does not draw them).
set -euo pipefail
cd "$(dirname "$0")/../assets/images"
if ! command -v rsvg-convert >/dev/null; then
    echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
    exit 1
fi
for svg in *.svg; do
    name=${svg%.svg}
    read -r width height < <(file "$name.png" | sed 's/.*, \([0-9]*\) x \([0-9]*\),.*/\1 \2/')
    rsvg-convert -w $((width * 2)) -h $((height * 2)) "$svg" -o "$name@2x.png"
done
