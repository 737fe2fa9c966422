#!/usr/bin/env bash
# Runs atspi_test.py against PROGRAM under Xvfb with its own D-Bus session; exits 77 (skipped)
# where the machine cannot provide those.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$1
python=/usr/bin/python3

for tool in Xvfb xdpyinfo xdotool dbus-run-session dbus-daemon; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed, so there is no display or D-Bus session here"
        exit 77
    fi
done
if [[ ! -x /usr/libexec/at-spi-bus-launcher ]] || ! "$python" -c 'import pyatspi' 2>/dev/null; then
    echo "SKIPPED: the AT-SPI bus (at-spi2-core) or its client (python3-pyatspi) is missing"
    exit 77
fi
if ! dbus-run-session -- true 2>/dev/null; then
    echo "SKIPPED: no D-Bus session bus can be started on this machine"
    exit 77
fi
timeout 120 "$here/../scripts/with-xvfb" 640x480x24 \
    dbus-run-session -- "$python" "$here/atspi_test.py" "$program"
status=$?
if ((status == 125)); then
    echo "SKIPPED: no X server can be started on this machine"
    exit 77
fi
exit "$status"
