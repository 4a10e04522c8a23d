#!/usr/bin/env bash
# Builds the Windows program and its installer package into build/:
#   build/kvl-settings-editor.exe             the program, one file, for a copy of one's own
#   build/kvl-settings-editor-<version>.msi   the installer (per user, or per machine with ALLUSERS=1)
# both signed when KVL_SIGN_CERT and KVL_SIGN_KEY name a certificate and its key (scripts/sign-windows.sh).
# The first run builds the static Qt for Windows (about half an hour, once).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
qt=$(scripts/build-qt-windows.sh)
tests/wine/build_windows.sh "$PWD" build/windows-build "$qt"

version=$(sed -n 's/^set(KVL_VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
exe=build/kvl-settings-editor.exe
msi=build/kvl-settings-editor-$version.msi
cp build/windows-build/kvl-settings-editor.exe "$exe.partial"
mv "$exe.partial" "$exe"
# The program is signed before it goes into the package, the package after.
scripts/sign-windows.sh "$exe"
scripts/build-msi.sh "$exe" "$version" "$msi"
scripts/sign-windows.sh "$msi"
echo "Built: $exe $msi"
