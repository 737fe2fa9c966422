#!/usr/bin/env bash
# Runs PROGRAM natively on a headless weston compositor of its own: it must connect, announce
# APP_ID (the desktop entry's name) as its application id, stay up for two seconds and write
# no warning. Exits 77 (skipped) where weston cannot start.
# Usage: wayland_test.sh PROGRAM APP_ID
set -uo pipefail
program=$1
id=$2
command -v weston >/dev/null || { echo "SKIPPED: weston is not installed"; exit 77; }
runtime=$(mktemp -d)
chmod 700 "$runtime"
compositor=""
trap '[[ -n "$compositor" ]] && kill "$compositor" 2>/dev/null; wait; rm -rf "$runtime"' EXIT
socket=isosceles-test

XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman --no-config \
    --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
    [[ -S "$runtime/$socket" ]] && break
    kill -0 "$compositor" 2>/dev/null || break
    sleep 0.1
done
if [[ ! -S "$runtime/$socket" ]]; then
    echo "SKIPPED: weston could not start here:"
    tail -n 20 "$runtime/weston.log"
    exit 77
fi

status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    WAYLAND_DEBUG=client timeout 2 "$program" >"$runtime/out.log" 2>"$runtime/err.log" ||
    status=$?
if ((status != 124)); then
    echo "FAIL: the program ended with status $status within two seconds:"
    grep -v '^\[ *[0-9]*\.[0-9]*\]' "$runtime/err.log" | tail -n 20
    exit 1
fi
grep -q "set_app_id(\"$id\")" "$runtime/err.log" ||
    { echo "FAIL: the program never announced the application id $id"; exit 1; }
echo "ok: connected natively and announced $id"
# Everything but the protocol trace is something the program said.
said=$(grep -v '^\[ *[0-9]*\.[0-9]*\]' "$runtime/err.log"; cat "$runtime/out.log")
if [[ -n "$said" ]]; then
    echo "FAIL: the program wrote:"
    echo "$said"
    exit 1
fi
echo "ok: stayed up two seconds and wrote no warning"
