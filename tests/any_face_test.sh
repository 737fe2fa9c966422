#!/usr/bin/env bash
# The program with whatever face the system gives for Times New Roman, in a copy of the
# caller's Wine prefix: FACE named stands in for it, none leaves the choice to the system.
# The window shows, calculates in the user's format and closes with status 0.
# Usage: any_face_test.sh WINE PROGRAM DRIVER [FACE]
#   (WINEPREFIX and DISPLAY set by the caller; the user Bulgarian)
set -uo pipefail
wine=$1 program=$2 driver=$3 face=${4:-}
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/prefix_copy.sh"
source "$here/calculate_variant2.sh"
prefix_copy "$wine" face
replacements='HKCU\Software\Wine\Fonts\Replacements'
if [[ -n "$face" ]]; then
    "$wine" reg add "$replacements" /v 'Times New Roman' /t REG_SZ /d "$face" /f >/dev/null
else
    "$wine" reg delete "$replacements" /v 'Times New Roman' /f >/dev/null 2>&1
fi

"$wine" "$program" &
program_pid=$!
d=$(user_decimal "$wine")
got=$(calculate_variant2 "$wine" "$driver")
expected="6${d}000 5${d}000 16${d}000 12${d}000"
# A program that failed is ended with the prefix's server, on exit.
[[ "$got" == "$expected" ]] || { echo "FAIL: the row shows '$got', not '$expected'"; exit 1; }
"$wine" "$driver" close || { echo "FAIL: no window to close"; exit 1; }
for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && { echo "FAIL: the program is still running"; exit 1; }
wait "$program_pid"
ended=$?
((ended == 0)) || { echo "FAIL: the program ended with status $ended"; exit 1; }
