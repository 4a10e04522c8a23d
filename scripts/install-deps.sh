#!/usr/bin/env bash
# Installs, from Debian's packages, what building, running and testing the editor needs.
# Does nothing when everything is there already.
set -euo pipefail

# Usage: install-deps.sh run|package|test. "run" is what building and starting the editor needs (the
# build configures the tests too, hence GoogleTest; Xvfb gives a display where there is none); "package"
# adds what makes its Debian package; "test" adds that too, the validators of the installed files, the
# Windows cross build and wine, clang's libFuzzer and clang-tidy, and a window manager with the X tools that drive
# the program from outside.
packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev libx11-dev libxcb1-dev fonts-liberation fonts-dejavu-core xvfb xauth
    qt6-translations-l10n
    googletest libgtest-dev libgmock-dev
    # The registry agent, a Windows program the editor starts under Wine while Wine runs in the prefix.
    g++-mingw-w64-x86-64
)
if [ "${1:-test}" != run ]; then
    # The Debian package: dpkg-shlibdeps names the libraries, which file tells it to look at.
    packages+=(dpkg-dev file)
fi
if [ "${1:-test}" = test ]; then
    # The Windows build: wine to run it, and what builds Qt from Debian's source.
    packages+=(wine wine64 ninja-build xz-utils)
    # The Windows installer package and its signature: wixl builds it, msitools reads it back in the
    # tests, osslsigncode signs and verifies, openssl makes the tests' throw-away certificate.
    packages+=(wixl msitools osslsigncode openssl)
    # Debian's validators of the installed desktop entry and AppStream metadata; rsvg-convert redraws
    # the menu icons (scripts/render-icons.sh).
    packages+=(desktop-file-utils appstream librsvg2-bin)
    # The program as a user sees it: openbox frames its windows, xdotool and the X utilities drive and
    # measure them, ImageMagick takes and compares pictures of them.
    packages+=(openbox xdotool x11-utils imagemagick)
    # What a screen reader sees of it: the accessibility bus and its Python client, on a bus of the test's own.
    packages+=(at-spi2-core python3-pyatspi dbus-daemon)
    # The fuzz targets: clang with libFuzzer and the sanitizers; clang-tidy checks the sources in CI.
    packages+=(clang-14 libclang-rt-14-dev clang-tidy-14)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "Please run as root: apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
