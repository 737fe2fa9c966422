#!/usr/bin/env bash
# DLLs planted beside the installer, as in a Downloads folder, and beside the installed
# program, under names Windows looks up by name: Wine is told to prefer such DLLs to its own,
# as Windows does for a DLL that is not a known system DLL, so that only a safe search order
# keeps them out. None is ever loaded, and the install, the program and the uninstall work
# as without them.
# Usage: planted_dll_test.sh WINE SETUP DRIVER PLANTED_DLL...
#   (WINEPREFIX and DISPLAY set by the caller)
set -uo pipefail
wine=$1 setup=$2 driver=$3
shift 3
source "$(dirname "${BASH_SOURCE[0]}")/calculate_variant2.sh"
status=0
fail() {
    echo "FAIL: $*"
    status=1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
downloads=$work/Downloads
mkdir -p "$downloads"
cp "$setup" "$@" "$downloads/"
names=()
for dll in "$@"; do
    names+=("$(basename "$dll" .dll)")
done
mark=$work/mark
export ISOSCELES_PLANTED_MARK="Z:${mark//\//\\}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}$(IFS=,; echo "${names[*]}")=n,b"
# Fails where a planted DLL left its name in the mark.
untouched() {
    if [[ -s "$mark" ]]; then
        fail "$1 loaded $(iconv -f UTF-16LE -t UTF-8 "$mark" | sort -u | tr "\n" " ")"
        rm -f "$mark"
    fi
}

"$wine" "$downloads/$(basename "$setup")" /S || fail "the installer ended with status $?"
untouched "the installer"
folder=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Isosceles)
[[ -f "$folder/isosceles.exe" ]] || fail "nothing was installed"
cp "$@" "$folder/"
"$wine" "$folder/isosceles.exe" >/dev/null 2>&1 &
got=$(calculate_variant2 "$wine" "$driver") || fail "the installed program shows no window"
[[ "$got" == *16* ]] || fail "the installed program calculated '$got'"
"$wine" taskkill /F /IM isosceles.exe >/dev/null 2>&1
wait
untouched "the program"
"$wine" "$folder/uninstall.exe" /uninstall /S || fail "the uninstaller ended with status $?"
for _ in $(seq 150); do
    [[ -e "$folder" ]] || break
    sleep 0.1
done
untouched "the uninstaller"
[[ ! -e "$folder" ]] || fail "the program's folder stays: $(ls "$folder")"
exit "$status"
