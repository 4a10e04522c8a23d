#!/usr/bin/env bash
# Redraws the program's menu icons in the sizes desktops look for, from the logo's SVG source.
# Run it after changing assets/images/logo.svg and commit the PNGs (the build does not draw them).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
    echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
    exit 1
fi
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" assets/images/logo.svg -o "packaging/icons/${size}x${size}.png"
done
