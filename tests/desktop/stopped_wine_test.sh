#!/usr/bin/env bash
# The editor on a Wine prefix whose server is alive but does not answer (stopped with SIGSTOP), as a user
# meets it: the main window is painted at once and shows that it waits on Wine, the error box says within
# the program's deadline that Wine does not answer, and a wait the user cancels with Escape ends at once
# without a word.
#
# Usage: stopped_wine_test.sh <editor executable> [<screenshot folder>]
# With a screenshot folder the busy window and the error box are saved there.
# Exits 77 (skipped) when a tool is missing.
set -euo pipefail

editor=$1
shots=${2:-}


readonly deadline=10 # seconds: how long a load or Apply may wait on Wine in all
readonly title="KVL-17+ Settings Editor"
work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-stopped-wine-XXXXXX")
# shellcheck source=desktop_session.sh
. "$(dirname "$0")/desktop_session.sh"
require_tools Xvfb openbox xdotool xprop xwininfo import convert compare wine wineboot wineserver

server=
end_server() {
    if [ -n "$server" ]; then
        kill -CONT "$server" 2>/dev/null || true
        wineserver -k 2>/dev/null || true
    fi
    cleanup
}
trap end_server EXIT

export WINEPREFIX="$work/prefix" WINEDEBUG=-all XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
mkdir -p "$work/program" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$editor" "$work/program/"
printf '[User]\r\nLanguage=ENG\r\nShowStart=0\r\n' >"$work/program/settings.ini"

# Wine's own start in a new prefix fails now and then (a program that starts while the server shuts down
# the helpers of the one before); such a step is tried again, and one that keeps failing shows what Wine said.
in_wine() { # <command...>
    local attempt
    for attempt in 1 2 3; do
        "$@" >>"$work/wine.log" 2>&1 && return 0
        echo "attempt $attempt of '$*' failed" >>"$work/wine.log"
        wineserver -w 2>/dev/null || true
    done
    cat "$work/wine.log"
    echo "FAIL: Wine could not make the test's prefix"
    exit 1
}

# A prefix made by Wine, with the host's keys as Wine's own tool stores them.
in_wine wineboot -i
wineserver -w
key='Software\Varnel\KVL 17.00\QTRX'
in_wine wine reg add "HKLM\\$key" /v Directory /t REG_SZ /d 'C:\KVL' /f
in_wine wine reg add "HKLM\\$key" /v Language /t REG_SZ /d ENG /f
for name in CtrlWindow AutoSaveDLG HideOldMdl; do
    in_wine wine reg add "HKCU\\$key" /v "$name" /t REG_DWORD /d 1 /f
done
for name in LastANL ANLPath AviPath LuaExtEd; do
    in_wine wine reg add "HKCU\\$key" /v "$name" /t REG_SZ /d "C:\\$name" /f
done
in_wine wine reg add "HKCU\\$key" /v MaxObj /t REG_DWORD /d 1500 /f
wineserver -w

# A server kept up without programs, then stopped: alive, holding its lock, never answering.
wineserver -p
server_of_prefix() {
    local environment
    for environment in /proc/[0-9]*/environ; do
        local pid=${environment#/proc/}
        pid=${pid%/environ}
        [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == wineserver* ]] || continue
        tr '\0' '\n' <"$environment" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid" && return 0
    done
    return 1
}
server=$(poll 10 server_of_prefix) || { echo "FAIL: no server for the prefix"; exit 1; }
kill -STOP "$server"

start_desktop 1366 768

now() { date +%s%N; }
seconds_since() { echo $((($(now) - $1) / 1000000)) | awk '{printf "%.1f", $1 / 1000}'; }
within() { awk -v a="$1" -v b="$2" 'BEGIN {exit !(a <= b)}'; }
# The client area's status bar, 30 pixels high at its bottom, as a picture.
status_bar() { # <window> <file>
    local x y w h
    read -r x y w h < <(client_geometry "$1")
    import -window root -crop "${w}x30+${x}+$((y + h - 30))" +repage "$2"
}
colours() { convert "$1" -format %k info:; }
save() { [ -z "$shots" ] || cp "$1" "$shots/$2"; }

# Start-up: the window comes and is painted at once, the load waiting behind it.
started=$(now)
"$work/program/$(basename "$editor")" >"$work/editor.log" 2>&1 &
editor_pid=$!
pids+=($editor_pid)
main=$(new_window 20)
[ -n "$main" ] || { cat "$work/editor.log"; echo "FAIL: the main window did not appear"; exit 1; }
painted() { import -window "$main" "$work/busy.png" && within 50 "$(colours "$work/busy.png")"; }
poll 5 painted || true
shown=$(seconds_since "$started")
within "$shown" 2 && echo "ok: main window painted after ${shown} s" || fail "main window painted after ${shown} s"
status_bar "$main" "$work/busy_bar.png"
save "$work/busy.png" stopped_wine_busy.png

# The message within the deadline, from the program's start.
box=$(new_window $((deadline + 20)) "$main")
told=$(seconds_since "$started")
[ -n "$box" ] || fail "no message that Wine does not answer"
if [ -n "$box" ]; then
    within "$told" $((deadline + 3)) && echo "ok: message after ${told} s" || fail "message after ${told} s"
    check "message caption" "$title" "$(name_of "$box")"
    if [ -n "$shots" ]; then
        read -r bx by bw bh < <(outer_geometry "$box")
        import -window root -crop "${bw}x${bh}+${bx}+${by}" +repage "$shots/stopped_wine_message.png"
    fi
    xdotool windowactivate --sync "$box" key Return
    poll 5 gone "$box" || fail "the message did not close"
fi
status_bar "$main" "$work/idle_bar.png"
differs() { ! compare -metric AE "$1" "$2" null: 2>/dev/null; }
differs "$work/busy_bar.png" "$work/idle_bar.png" && echo "ok: the busy note went" || fail "still busy after the message"

# Cancel: a second start, cancelled with Escape while it waits; it ends at once, and nothing is said.
kill "$editor_pid"
poll 5 gone "$main" || fail "the first program did not close"
started=$(now)
"$work/program/$(basename "$editor")" >"$work/editor2.log" 2>&1 &
pids+=($!)
main=$(new_window 20)
[ -n "$main" ] || { cat "$work/editor2.log"; echo "FAIL: the main window did not appear again"; exit 1; }
busy_again() { status_bar "$main" "$work/now_bar.png" && ! differs "$work/busy_bar.png" "$work/now_bar.png"; }
poll 2 busy_again && echo "ok: waiting again" || fail "the second start shows no wait"
xdotool windowactivate --sync "$main" key Escape
cancelled() { status_bar "$main" "$work/now_bar.png" && differs "$work/busy_bar.png" "$work/now_bar.png"; }
poll 3 cancelled && echo "ok: cancelled after $(seconds_since "$started") s" || fail "Escape did not cancel"
check "window opened after the cancel" "" "$(new_window $((deadline + 3)) "$main")"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all checks passed"
