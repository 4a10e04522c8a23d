#!/usr/bin/env bash
# The Windows installer package as users and administrators use it, under wine on Xvfb with openbox, in
# the prefix of $WINEPREFIX:
# - per user, silent: the program and its Start-menu shortcut in place, the product listed as "Installed
#   apps" lists it, the program started from the shortcut shows its window;
# - a package of a higher version over it: one product listed, the new files;
# - removed: the program, its shortcut and the listing gone, the user's settings.ini kept;
# - per machine (ALLUSERS=1), the program folder read-only as Windows has it for users: preferences
#   changed and the program closed write settings.ini under %APPDATA%, nothing beside the program and
#   no error box; removed again, the settings stay.
#
# Usage: installer_end_to_end.sh <kvl-settings-editor.exe> <version, e.g. 2.03>
# Exits 77 (skipped) when a tool is missing. Needs root for the read-only bind mount.
set -euo pipefail

exe=$(realpath "$1")
version=$2
: "${WINEPREFIX:?WINEPREFIX must name a prefix made with wineboot}"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: making the program folder read-only takes a bind mount, as root"; exit 77; }

# Wine would mirror the Start-menu shortcuts into the Linux desktop's menus of whoever runs the test.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

work=$(mktemp -d "${TMPDIR:-/tmp}/kvl-installer-XXXXXX")
# shellcheck source=../desktop/desktop_session.sh
. "$(dirname "$0")/../desktop/desktop_session.sh"
require_tools Xvfb openbox xdotool xprop xwininfo wine wixl msiinfo mount
read_only=
# Wine's programs first: a folder they hold open cannot be unmounted, and a mount left behind keeps the
# prefix from being removed.
finish() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    [ -z "$read_only" ] || umount "$read_only" 2>/dev/null || umount -l "$read_only" 2>/dev/null || true
    cleanup
}
trap finish EXIT

