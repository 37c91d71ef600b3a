# Sourced by demo.sh when nobody watches the screen: the scripted tour. Uses the driving
# functions of tests/e2e/e2e-lib.sh; every step says what it saw.
target=$E2E_DOWNLOADS/slow.xls
slow_size=262144

step() { echo "demo: $*"; }

e2e_start_larkwell
step "the main window is up; it asked for $(grep -m1 -o 'GET /?mac=[^ ]*' "$E2E_OUT/server.log")"
e2e_shot 1-start-page

e2e_follow_link "$E2E_LINK_SLOW"
e2e_wait_save_as 15 || e2e_fail "no Save As dialog after following the slow download's link"
step "the Save As dialog proposes '$(e2e_tool get "$E2E_SAVE_AS" 1148)' ($(e2e_tool get "$E2E_SAVE_AS" 1136))"
e2e_shot 2-save-as
e2e_type_file_name "$(e2e_winpath "$target")"
e2e_press_save

e2e_tool wait 下载文件 15 >/dev/null || e2e_fail "no progress window"
sleep 1
step "the progress window shows: $(e2e_tool texts 下载文件 | head -n1)"
e2e_shot 3-progress

e2e_tool wait 提示 30 >/dev/null || e2e_fail "no completion message"
step "the completion message says: $(e2e_box_text 提示)"
e2e_shot 4-complete
e2e_tool press 提示 1 || e2e_fail "could not press OK"
e2e_tool gone 提示 5 || e2e_fail "the completion message stayed"
e2e_same_as_served "$target" "$slow_size" || e2e_fail "the saved file differs from what the server sent"
step "the saved file holds exactly the $slow_size bytes the server sent"

e2e_tool close Larkwell || e2e_fail "could not close the main window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || e2e_fail "Larkwell ended with exit code $E2E_STATUS"
step "screenshots: $shots"
echo "demo: PASS: start page, download saved through the dialog, progress window, completion message, exit code 0"
