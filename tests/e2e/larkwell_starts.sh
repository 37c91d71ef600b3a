#!/usr/bin/env bash
# larkwell_starts.sh <bin-dir>
# The real program with the stand-in engine next to it: it opens one maximised window captioned
# "Larkwell", closes when that window is closed, exits with 0, and has shut the engine down once
# with nothing left over. Runs under the Wine prefix and display of the test run.
set -uo pipefail
bin=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
cd "$bin"
E2E_STDERR=$out/stderr
ENGINESIM_REPORT_AT_EXIT=1 wine Larkwell.exe >"$out/stdout" 2>"$E2E_STDERR" </dev/null &
E2E_PROGRAM=$!
fail() { e2e_fail "$@"; }

state=$(wine lwtool.exe wait Larkwell 30 </dev/null) || fail "no visible window titled Larkwell"
state=${state%$'\r'}
echo "window: $state"
read -r visible maximised topmost class <<<"$state"
[ "$maximised" = 1 ] || fail "the window is not maximised ($state)"
[ "$topmost" = 0 ] || fail "the main window must not stay on top"

sleep 1
wine lwtool.exe close Larkwell </dev/null || fail "could not close the window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
grep -q "enginesim at exit: cef_initialize 1, cef_shutdown 1, ledger clean at shutdown" "$out/stderr" ||
  fail "the engine was not shut down once and clean"
settings=$(grep '^enginesim settings:' "$out/stderr") || fail "the engine never started"
for expected in "cache_path='cache'" "user_agent=''" "locale=''" "log_file=''" "resources_dir_path=''" \
                "log_severity=99" "multi_threaded_message_loop=0" "extra_plugin_paths=-1"; do
  [[ "$settings" == *" $expected"* ]] || fail "the engine did not get $expected: $settings"
done
# LANG is the program's own only after the engine started.
[[ "$settings" != *"LANG='zh-CN'"* ]] || fail "LANG was set before the engine started: $settings"
echo "PASS: Larkwell started maximised, closed, exit code 0, engine shut down once and clean"
