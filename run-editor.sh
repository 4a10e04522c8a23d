#!/usr/bin/env bash
# Builds the settings editor and starts it. Without a WINEPREFIX of your own it works on a copy of
# the demo prefix, so no real Wine prefix is touched by trying it out.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Start it as: xvfb-run -a ./run-editor.sh" >&2
    exit 1
fi

packages=(cmake g++ make qt6-base-dev libgl-dev googletest libgtest-dev libgmock-dev libbenchmark-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build build -j"$(nproc)" --target kvl-settings-editor

if [ -z "${WINEPREFIX:-}" ]; then
    scratch="$(mktemp -d "${TMPDIR:-/tmp}/kvl-demo-XXXXXX")"
    cp -a demo/. "$scratch/"
    export WINEPREFIX="$scratch"
    echo "Demo prefix: $WINEPREFIX"
fi
exec build/kvl-settings-editor
