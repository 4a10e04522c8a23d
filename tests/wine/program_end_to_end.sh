#!/usr/bin/env bash
# The Windows program as a user runs it: kvl-settings-editor.exe under wine on Xvfb with openbox, in the
# prefix of $WINEPREFIX with the host's keys stored by `wine reg add`. A user changes two values and
# clicks Apply: `wine reg query` must then show every value with its type. The export, saved through the
# program's save dialog and imported with `wine regedit /S` after the key was deleted, must give the
# same values again. Ending with the close button writes settings.ini beside the executable.
#
# Usage: program_end_to_end.sh <kvl-settings-editor.exe> [<screenshot file>]
# Exits 77 (skipped) when a tool is missing.
set -euo pipefail

exe=$1
shot=${2:-}
: "${WINEPREFIX:?WINEPREFIX must name a prefix made with wineboot}"

work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-windows-XXXXXX")
# shellcheck source=../desktop/desktop_session.sh
. "$(dirname "$0")/../desktop/desktop_session.sh"
require_tools Xvfb openbox xdotool xprop xwininfo wine ${shot:+import}

readonly user_key='HKCU\Software\Varnel\KVL 17.00\QTRX' install_key='HKLM\Software\Varnel\KVL 17.00\QTRX'
readonly host='C:\kvl-e2e' host_folder="$WINEPREFIX/drive_c/kvl-e2e"

# Every Wine process of the prefix on this display: a server left by an earlier run would hold a
# desktop process without one.
start_desktop 1366 768
wineserver -k 2>/dev/null || true
wineserver -w

# The host installed as its own setup would: keys in the registry, the filter file in its folder.
wine reg delete "$user_key" /f >/dev/null 2>&1 || true
add() { wine reg add "$1" /v "$2" "${@:3}" /f /reg:64 >/dev/null; }
add "$install_key" Directory /d "$host"
add "$install_key" Language /d ENG
for name in CtrlWindow AutoSaveDLG HideOldMdl; do add "$user_key" "$name" /t REG_DWORD /d 0; done
add "$user_key" LastANL /d "$host\\Demo.anl3"
add "$user_key" ANLPath /d "$host\\Anlagen"
add "$user_key" AviPath /d "$host\\Media"
add "$user_key" LuaExtEd /d 'C:\Tools\edit.exe'
add "$user_key" MaxObj /t REG_DWORD /d 1000
rm -rf "$host_folder"
mkdir -p "$host_folder/Resourcen/Categories/Filters"
printf '[deprecated_models_001]\r\nDefaultSetting=1\r\n' >"$host_folder/Resourcen/Categories/Filters/deprecated_models.inf"
trap 'cleanup; rm -rf "$host_folder"' EXIT

stored() { wine reg query "$user_key" | tr -d '\r' | sed -n 's/^ \{4\}//p' | tr -s ' ' | sort; }

mkdir -p "$work/program"
cp "$exe" "$work/program/"
printf '[User]\r\nShowStart=0\r\nUseHints=0\r\nCloseConfirmOn=0\r\n' >"$work/program/settings.ini"
wine "$work/program/$(basename "$exe")" >"$work/program.log" 2>&1 &
program=$!
pids+=("$program")
main=$(new_window 60)
[ -n "$main" ] || { cat "$work/program.log"; echo "FAIL: the main window did not appear"; exit 1; }
check "main window caption" "KVL-17+ Settings Editor" "$(name_of "$main")"
sleep 1
[ -z "$shot" ] || import -window root -crop "$(xwininfo -id "$main" -frame | awk '/Width/ {w = $2} /Height/ {h = $2} /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {printf "%dx%d+%d+%d", w, h, x, y}')" +repage "$shot"

click "$main" 39 292 # CBDock17
click "$main" 262 263 # EMaxObj17
xdotool key ctrl+a
xdotool type 2222
click "$main" 584 399 # BApply17
expected="ANLPath REG_SZ $host\\Anlagen
AutoSaveDLG REG_DWORD 0x0
AviPath REG_SZ $host\\Media
CtrlWindow REG_DWORD 0x1
HideOldMdl REG_DWORD 0x0
LastANL REG_SZ $host\\Demo.anl3
LuaExtEd REG_SZ C:\\Tools\\edit.exe
MaxObj REG_DWORD 0x8ae"
poll 10 sh -c "wine reg query '$user_key' /v MaxObj | grep -q 0x8ae" || true
check "values after Apply (wine reg query)" "$expected" "$(stored)"
check "error windows after Apply" "" "$(new_window 1 "$main")"

click "$main" 712 399 # BSave17
dialog=$(new_window 20 "$main")
if [ -z "$dialog" ]; then
    fail "the save dialog did not appear"
else
    xdotool key ctrl+a
    xdotool type "$host\\KVL17.reg"
    xdotool key Return
    poll 20 test -s "$host_folder/KVL17.reg" || fail "no export was written"
fi
if [ -s "$host_folder/KVL17.reg" ]; then
    wine reg delete "$user_key" /f >/dev/null
    wine regedit /S "$host\\KVL17.reg"
    check "values after the export was imported (wine regedit /S)" "$expected" "$(stored)"
fi

click "$main" 734 476 # BClose
poll 20 sh -c "! kill -0 $program" || fail "the program did not end"
# The export does not change the export folder: it stays the executable's folder, in Windows form.
check "settings.ini beside the executable after closing" \
    "Language=ENG LastSaveDir=\"$(winepath -w "$work/program/" | tr -d '\r')\"" \
    "$(tr -d '\r' <"$work/program/settings.ini" | grep -E '^(Language|LastSaveDir)=' | tr '\n' ' ' | sed 's/ $//')"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
