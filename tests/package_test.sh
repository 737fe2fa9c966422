#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a temporary root, checks
# that its files stand where the desktop looks for them, and starts the unpacked program.
# Usage: package_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(find "$work/out" -maxdepth 1 -name '*.deb' | head -n 1)
[[ -n "$deb" ]] || { echo "FAIL: cpack made no .deb"; exit 1; }
echo "built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libicu72 libstdc++6 qt6-qpa-plugins fonts-liberation2; do
    [[ "$depends" == *"$needed"* ]] || { echo "FAIL: Depends lacks $needed: $depends"; exit 1; }
done
echo "ok: depends on $depends"

root="$work/root"
dpkg -x "$deb" "$root"
for file in usr/bin/isosceles \
    "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/icons/hicolor/32x32/apps/$id.png" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg"; do
    [[ -f "$root/$file" ]] || { echo "FAIL: /$file is not in the package"; exit 1; }
    echo "ok: /$file"
done
[[ -x "$root/usr/bin/isosceles" ]] || { echo "FAIL: the program is not executable"; exit 1; }
desktop-file-validate "$root/usr/share/applications/$id.desktop"

# Offscreen the window cannot be seen from outside, so the program must still be running
# when the timeout ends it, and must have said nothing of a failure.
status=0
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" timeout 3 "$root/usr/bin/isosceles" \
    >"$work/run.log" 2>&1 || status=$?
if [[ $status -ne 124 ]]; then
    echo "FAIL: the unpacked program ended by itself with status $status"
    cat "$work/run.log"
    exit 1
fi
if [[ -s "$work/run.log" ]]; then
    echo "FAIL: the unpacked program reported:"
    cat "$work/run.log"
    exit 1
fi
echo "ok: the unpacked program ran its window until stopped"
