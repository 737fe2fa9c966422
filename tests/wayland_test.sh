#!/usr/bin/env bash
# Runs PROGRAM natively on a headless weston of its own: it must connect, announce APP_ID (the
# desktop entry's name), stay up two seconds and write nothing but the protocol trace.
# Exits 77 (skipped) where weston cannot start. Usage: wayland_test.sh PROGRAM APP_ID
set -uo pipefail
command -v weston >/dev/null || { echo "SKIPPED: weston is not installed"; exit 77; }
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill "$compositor" 2>/dev/null; wait; rm -rf "$runtime"' EXIT
socket=isosceles-test
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman --no-config \
    --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
    [[ -S "$runtime/$socket" ]] || ! kill -0 "$compositor" 2>/dev/null && break
    sleep 0.1
done
[[ -S "$runtime/$socket" ]] || { echo "SKIPPED: weston could not start:"; tail "$runtime/weston.log"; exit 77; }

status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    WAYLAND_DEBUG=client timeout 2 "$1" >"$runtime/out.log" 2>"$runtime/err.log" || status=$?
said=$(grep -v '^\[ *[0-9]*\.[0-9]*\]' "$runtime/err.log"; cat "$runtime/out.log")
((status == 124)) || { echo "FAIL: ended with status $status within two seconds: $said"; exit 1; }
grep -q "set_app_id(\"$2\")" "$runtime/err.log" || { echo "FAIL: never announced $2"; exit 1; }
[[ -z "$said" ]] || { echo "FAIL: the program wrote: $said"; exit 1; }
echo "ok: connected natively, announced $2, stayed up two seconds and wrote nothing"
