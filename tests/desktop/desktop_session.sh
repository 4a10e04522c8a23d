# Shared by the tests that drive a program on a desktop of their own: Xvfb with openbox, which frames
# windows as a user's window manager does, and the helpers that find, measure and click windows.
# Sourced after `work` names the test's scratch folder; everything started goes with the script.
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# Under `set -e` a failed step of the script itself ends the test without a word; name it, so that a
# failure seen once in CI can be told from the log alone. Not inherited (no `set -E`): a failure that a
# function or a command substitution expects is no failure of the test.
trap 'echo "FAIL: line $LINENO: \"$BASH_COMMAND\" exited $?"' ERR

# Skips the test (exit 77) when a tool it drives the desktop with is missing.
require_tools() { # <tools...>
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
check() { # <what> <expected> <actual>
    if [ "$2" = "$3" ]; then echo "ok: $1: $3"; else fail "$1: expected '$2', got '$3'"; fi
}

# Retries a command every tenth of a second for at most <seconds>.
poll() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    until "$@" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

clients() { xprop -root _NET_CLIENT_LIST | sed -n 's/.*# //p' | tr -d ','; }
name_of() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^[^"]*"\(.*\)"$/\1/p'; }
hints_of() { xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= //p'; }
framed() { xprop -id "$1" _NET_FRAME_EXTENTS | grep -q '= '; }

# "x y width height" of the client area, and of the outer frame the window manager put around it.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /^  Width/ {w = $2} /^  Height/ {h = $2} END {print x, y, w, h}'
}
outer_geometry() {
    local x y w h left right top bottom
    read -r x y w h < <(client_geometry "$1")
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# The window that appears next beside the known ones, framed; empty when none comes within <seconds>.
new_window() { # <seconds> <known ids...>
    local seconds=$1
    shift
    found() {
        local id
        for id in $(clients); do
            if [[ " $* " != *" $id "* ]] && framed "$id"; then
                echo "$id"
                return 0
            fi
        done
        return 1
    }
    poll "$seconds" found "$@" || true
}
gone() { [[ " $(clients) " != *" $1 "* ]]; }

# Saves a window, its frame included, as a PNG (ImageMagick's import).
save_window() { # <window> <file>
    local x y w h
    read -r x y w h < <(outer_geometry "$1")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}

# Starts the editor copied into $work/program and sets $main to its main window; ends the test when
# none appears.
start_editor() { # <editor executable>
    "$work/program/$(basename "$1")" >"$work/editor.log" 2>&1 &
    pids+=($!)
    main=$(new_window 20)
    [ -n "$main" ] || { cat "$work/editor.log"; echo "FAIL: the main window did not appear"; exit 1; }
}

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; } # client coordinates

# Starts Xvfb with a screen of the given size and openbox on it, and points DISPLAY there.
start_desktop() { # <width> <height>
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    poll 10 test -s "$work/display" || { echo "Xvfb did not start"; exit 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
    poll 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || { echo "openbox did not start"; exit 1; }
}
