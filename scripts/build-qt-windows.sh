#!/usr/bin/env bash
# Builds a static Qt 6 for Windows (x86-64, mingw-w64) from Debian's own qt6-base source package, with
# the host tools (moc, rcc, uic) of the installed qt6-base-dev of the same version. The result lands in
# a cache folder outside the tree and is built once: a complete folder makes this script do nothing.
#
# Prints the install folder on stdout; the build's progress goes to stderr.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD

version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed -E 's/^[0-9]+://; s/[+~-].*//')
if [ -z "$version" ]; then
    echo "qt6-base-dev is not installed; run scripts/install-deps.sh first" >&2
    exit 1
fi
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kvl-settings-editor
prefix=$cache/qt-$version-mingw-static
# Written last, so a build cut short is not taken for a complete one.
stamp=$prefix/.complete
if [ -f "$stamp" ]; then
    echo "$prefix"
    exit 0
fi

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

# apt-get source needs a deb-src entry for the release the machine runs.
if ! apt-get source --print-uris -q "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >/dev/null 2>&1; then
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Adding a deb-src entry for Debian $codename" >&2
    "${as_root[@]}" tee /etc/apt/sources.list.d/kvl-debian-src.sources >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    "${as_root[@]}" apt-get update -q >/dev/null
fi

work=$cache/qt-$version-work
rm -rf "$work"
mkdir -p "$work"
cd "$work"
apt-get source -q "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >/dev/null 2>&1 ||
    apt-get source -q qt6-base >&2
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

# Only what the program and its tests use: no OpenGL, SQL, network, D-Bus, XML or printing. Debian's
# source drops the tablet header (tabletevent), and dynamic GL needs OpenGL. Fonts come through GDI
# alone: one font engine less in every static executable.
features=(
    opengl dynamicgl tabletevent sql network dbus xml concurrent printsupport
    vulkan direct2d directwrite directwrite3 jpeg gif ico
)
feature_flags=()
for feature in "${features[@]}"; do
    feature_flags+=("-DFEATURE_$feature=OFF")
done

cmake -S "$source_dir" -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    "${feature_flags[@]}" >configure.log 2>&1 || {
    tail -n 40 configure.log >&2
    exit 1
}
echo "Building Qt $version for Windows into $prefix (once)" >&2
cmake --build build --parallel "$(nproc)" >&2
cmake --install build >/dev/null
touch "$stamp"
cd "$cache"
rm -rf "$work"
echo "$prefix"
