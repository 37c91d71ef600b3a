#!/usr/bin/env bash
# Closing the main window while a large download runs: the process ends with exit code 0
# within a few seconds, and the engine was shut down once.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
dir=$E2E_DOWNLOADS
e2e_serve
e2e_start_larkwell

e2e_download_to "$E2E_LINK_LARGE" "$(e2e_winpath "$dir/large.xls")"
e2e_tool wait 下载文件 15 >/dev/null || fail "no progress window"
sleep 1
e2e_tool close Larkwell || fail "could not close the main window"
started=$(date +%s.%N)
e2e_wait_exit 10
took=$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
report=$(grep '^enginesim at exit:' "$E2E_STDERR") || fail "no report of the engine at exit"
[[ "$report" == *"cef_initialize 1, cef_shutdown 1,"* ]] || fail "the engine was not shut down once: $report"
echo "ended in $took s after the close; $report; $(stat -c %s "$dir/large.xls") bytes written"
echo "PASS: closing the main window during a download ends the program with exit code 0 and one engine shutdown"
