#!/usr/bin/env bash
# A server that sends part of a download and then holds the connection, sending nothing more:
# while it stalls the program stays responsive (the main window repaints, the progress window
# moves where it is put), and closing the program ends it cleanly with the bytes received so
# far in the file.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
dir=$E2E_DOWNLOADS
sent=100000   # what the stalling link sends before it stops
e2e_serve
e2e_start_larkwell

e2e_download_to "$E2E_LINK_STALL" "$(e2e_winpath "$dir/stall.xls")"
e2e_tool wait 下载文件 15 >/dev/null || fail "no progress window"
received() { [ "$(stat -c %s "$dir/stall.xls" 2>/dev/null)" = "$sent" ]; }
e2e_wait_for 15 received || fail "stall.xls holds $(stat -c %s "$dir/stall.xls" 2>/dev/null) bytes, not the $sent sent"
echo "the server sent $sent bytes and stalls"

# Several times over the stall: the program answers within a second each time.
for round in 1 2 3 4; do
  sleep 2
  painted=$(e2e_tool paint Larkwell 1) || fail "round $round: the main window did not repaint within 1 s"
  x=$((100 + 40 * round)) y=$((80 + 30 * round))
  moved=$(e2e_tool move 下载文件 "$x" "$y" 1) || fail "round $round: the progress window did not move to $x,$y within 1 s"
  echo "stalled $((2 * round)) s: main window repainted in $painted ms, progress window moved to $x,$y in $moved ms"
done
e2e_shot stalled
e2e_tool wait 提示 0 >/dev/null && fail "a message during the stall: $(e2e_box_text 提示)"
received || fail "stall.xls changed during the stall"

e2e_tool close Larkwell || fail "could not close the main window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
report=$(grep '^enginesim at exit:' "$E2E_STDERR") || fail "no report of the engine at exit"
[[ "$report" == *"cef_initialize 1, cef_shutdown 1, ledger clean at shutdown"* ]] || fail "$report"
e2e_same_as_served "$dir/stall.xls" "$sent" || fail "stall.xls does not hold the $sent bytes received"
echo "PASS: a stalled download: the program stays responsive, ends cleanly on close, and the $sent bytes received are in the file"
