#!/usr/bin/env bash
# Runs a Windows test program under Wine with the display at another DPI, in a copy of the
# caller's Wine prefix, so that the DPI set there reaches no other test.
# Usage: at_dpi.sh WINE DPI PROGRAM [ARGS...]   (WINEPREFIX set by the caller)
set -euo pipefail
wine=$1 dpi=$2
shift 2
source "$(dirname "${BASH_SOURCE[0]}")/prefix_copy.sh"
prefix_copy "$wine" "dpi-$dpi"
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
ISOSCELES_EXPECT_DPI=$dpi "$wine" "$@"
