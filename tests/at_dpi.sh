#!/usr/bin/env bash
# Runs a Windows test program under Wine with the display at another DPI, in a copy of the
# caller's Wine prefix (files linked, the registry copied), so that the DPI set there
# reaches no other test.
# Usage: at_dpi.sh WINE DPI PROGRAM [ARGS...]   (WINEPREFIX set by the caller)
set -euo pipefail
wine=$1 dpi=$2
shift 2
copy=$(mktemp -d "$(dirname "$WINEPREFIX")/dpi-$dpi.XXXXXX")
trap 'WINEPREFIX=$copy "$(dirname "$wine")/wineserver" -k 2>/dev/null; rm -rf "$copy"' EXIT
cp -al "$WINEPREFIX/." "$copy/"
for registry in "$WINEPREFIX"/*.reg; do
    cp --remove-destination "$registry" "$copy/"
done
export WINEPREFIX=$copy
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
ISOSCELES_EXPECT_DPI=$dpi "$wine" "$@"
