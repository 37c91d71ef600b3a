#!/usr/bin/env bash
# 100 downloads in a row through the real program, one program run, each asked for through the
# Save As dialog and confirmed by the completion message. Afterwards what the process uses is
# back near where it stood after the first download, the engine holds nothing but the live
# browser's own objects, and every file holds exactly the server's bytes.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
dir=$E2E_DOWNLOADS
downloads=100
size=300000   # the report link's download
export ENGINESIM_LEDGER_FILE=ledger.txt   # in the stage folder, rewritten after every download
ledger=$E2E_STAGE/ledger.txt
e2e_serve
e2e_start_larkwell
python3 "$E2E_SOURCE/demo/webapp/larkwell_demo.py" expected "$size" "$E2E_OUT/expected.bin"

# ledger_after <n>: the account the engine wrote once download n had ended.
ledger_after() { [ -f "$ledger" ] && head -n1 "$ledger" | grep -q "^after download $1:"; }

# download <n>: the report link saved as soak-<n>.xls, the dialog answered through its controls,
# the completion message confirmed; the engine has let go of the download afterwards.
download() {
  local path field
  path=$(e2e_winpath "$dir/soak-$1.xls")
  e2e_follow_link "$E2E_LINK_REPORT"
  e2e_wait_save_as 15 || fail "download $1: no Save As dialog"
  e2e_tool set "$E2E_SAVE_AS" 1148 "$path" || fail "download $1: no file name field"
  field=$(e2e_tool get "$E2E_SAVE_AS" 1148)
  [ "$field" = "$path" ] || fail "download $1: the file name field holds '$field'"
  e2e_press_save
  e2e_answer_notice "文件下载完成！" 30
  e2e_wait_for 10 ledger_after "$1" || fail "download $1: the engine did not end it ($(head -n1 "$ledger" 2>/dev/null))"
}

# usage: what the program's process uses now, as "name value" lines: what Windows says from
# outside, and what the program's Wine process holds on Linux (Wine keeps a descriptor for every
# file handle the program has used, and its private memory is the private bytes Windows would
# count).
usage() {
  e2e_tool usage Larkwell || fail "cannot measure the program's process"
  echo "unix-fds $(find "/proc/$E2E_PROGRAM/fd" -mindepth 1 -maxdepth 1 | wc -l)"
  echo "unix-private-kib $(awk '/^Private_(Clean|Dirty):/ { kib += $2 } END { print kib + 0 }' "/proc/$E2E_PROGRAM/smaps_rollup")"
}
value() { awk -v k="$1" '$1 == k { print $2 }' <<<"$2"; }

started=$(date +%s)
download 1
first=$(usage)
first_ledger=$(cat "$ledger")
for ((n = 2; n <= downloads; n++)); do
  download "$n"
  ((n % 25 == 0)) && echo "$n downloads after $(($(date +%s) - started)) s"
done
last=$(usage)
last_ledger=$(cat "$ledger")

echo "--- what the process uses, after download 1 and after download $downloads"
paste <(echo "$first") <(echo "$last") | awk '{ printf "%-10s %12s %12s\n", $1, $2, $4 }'
failures=()
# within <name> <allowed growth>: the value grew by at most that much.
within() {
  local a b
  a=$(value "$1" "$first")
  b=$(value "$1" "$last")
  if ((b - a > $2)); then failures+=("$1 grew from $a to $b (allowed: +$2)"); fi
}
# A value this Wine answers with a constant 0 for a running process with windows stands for
# nothing: it is said so and not checked.
measured() {
  if [ "$(value "$1" "$first")" = 0 ] && [ "$(value "$1" "$last")" = 0 ]; then
    echo "note: '$1' reads 0 from outside under this Wine: a stub, not checked"
  else
    within "$1" "$2"
  fi
}
measured gdi 20
measured user 20
measured gdi-table 20    # GDI objects, counted in the process's GDI handle table
measured handles 10      # kernel handles: one file, thread or event per download would show
measured private 2097152 # private bytes: 100 downloads of 300000 bytes leave no buffers behind
[ "$(value windows "$first")" -gt 0 ] || fail "the program's windows cannot be counted"
within windows 0         # USER objects: the windows of its threads, hidden ones and children too
within unix-fds 0        # a file or socket left open by a download would show
within unix-private-kib 4096  # 100 downloads of 300000 bytes leave no buffers behind
((${#failures[@]} == 0)) || fail "after $downloads downloads: ${failures[*]}"

echo "--- the engine's ledger after download 1 and after download $downloads"
echo "$first_ledger" | head -n1
echo "$last_ledger" | head -n1
kinds() { sed -n 's/^live engine object: \([^ ]*\) .*/\1/p' <<<"$1" | sort | uniq -c | tr -s ' ' | paste -sd, -; }
echo "live objects after 1: $(kinds "$first_ledger"); after $downloads: $(kinds "$last_ledger")"
[ "$(kinds "$last_ledger")" = "$(kinds "$first_ledger")" ] || fail "the engine holds other objects after $downloads downloads"
grep -q '^error: ' <<<"$last_ledger" && fail "the ledger has errors: $(grep '^error: ' <<<"$last_ledger" | head -n3)"
held_after() { sed -n 's/.*program references held \([0-9]*\),.*/\1/p' <<<"$1"; }
[ "$(held_after "$last_ledger")" = "$(held_after "$first_ledger")" ] ||
  fail "the engine holds $(held_after "$last_ledger") program references, $(held_after "$first_ledger") after the first download"
# Only the browser's own: the browser and its frames, nothing a download left.
others=$(sed -n 's/^live engine object: \([^ ]*\) .*/\1/p' <<<"$last_ledger" | grep -v -e '^browser$' -e '^frame$')
[ -z "$others" ] || fail "live engine objects besides the browser and its frames: $others"

for ((n = 1; n <= downloads; n++)); do
  cmp -s "$dir/soak-$n.xls" "$E2E_OUT/expected.bin" || fail "soak-$n.xls differs from the server's $size bytes"
done
echo "$downloads files, each the server's $size bytes, in $(($(date +%s) - started)) s"

e2e_tool close Larkwell || fail "could not close the main window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
report=$(grep '^enginesim at exit:' "$E2E_STDERR") || fail "no report of the engine at exit"
[[ "$report" == *"ledger clean at shutdown"* ]] || fail "$report"
echo "PASS: $downloads downloads in one run: files identical, resources back, the engine holds only the browser's objects"
