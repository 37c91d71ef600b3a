#!/usr/bin/env bash
# The program without a usable engine, given as the argument after the usual four:
#   missing     the library search finds no libcef.dll: the loader's error (code 126);
#   incomplete  libcef.dll lacks the engine's last export: "Invalid CEF Library version".
# Either way the last-resort report ("Application Error") names the error, no main window
# comes up, and the exit code says the start failed.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
E2E_NAME=no_engine-${5:-missing}   # each case keeps its own screenshots
case ${5:-missing} in
  missing)
    rm "$E2E_STAGE/libcef.dll"
    expected=("Exception EOSError in module Larkwell.exe." "Code: 126") ;;
  incomplete)
    cp "$E2E_BIN/libcef_incomplete.dll" "$E2E_STAGE/libcef.dll" || fail "no incomplete stand-in engine in $E2E_BIN"
    expected=("Exception ECefException in module Larkwell.exe." "Invalid CEF Library version") ;;
  *) fail "unknown case '$5'" ;;
esac
e2e_start
e2e_tool wait "Application Error" 30 >/dev/null || fail "no last-resort report"
texts=$(e2e_tool texts "Application Error")
echo "report: $texts"
for part in "${expected[@]}"; do
  [[ "$texts" == *"$part"* ]] || fail "the report does not say '$part'"
done
e2e_shot report
if e2e_tool wait Larkwell 0 >/dev/null; then fail "a main window appeared"; fi
e2e_tool close "Application Error" || fail "could not close the report"
e2e_wait_exit 10
[ "$E2E_STATUS" != 0 ] || fail "exit code 0 after a failed start"
echo "PASS: engine ${5:-missing}: the last-resort report, no main window, exit code $E2E_STATUS"
