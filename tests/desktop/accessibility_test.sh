#!/usr/bin/env bash
# What a screen reader sees of the main window: the real program on Xvfb under openbox, its accessibility
# tree read from outside through AT-SPI (the bus that Orca reads) on a D-Bus session of the test's own.
# Each round button must be a push button named by its hint, the start panel's switch a check box with its
# state; pressing and toggling through the bus must act as a click does.
#
# Usage: accessibility_test.sh <editor executable> <demo prefix> [ENG|GER]
# Exits 77 (skipped) when a tool is missing.
set -euo pipefail

editor=$1
demo=$2
language=${3:-ENG}

work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-accessibility-XXXXXX")
# shellcheck source=desktop_session.sh
. "$(dirname "$0")/desktop_session.sh"
# Debian's own Python, which python3-pyatspi extends (a python3 of another origin may come first on the path).
readonly python=/usr/bin/python3
require_tools Xvfb openbox xprop dbus-run-session "$python" /usr/libexec/at-spi-bus-launcher
"$python" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

mkdir -p "$work/program" "$work/runtime" "$work/prefix"
chmod 700 "$work/runtime"
cp -a "$demo/." "$work/prefix/"
cp "$editor" "$work/program/"
printf '[User]\r\nLanguage=%s\r\nShowStart=1\r\n' "$language" >"$work/program/settings.ini"

unset WAYLAND_DISPLAY
export WINEPREFIX="$work/prefix" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb WINEDEBUG=-all QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_desktop 1366 768

# The program and the reader share a session bus that ends with them.
dbus-run-session -- sh -c '
    "$1" >"$2/editor.log" 2>&1 &
    editor=$!
    "$5" "$3" "$4" 2>&1
    status=$?
    kill "$editor" 2>/dev/null
    exit $status' sh "$work/program/$(basename "$editor")" "$work" \
    "$(dirname "$0")/accessible_tree.py" "$language" "$python" 2>>"$work/bus.log" ||
    { cat "$work/bus.log" "$work/editor.log"; fail "the tree as AT-SPI shows it (see above)"; }

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
