#!/usr/bin/env bash
# The Windows program is one exe that needs no DLL beside it: it imports only Windows' own,
# carries its icon, version and manifest, and the portable zip holds it alone.
# Usage: windows_exe_test.sh EXE ZIP OBJDUMP
set -euo pipefail
exe=$1 zip=$2 objdump=$3
status=0
imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
windows_own="comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll user32.dll
advapi32.dll shell32.dll uxtheme.dll oleacc.dll"
for dll in $imports; do
    if ! grep -qw "$dll" <<<"$windows_own"; then
        echo "imports $dll, which Windows does not have"
        status=1
    fi
done
# Only what every process has is loaded at its start; the rest, the common controls included,
# on first use, once the program has named the folder DLLs come from.
[[ "$imports" == "$(printf 'kernel32.dll\nmsvcrt.dll')" ]] ||
    { echo "loaded at start: $imports"; status=1; }
grep -qai "comctl32.dll" "$exe" || { echo "no common controls"; status=1; }
resources=$("$objdump" -h "$exe" | grep -c '\.rsrc' || true)
[[ $resources -eq 1 ]] || { echo "no resources"; status=1; }
for text in 'Microsoft.Windows.Common-Controls' 'PerMonitorV2' 'asInvoker'; do
    grep -q "$text" "$exe" || { echo "the manifest lacks $text"; status=1; }
done
# The version's strings are UTF-16.
grep -qaP 'P\x00r\x00o\x00d\x00u\x00c\x00t\x00V\x00e\x00r\x00s\x00i\x00o\x00n' "$exe" ||
    { echo "no version information"; status=1; }
listing=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")
[[ "$listing" == "isosceles.exe" ]] || { echo "the zip holds: $listing"; status=1; }
exit "$status"
