#!/usr/bin/env bash
# The per-user installer under Wine: a silent install puts the program, its Start-menu entry
# and its uninstall entry in place, also over an older version; the installed program shows
# its window; while it runs, nothing is replaced or removed, and interactively the user is
# asked to close it; an uninstall removes everything it put there before it says so.
# Throughout, DLLs under names Windows looks up by name lie beside the installers, as in a
# Downloads folder, and beside the installed program, and Wine is told to prefer them to its
# own, as Windows does for a DLL that is not a known system DLL: only a safe search order
# keeps them out, and none may ever be loaded.
# Usage: installer_test.sh WINE SETUP OLDER_SETUP PROGRAM DRIVER PLANTED_DLL...
#   (WINEPREFIX and DISPLAY set by the caller; the user Bulgarian)
set -uo pipefail
wine=$1 built_setup=$2 built_older=$3 program=$4 driver=$5
shift 5
planted=("$@")
source "$(dirname "${BASH_SOURCE[0]}")/calculate_variant2.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Downloads"
cp "$built_setup" "$built_older" "${planted[@]}" "$work/Downloads/"
setup=$work/Downloads/$(basename "$built_setup") older=$work/Downloads/$(basename "$built_older")
mark=$work/mark
export ISOSCELES_PLANTED_MARK="Z:${mark//\//\\}"
names=$(for dll in "${planted[@]}"; do basename "$dll" .dll; done | paste -sd,)
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}$names=n,b"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Isosceles'
status=0
fail() {
    echo "FAIL: $*"
    status=1
}
users=$(echo "$WINEPREFIX"/drive_c/users/*/AppData)
folder() { echo "$users/Local/Programs/Isosceles"; }
link="$users/Roaming/Microsoft/Windows/Start Menu/Programs/Равнобедрен триъгълник.lnk"

# An older version first, upgraded in place.
"$wine" "$older" /S || fail "the older installer ended with status $?"
"$wine" "$setup" /S || fail "the installer ended with status $?"
cp "${planted[@]}" "$(folder)/"
cmp -s "$program" "$(folder)/isosceles.exe" || fail "the installed program is not the one built"
[[ -f "$(folder)/uninstall.exe" ]] || fail "no uninstaller"
[[ -f "$link" ]] || fail "no Start-menu entry"
# Exported as UTF-16: the console would write the Cyrillic in its own code page.
exported=$(mktemp)
"$wine" reg export "$key" "Z:${exported//\//\\}" /y >/dev/null 2>&1
entry=$(iconv -f UTF-16 -t UTF-8 "$exported" 2>/dev/null | tr -d '\r')
rm -f "$exported"
# One name, in the Start menu and in Apps & features.
grep -q '"DisplayName"="Равнобедрен триъгълник"' <<<"$entry" ||
    fail "no uninstall entry: $entry"
version=$(basename "$setup" | grep -o '[0-9.]*[0-9]')
grep -q "\"DisplayVersion\"=\"$version\"" <<<"$entry" || fail "not upgraded to $version: $entry"
[[ $(find "$(dirname "$link")" -name '*.lnk' | wc -l) == 1 ]] || fail "more than one Start-menu entry"
grep -q '"QuietUninstallString"=.*uninstall.exe\\" /uninstall /S"' <<<"$entry" ||
    fail "no silent uninstall: $entry"
grep -q '"DisplayIcon"=.*isosceles.exe"' <<<"$entry" || fail "no icon in the uninstall entry"
# The size of everything installed, in KiB.
installed=$(( ($(stat -c %s "$(folder)/isosceles.exe") + $(stat -c %s "$(folder)/uninstall.exe") + 1023) / 1024 ))
grep -qi "\"EstimatedSize\"=dword:$(printf '%08x' "$installed")" <<<"$entry" ||
    fail "the entry's size is not $installed KiB: $entry"

# The installed program shows its window and calculates in the user's format.
# DECIMAL, where given, is set in the Region settings before the program starts.
calculates() { # calculates EXPECTED... [-- DECIMAL]
    local decimal="" expected=()
    while (($# > 0)); do
        [[ $1 == -- ]] && { decimal=$2; break; }
        expected+=("$1")
        shift
    done
    local international='HKCU\Control Panel\International'
    [[ -n "$decimal" ]] && "$wine" reg add "$international" /v sDecimal /d "$decimal" /f >/dev/null
    "$wine" "$(folder)/isosceles.exe" >/dev/null 2>&1 &
    local got
    got=$(calculate_variant2 "$wine" "$driver") || fail "the installed program shows no window"
    [[ "$got" == "${expected[*]}" ]] || fail "the row shows $got, not ${expected[*]}"
    "$wine" taskkill /F /IM isosceles.exe >/dev/null 2>&1
    wait
    [[ -n "$decimal" ]] && "$wine" reg add "$international" /v sDecimal /d "$d" /f >/dev/null
    return 0
}
d=$(user_decimal "$wine")
[[ -n "$d" && "$d" != . ]] || fail "the user's decimal separator is '$d'"
calculates "6${d}000" "5${d}000" "16${d}000" "12${d}000"
calculates 6.000 5.000 16.000 12.000 -- .

# With the program running, a silent install or uninstall changes nothing and says so.
"$wine" "$(folder)/isosceles.exe" >/dev/null 2>&1 &
"$wine" "$driver" get Text2 0 >/dev/null || fail "the installed program shows no window"
installed=$(stat -c %Y "$(folder)/isosceles.exe")
"$wine" "$setup" /S
s=$?
((s == 3)) || fail "installing over the running program ended with status $s"
"$wine" "$(folder)/uninstall.exe" /uninstall /S
s=$?
((s == 3)) || fail "uninstalling the running program ended with status $s"
sleep 1
[[ -f "$(folder)/isosceles.exe" && -f "$(folder)/uninstall.exe" && -f "$link" ]] ||
    fail "files went while the program ran"
[[ $(stat -c %Y "$(folder)/isosceles.exe") == "$installed" ]] ||
    fail "the running program was replaced"
"$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry went while the program ran"
"$wine" taskkill /F /IM isosceles.exe >/dev/null 2>&1
wait

# An uninstaller cannot remove its own file while it runs: it moves it out of the way, and
# the next run of the installer or the uninstaller removes it. At most N are left.
moved_at_most() { # moved_at_most N WHEN
    local moved
    moved=$(find "$WINEPREFIX/drive_c/users" -name 'isosceles-uninstall-*.exe' | wc -l)
    ((moved <= $1)) || fail "$2: $moved uninstallers stay"
}
# Nothing of the program left: its files, its entries, and no more than the one uninstaller
# that has just ended.
gone() { # gone WHEN
    [[ ! -e "$(folder)" ]] || fail "$1: the program's folder stays: $(ls "$(folder)")"
    [[ ! -e "$link" ]] || fail "$1: the Start-menu entry stays"
    "$wine" reg query "$key" >/dev/null 2>&1 && fail "$1: the uninstall entry stays"
    moved_at_most 1 "$1"
}
# A question of the installer's, answered as a user would; fails where none says TEXT.
answer() { # answer TEXT yes|no
    "$wine" "$driver" answer "$1" "$2" >/dev/null || fail "nothing asked «$1»"
}

# Installing interactively over the running program asks to close it; declined, nothing
# changes.
"$wine" "$(folder)/isosceles.exe" >/dev/null 2>&1 &
running=$!
"$wine" "$driver" get Text2 0 >/dev/null || fail "the installed program shows no window"
"$wine" "$setup" &
answer "$(folder | sed 's|.*/drive_c|C:|; s|/|\\|g')" yes
answer "работи" no
wait $!
s=$?
((s == 3)) || fail "declining to close the program ended the install with status $s"
[[ $(stat -c %Y "$(folder)/isosceles.exe") == "$installed" ]] || fail "the running program was replaced"

# Uninstalling interactively: asked to close it, the uninstaller has it closed, removes
# everything and only then says so.
"$wine" "$(folder)/uninstall.exe" /uninstall &
answer "Да се премахне" yes
answer "работи" yes
answer "е премахната" yes
wait $!
s=$?
((s == 0)) || fail "the interactive uninstall ended with status $s"
wait $running
gone "after the interactive uninstall"

# Where a file cannot be removed, the uninstall fails and says so, and the uninstaller and
# its entries stay for another try.
"$wine" "$setup" /S || fail "installing again ended with status $?"
moved_at_most 0 "once the installer has run again"
cp "${planted[@]}" "$(folder)/"
cp "$(folder)/isosceles.exe" "$(folder)/held.exe"
"$wine" "$(folder)/held.exe" >/dev/null 2>&1 &
"$wine" "$driver" get Text2 0 >/dev/null || fail "the copy shows no window"
"$wine" "$(folder)/uninstall.exe" /uninstall /S
s=$?
((s == 2)) || fail "uninstalling with a file in use ended with status $s"
[[ -f "$(folder)/uninstall.exe" && -f "$link" ]] || fail "the uninstaller or its Start-menu entry went"
"$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry went"
"$wine" taskkill /F /IM held.exe >/dev/null 2>&1
wait

# Silently, done means done: nothing stays once the uninstaller has ended.
"$wine" "$(folder)/uninstall.exe" /uninstall /S || fail "the uninstaller ended with status $?"
gone "after the silent uninstall"
if [[ -s "$mark" ]]; then
    fail "planted DLLs were loaded: $(iconv -f UTF-16LE -t UTF-8 "$mark" | sort -u | paste -sd' ')"
fi
exit "$status"
