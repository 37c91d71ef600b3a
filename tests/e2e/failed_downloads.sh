#!/usr/bin/env bash
# Downloads that fail: one the server cuts short, and one onto a full disk (a 1 MiB tmpfs
# given to Wine as drive F:). Each ends with the failure message, never "complete", and what
# was received is on disk.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
dir=$E2E_DOWNLOADS
full=$E2E_OUT/full
drive=$WINEPREFIX/dosdevices/f:
mkdir -p "$full"
cleanup_disk() {
  rm -f "$drive"
  mountpoint -q "$full" && umount "$full"
  e2e_end
}
trap cleanup_disk EXIT
mount -t tmpfs -o size=1m tmpfs "$full" 2>"$E2E_OUT/mount.err" ||
  fail "this test needs a real full disk: mounting a 1 MiB tmpfs was refused ($(cat "$E2E_OUT/mount.err")); run it as root"
[ -e "$drive" ] && fail "drive F: is taken in this Wine prefix"
ln -s "$full" "$drive"

# prefix_of_served <file>: the file holds the first bytes the server sends, however many.
prefix_of_served() {
  local size
  size=$(stat -c %s "$1")
  [ "$size" -gt 0 ] && e2e_same_as_served "$1" "$size"
}

e2e_serve
e2e_start_larkwell

echo "--- cut short by the server"
e2e_download_to "$E2E_LINK_TRUNCATED" "$(e2e_winpath "$dir/truncated.xls")"
e2e_expect_notice "文件下载失败！" 30
echo "message: $E2E_NOTICE"
e2e_shot truncated
e2e_dismiss 提示
e2e_tool wait 提示 2 >/dev/null && fail "a second message after the failure: $(e2e_box_text 提示)"
e2e_same_as_served "$dir/truncated.xls" 100000 || fail "truncated.xls does not hold the 100000 bytes sent"
echo "truncated.xls: failure told once, the 100000 bytes received are on disk"

echo "--- onto a full disk"
e2e_download_to "$E2E_LINK_LARGE" 'F:\large.xls'
e2e_expect_notice "文件下载失败！" 60
echo "message: $E2E_NOTICE"
e2e_shot disk-full
e2e_dismiss 提示
e2e_tool wait 提示 2 >/dev/null && fail "a second message after the failure: $(e2e_box_text 提示)"
prefix_of_served "$full/large.xls" || fail "F:\\large.xls does not hold the first bytes sent"
echo "F:\\large.xls: failure told once, $(stat -c %s "$full/large.xls") bytes received are on disk"

e2e_tool close Larkwell || fail "could not close the main window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
echo "PASS: a download cut short and one onto a full disk each end with the failure message"
