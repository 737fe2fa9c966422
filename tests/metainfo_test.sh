#!/usr/bin/env bash
# Validates the AppStream metadata pedantically. The only notes allowed are the two on the
# id's form (the id is a configured placeholder) and, on AppStream before 1.0, that it does
# not know the <developer> element yet.
# Usage: metainfo_test.sh METAINFO_FILE
set -uo pipefail
output=$(appstreamcli validate --pedantic --no-net "$1" 2>&1)
status=$?
echo "$output"
allowed="cid-maybe-not-rdns|cid-contains-uppercase-letter"
version=$(appstreamcli --version | grep -o '[0-9][0-9.]*' | head -n 1)
if [[ "${version%%.*}" == 0 ]]; then
    allowed="$allowed|unknown-tag"
fi
unexpected=$(echo "$output" | grep -E '^[EWIP]: ' | grep -Ev ": ($allowed) " || true)
if ((status != 0)) || [[ -n "$unexpected" ]]; then
    echo "FAIL: unexpected findings:"
    echo "$unexpected"
    exit 1
fi
if echo "$output" | grep -E '^[EWIP]: ' | grep -E ': unknown-tag ' | grep -vq ' developer$'; then
    echo "FAIL: an unknown tag other than <developer>"
    exit 1
fi
echo "ok: only the expected notes"
