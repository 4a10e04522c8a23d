#!/usr/bin/env bash
# Configures and builds the editor, its tests and benchmarks in build/. Arguments go to the configuration.
# KVL_BUILD_VERBOSE=1 shows each compiler command (CI does, so that its log shows the flags).
set -euo pipefail
cd "$(dirname "$0")/.."
configured=$(cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@")
grep "^-- Layer check" <<<"$configured" || true
cmake --build build -j"$(nproc)" ${KVL_BUILD_VERBOSE:+--verbose}
