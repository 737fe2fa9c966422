#!/usr/bin/env bash
# Builds the Debian package from a copy of the source tree with scripts/package (which fails on
# any lintian error or warning and on a binary built without hardening), checks that its files
# stand where the desktop and man look for them, and starts the unpacked program.
# Usage: package_test.sh SOURCE_DIR APP_ID
set -euo pipefail
source=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/src"
tar -C "$source" --exclude=./.git --exclude=./build --exclude='./build-*' --exclude='./obj-*' \
    --exclude=./debian/isosceles --exclude=./debian/.debhelper -cf - . | tar -C "$work/src" -xf -
"$work/src/scripts/package" >"$work/package.log" 2>&1 || { tail -n 60 "$work/package.log"; exit 1; }
deb=$(find "$work/src/build" -maxdepth 1 -name 'isosceles_*.deb' | head -n 1)
[[ -n "$deb" ]] || { echo "FAIL: no .deb in build/"; exit 1; }
echo "ok: built $(basename "$deb"), lintian-clean and hardened"

root="$work/root"
dpkg -x "$deb" "$root"
files=(usr/bin/isosceles "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$id.svg" usr/share/man/man1/isosceles.1.gz
    usr/share/man/bg/man1/isosceles.1.gz usr/share/doc/isosceles/copyright
    usr/share/doc/isosceles/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
    files+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [[ ! -f "$png" ]] || file "$png" | grep -q "$size x $size" ||
        { echo "FAIL: the ${size} px icon is $(file -b "$png")"; exit 1; }
done
for file in "${files[@]}"; do
    [[ -f "$root/$file" ]] || { echo "FAIL: /$file is not in the package"; exit 1; }
done
echo "ok: ${#files[@]} files in place, icons at their sizes"
zcat "$root/usr/share/man/bg/man1/isosceles.1.gz" | grep -q 'равнобедрен' ||
    { echo "FAIL: the Bulgarian manual page is not Bulgarian"; exit 1; }

# Offscreen the window cannot be seen from outside, so the program must still be running
# when the timeout ends it, and must have said nothing of a failure.
status=0
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" timeout 3 "$root/usr/bin/isosceles" \
    >"$work/run.log" 2>&1 || status=$?
if [[ $status -ne 124 || -s "$work/run.log" ]]; then
    echo "FAIL: the unpacked program ended with status $status or reported:"
    cat "$work/run.log"
    exit 1
fi
echo "ok: the unpacked program ran its window until stopped"
