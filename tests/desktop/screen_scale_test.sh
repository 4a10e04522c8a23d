#!/usr/bin/env bash
# The editor on a screen scaled as a high-density laptop's is (the toolkit's scale factor), under openbox:
# the main window's frame lies on the screen, centred in the work area where it fits, else from the work
# area's top-left corner; the preferences dialog's frame lies on the screen and is centred on the main
# window where the screen allows.
#
# Usage: screen_scale_test.sh <editor executable> <demo prefix> <width> <height> <scale>
#            [<screenshot folder>]
# With a screenshot folder the main window and the preferences dialog are saved there as
# main_window_<percent>.png and preferences_<percent>.png. Exits 77 (skipped) when a tool is missing.
set -euo pipefail

editor=$1
demo=$2
readonly screen_w=$3 screen_h=$4 scale=$5
shots=${6:-}
percent=$(awk -v s="$scale" 'BEGIN { printf "%d", s * 100 + 0.5 }')

work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-scale-XXXXXX")
# shellcheck source=desktop_session.sh
. "$(dirname "$0")/desktop_session.sh"
require_tools Xvfb openbox xdotool xprop xwininfo ${shots:+import}

screenshot() { # <window> <name>
    [ -z "$shots" ] || save_window "$1" "$shots/${2}_${percent}.png"
}

# Where a frame of <length> starts on an axis of the screen: centred where it fits, else at 0.
expected_start() { # <screen length> <frame length> <centred start>
    if [ "$2" -gt "$1" ]; then echo 0; else echo "$3"; fi
}
# Within <tolerance> pixels: the toolkit places windows in whole scaled pixels, the window manager's frame
# is in the screen's (openbox's 1-pixel border is half a pixel at 200 %).
near() { # <what> <expected> <actual> <tolerance>
    local difference=$(($3 - $2))
    if [ "${difference#-}" -le "$4" ]; then echo "ok: $1: $3"; else fail "$1: expected $2 (±$4), got $3"; fi
}
check_on_screen() { # <what> <window>
    local x y w h
    read -r x y w h < <(outer_geometry "$2")
    if [ "$x" -lt 0 ] || [ "$y" -lt 0 ]; then fail "$1 frame's top-left corner off the screen: $x $y"; fi
    near "$1 frame's left" "$(expected_start "$screen_w" "$w" "$x")" "$x" 1
    near "$1 frame's top" "$(expected_start "$screen_h" "$h" "$y")" "$y" 1
    [ "$w" -gt "$screen_w" ] || [ $((x + w)) -le "$screen_w" ] || fail "$1 frame's right edge off the screen"
    [ "$h" -gt "$screen_h" ] || [ $((y + h)) -le "$screen_h" ] || fail "$1 frame's bottom edge off the screen"
}

mkdir -p "$work/program" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$editor" "$work/program/"
cp -a "$demo" "$work/prefix"
printf '[User]\r\nLanguage=ENG\r\nShowStart=0\r\nCloseConfirmOn=0\r\n' >"$work/program/settings.ini"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" WINEPREFIX="$work/prefix"
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" WINEDEBUG=-all
unset WAYLAND_DISPLAY

start_desktop "$screen_w" "$screen_h"
start_editor "$editor"

read -r _ _ main_w main_h < <(outer_geometry "$main")
near "main window outer width at $percent %" "$(awk -v s="$scale" 'BEGIN { printf "%d", 776 * s }')" "$main_w" 2
read -r main_x main_y _ _ < <(outer_geometry "$main")
near "main window frame's left at $percent %" "$(expected_start "$screen_w" "$main_w" $(((screen_w - main_w) / 2)))" \
    "$main_x" 1
near "main window frame's top at $percent %" "$(expected_start "$screen_h" "$main_h" $(((screen_h - main_h) / 2)))" \
    "$main_y" 1
check_on_screen "main window" "$main"
sleep 0.5
screenshot "$main" main_window

# BSettings at 37, 476 of the designed client area.
read -r button_x button_y < <(awk -v s="$scale" 'BEGIN { printf "%d %d\n", 37 * s, 476 * s }')
# A window larger than the screen keeps its round buttons below the screen's edge: the user drags it up.
if [ $((main_y + button_y + 40)) -gt "$screen_h" ]; then
    xdotool windowmove "$main" "$main_x" $((screen_h - button_y - 40 * ${scale%.*}))
    poll 5 sh -c "xwininfo -id $main | grep -q 'Absolute upper-left Y: *-'" || fail "main window could not be moved up"
    read -r main_x main_y _ _ < <(outer_geometry "$main")
fi
click "$main" "$button_x" "$button_y"
dialog=$(new_window 5 "$main")
if [ -n "$dialog" ]; then
    check_on_screen "preferences dialog" "$dialog"
    read -r dx dy dw dh < <(outer_geometry "$dialog")
    # Centred on the main window wherever that keeps it on the screen; each frame counts its half-pixel
    # border at 200 % as a whole one.
    want_x=$((main_x + main_w / 2 - dw / 2)) want_y=$((main_y + main_h / 2 - dh / 2))
    [ $((want_x + dw)) -le "$screen_w" ] && near "preferences dialog centred, left" "$want_x" "$dx" 2
    [ $((want_y + dh)) -le "$screen_h" ] && near "preferences dialog centred, top" "$want_y" "$dy" 2
    sleep 0.5
    screenshot "$dialog" preferences
    xdotool key Escape
else
    fail "preferences dialog did not open"
fi

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
