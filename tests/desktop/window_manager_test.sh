#!/usr/bin/env bash
# The editor as a user sees it: the real program on Xvfb under openbox, a window manager that frames a
# window only after it is mapped, driven from outside with xdotool. Checks what offscreen tests cannot
# see: each window's outer geometry and centring at its first showing, captions and frame hints, and
# that the start-up panel lets nothing of the page beneath it be clicked or reached with the keyboard.
#
# Usage: window_manager_test.sh <editor executable> <demo prefix> [<screenshot folder> [ENG|GER]]
# With a screenshot folder (needs ImageMagick's import) every window is saved there as <name>_<language>.png.
# Exits 77 (skipped) when a tool is missing.
set -euo pipefail

editor=$1
demo=$2
shots=${3:-}
language=${4:-ENG}


readonly screen_w=1366 screen_h=768 title="KVL-17+ Settings Editor"
work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-desktop-XXXXXX")
# shellcheck source=desktop_session.sh
. "$(dirname "$0")/desktop_session.sh"
require_tools Xvfb openbox xdotool xprop xwininfo ${shots:+import}

screenshot() { # <window, or "root" for the whole screen> <name>
    [ -n "$shots" ] || return 0
    local file="$shots/${2}_${language}.png"
    if [ "$1" = root ]; then
        import -window root "$file"
    else
        save_window "$1" "$file"
    fi
}

# A dialog at its first showing, as soon as it is framed: centred by its outer size on the main window's
# outer frame. No waiting for it to settle: a window that jumps into place fails.
check_centred_dialog() { # <what> <dialog> <main>
    local mx my mw mh dw dh
    read -r mx my mw mh < <(outer_geometry "$3")
    read -r _ _ dw dh < <(outer_geometry "$2")
    check "$1 outer geometry, centred on the main window" \
        "$((mx + mw / 2 - dw / 2)) $((my + mh / 2 - dh / 2)) $dw $dh" "$(outer_geometry "$2")"
}

# Fixed frame: move only, title and border only.
readonly fixed_frame_hints="0x3, 0x4, 0xa, 0x0, 0x0"

# The program in a folder of its own (settings.ini lives beside it), on a copy of the demo prefix whose
# paths differ from the reset texts, so that a reset box checked unseen shows in what Apply writes.
mkdir -p "$work/program" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$editor" "$work/program/"
cp -a "$demo" "$work/prefix"
sed -i 's/^"ANLPath"=.*/"ANLPath"="C:\\\\Layouts"/; s/^"AviPath"=.*/"AviPath"="C:\\\\Media"/' \
    "$work/prefix/user.reg"
printf '[User]\r\nLanguage=%s\r\nCloseConfirmOn=1\r\n' "$language" >"$work/program/settings.ini"
# Write-protected, so that ending the program shows the error box.
chmod a-w "$work/program/settings.ini"

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" WINEPREFIX="$work/prefix"
export QT_QPA_PLATFORM=xcb WINEDEBUG=-all
unset WAYLAND_DISPLAY

start_desktop "$screen_w" "$screen_h"

start_editor "$editor"

# Main window: outer width 776 with the frame, centred on the screen by its outer size, from the start.
read -r _ _ _ main_h < <(outer_geometry "$main")
check "main window outer geometry, centred on the screen" \
    "$(((screen_w - 776) / 2)) $(((screen_h - main_h) / 2)) 776 $main_h" "$(outer_geometry "$main")"
check "main window client height" 540 "$(client_geometry "$main" | cut -d' ' -f4)"
check "main window caption" "$title" "$(name_of "$main")"
check "main window frame hints" "$fixed_frame_hints" "$(hints_of "$main")"
# A dialog type or a transient owner keeps a window out of task bars.
check "main window type, owner" "_NET_WM_WINDOW_TYPE_NORMAL, none" \
    "$(xprop -id "$main" _NET_WM_WINDOW_TYPE | sed 's/.*= //'), $(xprop -id "$main" WM_TRANSIENT_FOR | grep -q 'window id' && echo owned || echo none)"
screenshot root desktop
screenshot "$main" main_start_panel

# While the start-up panel is shown, the strip below it (where the page's round buttons would stick
# out) and the keyboard reach nothing of the page: no export dialog, no Apply, no changed value.
values() { grep '^"' "$work/prefix/user.reg"; }
user_hive=$(cat "$work/prefix/user.reg")
for x in 584 648 712; do # BApply17, BReload17, BSave17
    click "$main" "$x" 418
