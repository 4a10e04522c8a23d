#!/usr/bin/env bash
# Installs what is missing, builds (compiler warnings are errors here), and runs every test: natively, and
# under wine for the Windows build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
# The Windows program is built against a static Qt for Windows, made once from Debian's source and
# kept in a cache folder; the first run builds it.
qt_windows=$(scripts/build-qt-windows.sh)
scripts/build.sh -DKVL_QT_WINDOWS="$qt_windows" -DKVL_WERROR=ON
cd build
echo "Windows tests in this run (under wine):"
ctest -N -L windows "$@" | sed -n 's/^ *Test *#[0-9]*: /  /p'
ctest --output-on-failure --timeout 900 "$@"
