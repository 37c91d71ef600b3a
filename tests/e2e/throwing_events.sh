#!/usr/bin/env bash
# A program whose every browser event throws (menu_host.exe /throwing), while the engine calls
# one callback of every handler family and browses as usual: each error is shown by the
# application's default error report, and the program goes on: it follows a link, repaints and
# ends cleanly. (That each callback entry stops the error and gives the engine the neutral
# answer is pinned down slot by slot in tests/browser/handler_slots_test.cpp.)
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
cp "$E2E_BIN/menu_host.exe" "$E2E_STAGE/"
E2E_MAIN_TITLE="Menu host"
box="#32770|Fault host"
e2e_serve
e2e_start menu_host.exe /throwing
e2e_tool wait "$E2E_MAIN_TITLE" 30 >/dev/null || fail "no host window"

# dismiss_errors: answers every error report with OK until none comes for 2 s; $errors holds
# their texts, one a line. The reports can stand nested, several at once: each is read and
# answered as one.
errors=""
dismiss_errors() {
  local quiet=0 text
  errors=""
  while ((quiet < 20)); do
    if text=$(e2e_tool answer "$box" 1 2>/dev/null) && [ -n "$text" ]; then
      errors+="$text"$'\n'
      quiet=0
    else
      quiet=$((quiet + 1))
      sleep 0.1
    fi
  done
}

e2e_wait_for 10 e2e_tool wait "$box" 0 >/dev/null || fail "no error report"
e2e_shot first-error
dismiss_errors
echo "shown at start: $(grep . <<<"$errors" | sort | uniq -c | tr -s ' ' | paste -sd, -)"
for event in RunModal LoadEnd ProtocolExecution TitleChange TakeFocus KeyEvent MenuAction \
             BeforeScriptExtensionLoad PrintOptions FindResult JsAlert ContextCreated DragStart; do
  grep -qxE "$event failed\.?" <<<"$errors" || fail "the error of $event was not shown"
done
e2e_page_served 1 || fail "the start page was never asked for"

echo "--- the program goes on: a link followed"
e2e_follow_link "$E2E_LINK_ABOUT"
about_asked() { grep -q '"GET /page/about' "$E2E_OUT/server.log"; }
e2e_wait_for 10 about_asked || fail "following the link asked for nothing"
e2e_wait_for 10 e2e_tool wait "$box" 0 >/dev/null || fail "the new page's events showed no error"
dismiss_errors
echo "shown for the new page: $(grep . <<<"$errors" | sort | uniq -c | tr -s ' ' | paste -sd, -)"
grep -qxE "LoadStart failed\.?" <<<"$errors" || fail "loading the new page raised no LoadStart error"
painted=$(e2e_tool paint "$E2E_MAIN_TITLE" 2) || fail "the window did not repaint after the errors"
echo "repainted in $painted ms"
e2e_shot after-errors

e2e_tool close "$E2E_MAIN_TITLE" || fail "could not close the host"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
report=$(grep '^enginesim at exit:' "$E2E_STDERR") || fail "no report of the engine at exit"
[[ "$report" == *"ledger clean at shutdown"* ]] || fail "$report"
echo "PASS: every family's error shown, the program browses on, repaints and ends with exit code 0"
