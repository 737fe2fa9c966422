#!/usr/bin/env bash
# The per-user installer under Wine: a silent install puts the program, its Start-menu entry
# and its uninstall entry in place; the installed program shows its window; a silent
# uninstall removes everything it put there.
# Usage: installer_test.sh WINE SETUP PROGRAM DRIVER
#   (WINEPREFIX and DISPLAY set by the caller; the user Bulgarian)
set -uo pipefail
wine=$1 setup=$2 program=$3 driver=$4
source "$(dirname "${BASH_SOURCE[0]}")/calculate_variant2.sh"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Isosceles'
status=0
fail() {
    echo "FAIL: $*"
    status=1
}
users=$(echo "$WINEPREFIX"/drive_c/users/*/AppData)
folder() { echo "$users/Local/Programs/Isosceles"; }
link="$users/Roaming/Microsoft/Windows/Start Menu/Programs/Равнобедрен триъгълник.lnk"

"$wine" "$setup" /S || fail "the installer ended with status $?"
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

"$wine" "$(folder)/uninstall.exe" /uninstall /S || fail "the uninstaller ended with status $?"
# It goes on from a copy of itself until it has removed itself too.
for _ in $(seq 150); do
    [[ -e "$(folder)" ]] || break
    sleep 0.1
done
[[ ! -e "$(folder)" ]] || fail "the program's folder stays: $(ls "$(folder)")"
[[ ! -e "$link" ]] || fail "the Start-menu entry stays"
"$wine" reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry stays"

# The uninstaller's copy in the temporary folder, which cannot remove itself while it runs,
# is gone once another run of the installer has started.
sleep 1
"$wine" "$setup" /S || fail "installing again ended with status $?"
copies=$(find "$WINEPREFIX/drive_c/users" -name 'isosceles-uninstall-*.exe')
[[ -z "$copies" ]] || fail "the uninstaller's copies stay: $copies"
"$wine" "$(folder)/uninstall.exe" /uninstall /S || fail "uninstalling again ended with status $?"
for _ in $(seq 150); do
    [[ -e "$(folder)" ]] || break
    sleep 0.1
done
exit "$status"