# The same program, told apart by a byte after its image, in a package of a higher version.
scripts=$(dirname "$0")/../../scripts
newer_version=$(printf '%s.%02d' "${version%.*}" $((10#${version##*.} + 1)))
cp "$exe" "$work/newer.exe"
printf 'newer' >>"$work/newer.exe"
"$scripts/build-msi.sh" "$exe" "$version" "$work/older.msi"
"$scripts/build-msi.sh" "$work/newer.exe" "$newer_version" "$work/newer.msi"
check "the package's icon in Installed apps" "ARPPRODUCTICON ProgramIcon.ico" \
    "$(msiinfo export "$work/older.msi" Property | tr -d '\r' | grep '^ARPPRODUCTICON' | tr '\t' ' ')"

start_desktop 1366 768
wineserver -k 2>/dev/null || true
wineserver -w

windows_folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')" | sed 's|/$||'; }
local_data=$(windows_folder LOCALAPPDATA)
roaming=$(windows_folder APPDATA)
program_files=$(windows_folder ProgramW6432)
common_data=$(windows_folder ProgramData)
readonly name='KVL-17+ Settings Editor'
readonly user_folder="$local_data/Programs/$name" machine_folder="$program_files/$name"
readonly user_link="$roaming/Microsoft/Windows/Start Menu/Programs/$name.lnk"
readonly machine_link="$common_data/Microsoft/Windows/Start Menu/Programs/$name.lnk"
rm -rf "$user_folder" "$machine_folder" "${roaming:?}/$name"

msiexec() { wine msiexec "$@" /qn; }
listed() { wine uninstaller --list | tr -d '\r' | grep -F "|||$name" || true; }
# Wine keeps the listing of per-user installs under HKLM too.
listing() { # <product code> <value>
    wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" /v "$2" /reg:64 |
        tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# The program a shortcut starts: the path in its link information.
target_of() { strings "$1" 2>/dev/null | grep -m1 '^[A-Z]:\\.*\.exe$' || true; }
# Starts the program, waits for its main window and prints its id.
main_window() { # <program or shortcut, Windows path>
    wine start "$1" >/dev/null 2>&1
    new_window 60
}

# Per user, silent, as anyone may install it.
msiexec /i "$(winepath -w "$work/older.msi")"
check "program installed per user" "yes" "$(cmp -s "$exe" "$user_folder/kvl-settings-editor.exe" && echo yes)"
check "Start-menu shortcut to it" "$(winepath -w "$user_folder/kvl-settings-editor.exe")" "$(target_of "$user_link")"
product=$(listed | cut -d'|' -f1)
check "listed once" "1" "$(listed | wc -l)"
check "listed version and publisher" "$version KVL-17+ Settings Editor contributors" \
    "$(listing "$product" DisplayVersion) $(listing "$product" Publisher)"
check "listed size in KB" "$((($(stat -c %s "$exe") + 1023) / 1024))" "$(listing "$product" Size)"
main=$(main_window "$(winepath -w "$user_link")")
check "window of the program started from the shortcut" "$name" "$(name_of "${main:-0}" 2>/dev/null)"
wineserver -k
wineserver -w

# A higher version over it.
msiexec /i "$(winepath -w "$work/newer.msi")"
check "listed once after the upgrade" "1" "$(listed | wc -l)"
product=$(listed | cut -d'|' -f1)
check "listed version after the upgrade" "$newer_version" "$(listing "$product" DisplayVersion)"
check "the newer program in place" "yes" "$(cmp -s "$work/newer.exe" "$user_folder/kvl-settings-editor.exe" && echo yes)"

# Removed, with the user's settings.ini beside the program as the program leaves it.
printf '[User]\r\nLanguage=GER\r\n' >"$user_folder/settings.ini"
msiexec /x "$product"
check "listed after removal" "" "$(listed)"
check "program and shortcut after removal" "" \
    "$(ls "$user_folder/kvl-settings-editor.exe" "$user_link" 2>/dev/null)"
check "the user's settings.ini after removal" "[User] Language=GER" "$(tr -d '\r' <"$user_folder/settings.ini" | tr '\n' ' ' | sed 's/ $//')"

# Per machine, as administrators deploy it; its folder then takes no new files from the user.
msiexec /i "$(winepath -w "$work/older.msi")" ALLUSERS=1
check "program installed per machine" "yes" "$(cmp -s "$exe" "$machine_folder/kvl-settings-editor.exe" && echo yes)"
# Windows puts it into all users' menu; Wine's installer into the installing user's.
check "Start-menu shortcut to it" "$(winepath -w "$machine_folder/kvl-settings-editor.exe")" \
    "$(target_of "$machine_link")$(test -f "$machine_link" || target_of "$user_link")"
mount --bind "$machine_folder" "$machine_folder"
read_only=$machine_folder
mount -o remount,bind,ro "$machine_folder"
main=$(main_window "$(winepath -w "$machine_folder/kvl-settings-editor.exe")")
check "window of the program installed per machine" "$name" "$(name_of "${main:-0}" 2>/dev/null)"
if [ -n "$main" ]; then
    sleep 1
    click "$main" 41 264 # CBWarning: no start-up warning from now on
    click "$main" 734 476 # BClose
    dialog=$(new_window 20 "$main")
    [ -n "$dialog" ] && xdotool mousemove --window "$dialog" 152 100 click 1 # BYes
    poll 20 gone "$main" || fail "the program did not end"
    check "error boxes" "" "$(new_window 1 "$main" "$dialog")"
fi
check "settings.ini under %APPDATA%" "ShowStart=0" "$(tr -d '\r' <"$roaming/$name/settings.ini" 2>/dev/null | grep '^ShowStart=')"
check "files beside the program" "kvl-settings-editor.exe" "$(ls -A "$machine_folder")"
umount "$machine_folder"
read_only=
wineserver -k
wineserver -w
msiexec /x "$(winepath -w "$work/older.msi")"
check "listed after removal per machine" "" "$(listed)"
check "program folder after removal per machine" "" "$(ls -A "$machine_folder" 2>/dev/null)"
check "settings.ini under %APPDATA% after removal" "yes" "$(test -f "$roaming/$name/settings.ini" && echo yes)"
rm -rf "$user_folder" "${roaming:?}/$name"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
