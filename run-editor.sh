#!/usr/bin/env bash
# Builds the settings editor and starts it. Without a WINEPREFIX of your own it works on a copy of
# the demo prefix, so no real Wine prefix is touched by trying it out. The copy is one per clone, in its
# build folder, kept between starts (what was applied there is there the next time) and made again
# when it is gone.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh run

cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
# The program's target builds the registry agent beside it (build/kvl-registry-agent.exe), where the
# program finds it when Wine runs in the prefix.
cmake --build build -j"$(nproc)" --target kvl-settings-editor

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Start it on a virtual one (installed with the editor) as: xvfb-run -a ./run-editor.sh" >&2
    exit 1
fi

if [ -z "${WINEPREFIX:-}" ]; then
    demo_prefix="$PWD/build/demo-prefix"
    if [ ! -f "$demo_prefix/system.reg" ] || [ ! -f "$demo_prefix/user.reg" ]; then
        rm -rf "$demo_prefix"
        mkdir -p "$demo_prefix"
        cp -a demo/. "$demo_prefix/"
    fi
    export WINEPREFIX="$demo_prefix"
    echo "Demo prefix: $WINEPREFIX"
fi
exec build/kvl-settings-editor