done
check "window opened by a click below the start-up panel" "" "$(new_window 1 "$main")"
check "user.reg after clicks below the start-up panel" "unchanged" \
    "$([ "$(cat "$work/prefix/user.reg")" = "$user_hive" ] && echo unchanged || echo changed)"

# Sets $dialog to the window that appeared beside the known ones; a failure when none came.
await_dialog() { # <what> <known ids...>
    dialog=$(new_window 5 "${@:2}")
    [ -n "$dialog" ] || fail "$1 did not open"
    [ -n "$dialog" ]
}
# Closes $dialog with an xdotool command; a failure when it stays.
close_dialog() { # <what> <xdotool arguments...>
    xdotool "${@:2}"
    poll 5 gone "$dialog" || fail "$1 did not close"
}

# The dialogs, each at its first showing.
click "$main" 37 476 # BSettings
if await_dialog "preferences dialog" "$main"; then
    check_centred_dialog "preferences dialog" "$dialog" "$main"
    check "preferences dialog caption" "$([ "$language" = GER ] && echo Programmeinstellungen || echo "Program settings")" \
        "$(name_of "$dialog")"
    check "preferences dialog frame hints" "$fixed_frame_hints" "$(hints_of "$dialog")"
    screenshot "$dialog" preferences
    close_dialog "preferences dialog" key Escape
fi

click "$main" 101 476 # BAbout
if await_dialog About "$main"; then
    check_centred_dialog About "$dialog" "$main"
    check "About caption" "$([ "$language" = GER ] && echo "Über..." || echo "About...")" "$(name_of "$dialog")"
    check "About frame hints" "$fixed_frame_hints" "$(hints_of "$dialog")"
    screenshot "$dialog" about
    close_dialog About key Escape
fi

click "$main" 734 476 # BClose
if await_dialog "exit confirmation" "$main"; then
    check_centred_dialog "exit confirmation" "$dialog" "$main"
    check "exit confirmation caption, blank" "" "$(name_of "$dialog" | tr -d ' ')"
    check "exit confirmation frame hints" "$fixed_frame_hints" "$(hints_of "$dialog")"
    screenshot "$dialog" confirm_exit
    close_dialog "exit confirmation" mousemove --window "$dialog" 216 100 click 1 # BNo
fi

# The keys that once checked a reset box behind the panel; a dialog they open is closed again.
xdotool key Tab Tab space
dialog=$(new_window 1 "$main")
[ -z "$dialog" ] || close_dialog "a dialog opened from the start-up panel" key Escape
click "$main" 385 192 # Bok
sleep 0.5
screenshot "$main" main_settings_page
click "$main" 584 399 # BApply17
check "values Apply writes after Tab, Tab, Space on the start-up panel" "$(echo "$user_hive" | grep '^"')" "$(values)"

# The path edits' dialogs (opened with Alt+Down in the edit) and the export dialog.
inspect_file_dialog() { # <what> <expected caption> <screenshot name>
    if await_dialog "$1" "$main"; then
        check_centred_dialog "$1" "$dialog" "$main"
        check "$1 caption" "$2" "$(name_of "$dialog" | sed 's/^ *$//')"
        screenshot "$dialog" "$3"
        close_dialog "$1" key Escape
    fi
}
click "$main" 400 158 # EPathAnl17
xdotool key alt+Down
inspect_file_dialog "folder browser" "" folder_browser
click "$main" 400 182 # EAnl17
xdotool key alt+Down
inspect_file_dialog "file dialog" Browse file_browser
click "$main" 712 399 # BSave17
inspect_file_dialog "export dialog" "$([ "$language" = GER ] && echo "Speichern unter" || echo "Save As")" export_dialog

# Ending the program: Yes, then the write-protected settings.ini brings up the error box.
click "$main" 734 476 # BClose
if await_dialog "exit confirmation" "$main"; then
    close_dialog "exit confirmation" mousemove --window "$dialog" 152 100 click 1 # BYes
fi
if await_dialog "error box" "$main"; then
    check_centred_dialog "error box" "$dialog" "$main"
    check "error box caption" "$title" "$(name_of "$dialog")"
    screenshot "$dialog" error_box
    close_dialog "error box" key Return
fi

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
