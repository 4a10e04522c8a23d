#!/usr/bin/env bash
# Builds the editor and its Debian package, build/kvl-settings-editor_<version>_<architecture>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build build -j"$(nproc)" --target kvl-settings-editor
cd build
cpack -G DEB >/dev/null
ls "$PWD"/kvl-settings-editor_*.deb
