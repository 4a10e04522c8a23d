#!/usr/bin/env bash
# Builds the settings editor and starts it. Without a WINEPREFIX of your own it works on a copy of
# the demo prefix, so no real Wine prefix is touched by trying it out.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh run

cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build build -j"$(nproc)" --target kvl-settings-editor

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Start it on a virtual one (installed with the editor) as: xvfb-run -a ./run-editor.sh" >&2
    exit 1
fi

if [ -z "${WINEPREFIX:-}" ]; then
    scratch="$(mktemp -d "${TMPDIR:-/tmp}/kvl-demo-XXXXXX")"
    cp -a demo/. "$scratch/"
    export WINEPREFIX="$scratch"
    echo "Demo prefix: $WINEPREFIX"
fi
exec build/kvl-settings-editor
