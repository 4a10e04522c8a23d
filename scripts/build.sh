#!/usr/bin/env bash
# Configures and builds the editor, its tests and benchmarks in build/. Arguments go to the configuration.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
