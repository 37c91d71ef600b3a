#!/usr/bin/env bash
# no_engine.sh <bin-dir>
# The program where the library search finds no engine: the loader's error in the last-resort
# report ("Application Error"), no main window, and a failing exit code.
set -uo pipefail
bin=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$bin/Larkwell.exe" "$bin/lwtool.exe" "$stage/"   # and no libcef.dll beside them
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
cd "$stage"
wine Larkwell.exe >/dev/null 2>&1 </dev/null &
E2E_PROGRAM=$!
fail() { e2e_fail "$@"; }
wine lwtool.exe wait "Application Error" 30 </dev/null >/dev/null || fail "no last-resort report"
texts=$(wine lwtool.exe texts "Application Error" </dev/null | tr -d '\r')
echo "report: $texts"
[[ "$texts" == *"Exception EOSError in module Larkwell.exe."* ]] || fail "the report does not name the error"
[[ "$texts" == *"Code: 126"* ]] || fail "the report does not give the loader's error"
if wine lwtool.exe wait Larkwell 0 </dev/null >/dev/null; then fail "a main window appeared"; fi
wine lwtool.exe close "Application Error" </dev/null || fail "could not close the report"
e2e_wait_exit 10
[ "$E2E_STATUS" != 0 ] || fail "exit code 0 after a failed start"
echo "PASS: no engine: the last-resort report, no main window, exit code $E2E_STATUS"
