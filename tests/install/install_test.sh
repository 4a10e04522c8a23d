#!/usr/bin/env bash
# Installs the built program into scratch roots, with `cmake --install` (DESTDIR) and from its Debian
# package, and checks the files and the verdicts of Debian's validators on both.
# Usage: install_test.sh <build folder> <desktop entry name>
set -euo pipefail
build=$1 id=$2 sizes="16 24 32 48 64 128 256"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kvl-install-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
# The registry agent, where the build had mingw-w64 to make it.
agent=
[ -f "$build/kvl-registry-agent.exe" ] && agent=lib/kvl-settings-editor/kvl-registry-agent.exe

check_root() { # <root> <what>
    local share=$1/usr/share size report
    diff <(cd "$1" && find . -type f | sort) <({
        for size in $sizes; do echo "./usr/share/icons/hicolor/${size}x$size/apps/$id.png"; done
        printf './usr/%s\n' bin/kvl-settings-editor "share/applications/$id.desktop" \
            "share/icons/hicolor/scalable/apps/$id.svg" "share/metainfo/$id.metainfo.xml" $agent
    } | sort) || fail "$2: other files than expected"
    if [ -n "$agent" ]; then
        file "$1/usr/$agent" | grep -q "PE32+ executable (console) x86-64" || fail "$2: the agent is no Windows program"
    fi
    for size in $sizes; do
        file "$share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size," || fail "$2: ${size}px icon"
    done
    # The program must name its desktop entry, or desktops show no icon for its windows.
    grep -q -a "$id" "$1/usr/bin/kvl-settings-editor" || fail "$2: the program does not name $id"
    report=$(desktop-file-validate "$share/applications/$id.desktop" 2>&1) && [ -z "$report" ] || fail "$2: $report"
    report=$(appstreamcli validate-tree --no-net --strict "$1" 2>&1) || fail "$2: $report"
}

DESTDIR="$scratch/installed" cmake --install "$build" --prefix /usr >/dev/null
check_root "$scratch/installed" "cmake --install"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null 2>&1
deb=$(echo "$scratch"/package/*.deb)
dpkg-deb -x "$deb" "$scratch/unpacked"
check_root "$scratch/unpacked" "the package"
depends=", $(dpkg-deb -f "$deb" Depends),"
for needed in libqt6widgets6 libqt6gui6 libstdc++6 fonts-liberation; do
    [[ $depends =~ ", $needed"[\ ,] ]] || fail "Depends lacks $needed: $depends"
done
version=$(dpkg-deb -f "$deb" Version)
grep -q -a "Version $version" "$scratch/unpacked/usr/bin/kvl-settings-editor" || fail "the program is not $version"
grep -q "<release version=\"$version\"" "$scratch/unpacked/usr/share/metainfo/$id.metainfo.xml" ||
    fail "AppStream names another release than $version"
