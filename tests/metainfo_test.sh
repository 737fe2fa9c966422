#!/usr/bin/env bash
# Validates the AppStream metadata pedantically. Allowed: the two notes on the id's form (a
# configured placeholder) and, before AppStream 1.0, not knowing the <developer> element.
set -uo pipefail
output=$(appstreamcli validate --pedantic --no-net "$1" 2>&1) || { echo "$output"; exit 1; }
echo "$output"
allowed='cid-maybe-not-rdns |cid-contains-uppercase-letter '
[[ $(appstreamcli --version) == *" 0."* ]] && allowed+='|unknown-tag developer$'
! echo "$output" | grep -E '^[EWIP]: ' | grep -Ev ": ($allowed)"
