#!/usr/bin/env bash
# Builds the Windows installer package of a given kvl-settings-editor.exe with wixl (Debian's wixl, from
# msitools), from packaging/windows/kvl-settings-editor.wxs.
#
# Usage: build-msi.sh <kvl-settings-editor.exe> <version, e.g. 2.03> <output .msi>
set -euo pipefail
if [ $# -ne 3 ]; then
    echo "usage: $0 <kvl-settings-editor.exe> <version> <output.msi>" >&2
    exit 2
fi
exe=$(realpath "$1")
version=$2
output=$(realpath -m "$3")
packaging=$(realpath "$(dirname "$0")/../packaging/windows")

# wixl takes the files' names relative to where it runs, so it runs among copies of them.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/kvl-settings-editor.exe"
cp "$packaging/kvl-settings-editor.ico" "$stage/"
size_kb=$((($(stat -c %s "$exe") + 1023) / 1024))
(cd "$stage" && wixl --arch x64 -D Version="$version" -D Exe=kvl-settings-editor.exe \
    -D Icon=kvl-settings-editor.ico -D SizeKb="$size_kb" -o package.msi "$packaging/kvl-settings-editor.wxs")
# wixl stores the root HKMU (the install's own scope) as 4; Windows Installer knows it as -1.
# shellcheck disable=SC2016 # the backquotes are SQL's
msibuild "$stage/package.msi" -q 'UPDATE `Registry` SET `Root` = -1 WHERE `Root` = 4'
# Beside the old package first, so that it is replaced whole or not at all.
mv "$stage/package.msi" "$output.partial"
mv "$output.partial" "$output"
