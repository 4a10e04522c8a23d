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

# The Windows icon: the same pictures in one .ico, each stored as PNG, as Windows reads them since Vista.
sizes=(16 24 32 48 64 256)
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
{
    le16 0
    le16 1
    le16 ${#sizes[@]}
    offset=$((6 + 16 * ${#sizes[@]}))
    for size in "${sizes[@]}"; do
        bytes=$(stat -c %s "packaging/icons/${size}x${size}.png")
        printf "\\x$(printf %02x $((size & 255)))\\x$(printf %02x $((size & 255)))\\x00\\x00"
        le16 1
        le16 32
        le32 "$bytes"
        le32 "$offset"
        offset=$((offset + bytes))
    done
    for size in "${sizes[@]}"; do
        cat "packaging/icons/${size}x${size}.png"
    done
} >packaging/windows/kvl-settings-editor.ico
