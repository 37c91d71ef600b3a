#!/usr/bin/env bash
# The program where the library search finds no engine: the loader's error in the last-resort
# report ("Application Error"), no main window, and a failing exit code.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
rm "$E2E_STAGE/libcef.dll"   # the library search finds no engine
e2e_start
e2e_tool wait "Application Error" 30 >/dev/null || fail "no last-resort report"
texts=$(e2e_tool texts "Application Error")
echo "report: $texts"
[[ "$texts" == *"Exception EOSError in module Larkwell.exe."* ]] || fail "the report does not name the error"
[[ "$texts" == *"Code: 126"* ]] || fail "the report does not give the loader's error"
if e2e_tool wait Larkwell 0 >/dev/null; then fail "a main window appeared"; fi
e2e_tool close "Application Error" || fail "could not close the report"
e2e_wait_exit 10
[ "$E2E_STATUS" != 0 ] || fail "exit code 0 after a failed start"
echo "PASS: no engine: the last-resort report, no main window, exit code $E2E_STATUS"
