#!/usr/bin/env bash
# The display helper the screen-reader test, the screenshot and the start-up benchmark run
# under: each run reaches its own server even when runs overlap, a client that connects as
# another leaves is served, the command's status comes back, and the server is gone once the
# helper returns. Exits 77 (skipped) without Xvfb.
set -uo pipefail
helper="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/scripts/with-xvfb"
for tool in Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
sees_own_screen() { # WIDTHxHEIGHT [seconds to stay]
    "$helper" "$1x24" sh -c 'sleep "$2"; xdpyinfo | grep -q "dimensions: *$1 pixels"' _ "$1" "${2:-0}"
}

sees_own_screen 320x200 2 &
longer=$!
sleep 0.5
sees_own_screen 640x480 || fail "a run that overlaps another reached the wrong server"
wait "$longer" || fail "a run that another overlapped reached the wrong server"

for size in 320x200 640x480 320x200 640x480 320x200; do
    sees_own_screen "$size" || fail "a run that follows another at once did not reach its server ($size)"
done

# A server that resets when its last client leaves turns away about one such client in ten.
"$helper" 320x200x24 sh -c 'for _ in $(seq 150); do xdpyinfo >/dev/null || exit 1; done' ||
    fail "a client that connected as another left was turned away"

"$helper" 320x200x24 sh -c 'exit 3'
status=$?
((status == 3)) || fail "the command's status 3 came back as $status"

display=$("$helper" 320x200x24 sh -c 'echo "${DISPLAY#:}"')
[[ -n "$display" && ! -e "/tmp/.X$display-lock" ]] || fail "the server of :$display outlived the helper"

((failures == 0)) && echo "ok: all runs reached their own servers"
((failures == 0))
