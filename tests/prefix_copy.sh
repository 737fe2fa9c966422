# Sourced by the Windows test scripts: moves WINEPREFIX to a copy of the caller's prefix
# (files linked, the registry copied) that is removed on exit, so that what a test changes
# in its registry reaches no other test.
# Usage: prefix_copy WINE NAME
prefix_copy() {
    local wine=$1 name=$2 registry dir
    copy=$(mktemp -d "$(dirname "$WINEPREFIX")/$name.XXXXXX")
    wineserver=$(dirname "$wine")/wineserver
    for dir in /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine; do
        [[ -x "$wineserver" ]] || wineserver=$dir/wineserver
    done
    trap 'WINEPREFIX=$copy "$wineserver" -k 2>/dev/null; rm -rf "$copy"' EXIT
    cp -al "$WINEPREFIX/." "$copy/"
    for registry in "$WINEPREFIX"/*.reg; do
        cp --remove-destination "$registry" "$copy/"
    done
    export WINEPREFIX=$copy
}
