#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (natively and, for the Windows backend, under wine).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
scripts/build.sh
cd build
ctest --output-on-failure --timeout 900 "$@"
