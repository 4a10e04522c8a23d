#!/usr/bin/env bash
# Finding the Wine prefix as a user meets it: the real program on Xvfb under openbox, no WINEPREFIX, a home
# folder with the host in a Bottles bottle and in a Steam game's prefix. The chooser comes up over the main
# window; the Steam prefix is chosen with the keyboard and remembered, Apply writes there and nowhere else,
# and the next start opens it without asking. With no prefix at all: the message, then the empty page.
#
# Usage: prefix_chooser_test.sh <editor executable> <demo prefix> [<screenshot folder>]
# With a screenshot folder (needs ImageMagick's import) the chooser is saved there in both languages and
# themes as prefix_chooser_<language>_<theme>.png, with the message and the empty page beside it.
# Exits 77 (skipped) when a tool is missing.
set -euo pipefail

editor=$1
demo=$2
shots=${3:-}


readonly screen_w=1366 screen_h=768 title="KVL-17+ Settings Editor"
work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-prefixes-XXXXXX")
# shellcheck source=desktop_session.sh
. "$(dirname "$0")/desktop_session.sh"
require_tools Xvfb openbox xdotool xprop xwininfo ${shots:+import}

screenshot() { # <window> <name>
    [ -z "$shots" ] || save_window "$1" "$shots/$2.png"
}

home="$work/home"
bottle="$home/.local/share/bottles/bottles/kvl"
steam="$home/.local/share/Steam/steamapps/compatdata/4242/pfx"
mkdir -p "$bottle" "$steam" "$work/program" "$work/runtime" "$work/empty-home"
chmod 700 "$work/runtime"
cp -a "$demo/." "$bottle/"
cp -a "$demo/." "$steam/"
printf 'Name: KVL bottle\nArch: win64\n' >"$bottle/bottle.yml"
printf '"AppState"\n{\n\t"appid"\t\t"4242"\n\t"name"\t\t"KVL 17"\n}\n' \
    >"$home/.local/share/Steam/steamapps/appmanifest_4242.acf"
cp "$editor" "$work/program/"
program="$work/program/$(basename "$editor")"
settings="$work/program/settings.ini"

unset WINEPREFIX WAYLAND_DISPLAY
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb WINEDEBUG=-all

start_desktop "$screen_w" "$screen_h"

# Starts the program with a home folder; sets $main, or fails the test when no main window comes.
start_editor() { # <home>
    HOME="$1" "$program" >>"$work/editor.log" 2>&1 &
    editor_pid=$!
    pids+=("$editor_pid")
    main=$(new_window 20)
    [ -n "$main" ] || { cat "$work/editor.log"; echo "FAIL: no window appeared"; exit 1; }
}
# The close button, no confirmation asked (CloseConfirmOn=0): the program ends.
close_editor() {
    click "$main" 734 476
    poll 10 sh -c "! kill -0 $editor_pid" || fail "the program did not end"
}
chooser_caption() { [ "$1" = GER ] && echo "Wine-Präfix wählen" || echo "Choose a Wine prefix"; }

# The chooser in both languages and themes, closed with Escape: nothing is chosen, nothing remembered.
for language in ENG GER; do
    for skin in 0 1; do
        printf '[User]\r\nLanguage=%s\r\nShowStart=0\r\nCloseConfirmOn=0\r\nSelectedWinVersion=%s\r\n' \
            "$language" "$skin" >"$settings"
        start_editor "$home"
        chooser=$(new_window 10 "$main")
        if [ -z "$chooser" ]; then
            fail "no chooser with two prefixes holding the host ($language)"
        else
            check "chooser caption" "$(chooser_caption "$language")" "$(name_of "$chooser")"
            screenshot "$chooser" "prefix_chooser_${language}_Windows1$((skin))"
            xdotool key Escape
            poll 5 gone "$chooser" || fail "Escape did not close the chooser"
        fi
        close_editor
    done
done
check "settings.ini after closing the chooser" "" "$(grep -i '^\[Prefix\]' "$settings" || true)"

# Down to the Steam prefix (the bottle comes first, as found), Tab to "Remember this choice", Space, back
# with Shift+Tab, Return opens it.
printf '[User]\r\nLanguage=ENG\r\nShowStart=0\r\nCloseConfirmOn=0\r\n' >"$settings"
start_editor "$home"
chooser=$(new_window 10 "$main")
[ -n "$chooser" ] || fail "no chooser"
xdotool key Down Tab space shift+Tab Return
poll 5 gone "$chooser" || fail "Return did not open the chosen prefix"
check "remembered prefix" "Path=\"$steam\" Remember=1" \
    "$(grep -E '^(Path|Remember)=' "$settings" | tr -d '\r' | tr '\n' ' ' | sed 's/ $//')"
bottle_hive=$(cat "$bottle/user.reg")
steam_hive=$(cat "$steam/user.reg")
sleep 1 # the key's time stamp is in seconds
click "$main" 584 399 # BApply17 on the page of the chosen prefix
poll 5 sh -c "[ \"\$(cat '$steam/user.reg')\" != \"\$1\" ]" _ "$steam_hive" || fail "Apply did not write the chosen prefix"
check "the other prefix after Apply" "unchanged" \
    "$([ "$(cat "$bottle/user.reg")" = "$bottle_hive" ] && echo unchanged || echo changed)"
screenshot "$main" prefix_chosen_page_ENG
close_editor

# Remembered: the next start opens it without asking.
start_editor "$home"
check "window beside the main window at a remembered start" "" "$(new_window 3 "$main")"
close_editor

# No prefix at all: the message first (before the main window), then the empty page.
start_editor "$work/empty-home"
message=$main
check "message caption" "$title" "$(name_of "$message")"
screenshot "$message" prefix_not_found_ENG
xdotool key Return
poll 5 gone "$message" || fail "the message did not close"
main=$(new_window 10)
if [ -z "$main" ]; then
    fail "no main window after the message"
else
    check "main window caption after the message" "$title" "$(name_of "$main")"
    screenshot "$main" prefix_not_found_page_ENG
    close_editor
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; cat "$work/editor.log"; exit 1; }
echo "all checks passed"
