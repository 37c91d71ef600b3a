#!/usr/bin/env bash
# Downloads through the real program, one program run: a sized download saved through the dialog
# with the progress window and the completion message; cancelling the dialog; an existing target
# kept when the overwrite question is answered No; a target another process holds open; and
# plain, harmless names proposed for hostile and Chinese suggestions.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
dir=$E2E_DOWNLOADS
e2e_serve
e2e_start_larkwell

echo "--- a sized download, slow enough to watch"
e2e_follow_link "$E2E_LINK_SLOW"
e2e_wait_save_as 15 || fail "no Save As dialog"
proposed=$(e2e_tool get "$E2E_SAVE_AS" 1148)
filter=$(e2e_tool get "$E2E_SAVE_AS" 1136)
[ "$proposed" = "slow.xls" ] || fail "the dialog proposes '$proposed', not slow.xls"
[ "$filter" = "Excel2003 Files (*.xls)" ] || fail "the file type is '$filter'"
e2e_shot save-as
e2e_type_file_name "$(e2e_winpath "$dir/slow.xls")"
e2e_press_save
progress=$(e2e_tool wait 下载文件 15) || fail "no progress window"
read -r visible maximised topmost class <<<"$progress"
[ "$topmost" = 1 ] || fail "the progress window is not topmost ($progress)"
# Read from outside, the window may answer only once the program is back in its message loop.
progress_says_wait() { [[ "$(e2e_tool texts 下载文件)" == *"正在下载，请稍候......"* ]]; }
e2e_wait_for 5 progress_says_wait || fail "the progress window says '$(e2e_tool texts 下载文件)'"
e2e_shot progress
e2e_expect_notice "文件下载完成！" 30
e2e_tool wait 下载文件 0 >/dev/null && fail "the progress window is still up beside the completion message"
e2e_tool openw "$(e2e_winpath "$dir/slow.xls")" >/dev/null ||
  fail "the saved file is still held open while the completion message is up"
e2e_shot complete
e2e_dismiss 提示
e2e_same_as_served "$dir/slow.xls" 262144 || fail "slow.xls differs from the server's bytes"
echo "slow.xls: dialog, topmost progress window, completion message, the server's 262144 bytes"

echo "--- cancel in the dialog"
e2e_follow_link "$E2E_LINK_REPORT"
e2e_wait_save_as 15 || fail "no Save As dialog"
e2e_tool press "$E2E_SAVE_AS" 2 || fail "could not press Cancel"
sleep 2
e2e_tool wait 下载文件 0 >/dev/null && fail "a progress window after Cancel"
e2e_tool wait 提示 0 >/dev/null && fail "a message after Cancel: $(e2e_box_text 提示)"
[ -z "$(ls -A "$dir" | grep -v '^slow.xls$')" ] || fail "files after Cancel: $(ls "$dir")"
echo "cancelled: no file, no progress window"

echo "--- an existing target, overwrite answered No"
printf 'old contents' >"$dir/existing.xls"
e2e_download_to "$E2E_LINK_REPORT" "$(e2e_winpath "$dir/existing.xls")"
question=""
# The overwrite question's title depends on the system's language and version.
overwrite_question() {
  local title
  for title in 确认另存为 "Confirm Save As" 错误 Error; do
    if e2e_tool wait "#32770|$title" 0 >/dev/null && [ -n "$(e2e_box_text "#32770|$title")" ]; then
      question=$title
      return 0
    fi
  done
  return 1
}
e2e_wait_for 10 overwrite_question
[ -n "$question" ] || fail "no overwrite question"
echo "overwrite question '$question': $(e2e_box_text "#32770|$question" | head -n1)"
e2e_tool press "#32770|$question" 7 || fail "could not press No"
e2e_wait_save_as 10 || fail "the dialog did not come back after No"
e2e_tool press "$E2E_SAVE_AS" 2 || fail "could not press Cancel"
sleep 1
[ "$(cat "$dir/existing.xls")" = "old contents" ] || fail "the existing file was changed"
echo "existing.xls kept as it was"

echo "--- a target another process holds open"
held=$(e2e_winpath "$dir/held.xls")
(cd "$E2E_STAGE" && exec wine lwtool.exe hold "$held" 20 </dev/null >"$E2E_OUT/hold.out") &
holder=$!
e2e_wait_for 10 grep -q held "$E2E_OUT/hold.out" || fail "could not hold $held open"
e2e_download_to "$E2E_LINK_REPORT" "$held"
# The holder made the file: the dialog asks first.
e2e_wait_for 10 overwrite_question || fail "no overwrite question for the held file"
e2e_tool press "#32770|$question" 6 || fail "could not press Yes"
e2e_tool wait "#32770|Larkwell" 15 >/dev/null || fail "no error message for the held file"
message=$(e2e_box_text "#32770|Larkwell")
[[ "$message" == *"Cannot create file \"$held\"."* ]] || fail "the message is '$message'"
e2e_shot held-file
e2e_dismiss "#32770|Larkwell"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
echo "held file: '$message'"
e2e_download_to "$E2E_LINK_REPORT" "$(e2e_winpath "$dir/after.xls")"
e2e_expect_notice "文件下载完成！" 30
e2e_dismiss 提示
e2e_same_as_served "$dir/after.xls" 300000 || fail "the download after the error differs from the server's bytes"
echo "the next download works"

echo "--- suggested names"
expected_names=("月度报表.xls" "evil.xls" "evil.xls" "_CON.xls" "bad__name.xls")
links=("$E2E_LINK_CHINESE" $((E2E_LINK_HOSTILE_FIRST)) $((E2E_LINK_HOSTILE_FIRST + 1)) \
       $((E2E_LINK_HOSTILE_FIRST + 2)) $((E2E_LINK_HOSTILE_FIRST + 3)))
for i in "${!links[@]}"; do
  e2e_follow_link "${links[$i]}"
  e2e_wait_save_as 15 || fail "no Save As dialog for link ${links[$i]}"
  proposed=$(e2e_tool get "$E2E_SAVE_AS" 1148)
  e2e_tool press "$E2E_SAVE_AS" 2 || fail "could not press Cancel"
  e2e_tool gone "$E2E_SAVE_AS" 5
  sleep 1
  echo "link ${links[$i]}: proposed '$proposed'"
  [[ "$proposed" != *'\'* && "$proposed" != *'/'* && "$proposed" != *':'* ]] || fail "'$proposed' is a path"
  [ "$proposed" = "${expected_names[$i]}" ] || fail "proposed '$proposed', expected '${expected_names[$i]}'"
done

e2e_tool close Larkwell || fail "could not close the main window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
echo "PASS: sized download with progress and completion, cancel, overwrite No, held target, harmless names"
