#!/usr/bin/env bash
# The real program with the stand-in engine against the demo web application: it opens one
# maximised window captioned "Larkwell" and asks for the start page with the workstation's id;
# it closes when that window is closed, exits with 0, and has shut the engine down once with
# nothing left over.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
e2e_serve
e2e_start

state=$(e2e_tool wait Larkwell 30) || fail "no visible window titled Larkwell"
echo "window: $state"
read -r visible maximised topmost class <<<"$state"
[ "$maximised" = 1 ] || fail "the window is not maximised ($state)"
[ "$topmost" = 0 ] || fail "the main window must not stay on top"
windows=$(e2e_tool list | grep -c '|Larkwell$')
[ "$windows" = 1 ] || fail "$windows visible windows titled Larkwell"

e2e_wait_for 10 grep -q '"GET /?mac=' "$E2E_OUT/server.log" || fail "the start page was never asked for"
request=$(grep -m1 '"GET /?mac=' "$E2E_OUT/server.log")
id=$(sed -E 's/.*"GET \/\?mac=([^ ]*) HTTP.*/\1/' <<<"$request")
[[ "$id" =~ ^(([0-9A-F]{2}-){5}[0-9A-F]{2})?$ ]] || fail "the workstation id has the wrong form: $request"
echo "start page asked for with mac=$id"
e2e_shot start-page

e2e_tool close Larkwell || fail "could not close the window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
grep -q "enginesim at exit: cef_initialize 1, cef_shutdown 1, ledger clean at shutdown" "$E2E_STDERR" ||
  fail "the engine was not shut down once and clean"
settings=$(grep '^enginesim settings:' "$E2E_STDERR") || fail "the engine never started"
for expected in "cache_path='cache'" "user_agent=''" "locale=''" "log_file=''" "resources_dir_path=''" \
                "log_severity=99" "multi_threaded_message_loop=0" "extra_plugin_paths=-1"; do
  [[ "$settings" == *" $expected"* ]] || fail "the engine did not get $expected: $settings"
done
# LANG is the program's own only after the engine started.
[[ "$settings" != *"LANG='zh-CN'"* ]] || fail "LANG was set before the engine started: $settings"
echo "PASS: Larkwell started maximised, asked for the start page, closed with exit code 0, engine shut down once and clean"
