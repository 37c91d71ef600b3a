#!/usr/bin/env bash
# A download that fails, the case given as the argument after the usual four:
#   cut-short  the server sends 100000 of the 300000 bytes it announced;
#   full-disk  the file goes onto a full disk (a 1 MiB tmpfs given to Wine as drive F:). Mounting
#              it needs root: run as another user, the case says SKIP (ctest counts it skipped).
# Each ends with the failure message told once, never "complete", and what was received is on disk.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
case=${5:-}
E2E_NAME=failed_downloads-$case   # each case keeps its own screenshots
dir=$E2E_DOWNLOADS
full=$E2E_OUT/full
drive=$WINEPREFIX/dosdevices/f:
case $case in
  cut-short) ;;
  full-disk)
    if [ "$(id -u)" -ne 0 ]; then
      echo "SKIP: the full-disk case mounts a 1 MiB tmpfs, which needs root"
      exit 0
    fi
    mkdir -p "$full"
    cleanup_disk() {
      rm -f "$drive"
      mountpoint -q "$full" && umount "$full"
      e2e_end
    }
    trap cleanup_disk EXIT
    mount -t tmpfs -o size=1m tmpfs "$full" 2>"$E2E_OUT/mount.err" ||
      fail "this case needs a real full disk: mounting a 1 MiB tmpfs was refused as root ($(cat "$E2E_OUT/mount.err"))"
    [ -e "$drive" ] && fail "drive F: is taken in this Wine prefix"
    ln -s "$full" "$drive" ;;
  *) fail "unknown case '$case' (cut-short or full-disk)" ;;
esac

# prefix_of_served <file>: the file holds the first bytes the server sends, however many.
prefix_of_served() {
  local size
  size=$(stat -c %s "$1")
  [ "$size" -gt 0 ] && e2e_same_as_served "$1" "$size"
}

e2e_serve
e2e_start_larkwell

# download_fails <link> <windows path> <seconds> <shot>: the failure message comes once, and only once.
download_fails() {
  e2e_download_to "$1" "$2"
  e2e_expect_notice "文件下载失败！" "$3"
  echo "message: $E2E_NOTICE"
  e2e_shot "$4"
  e2e_dismiss 提示
  e2e_tool wait 提示 2 >/dev/null && fail "a second message after the failure: $(e2e_box_text 提示)"
}

if [ "$case" = cut-short ]; then
  download_fails "$E2E_LINK_TRUNCATED" "$(e2e_winpath "$dir/truncated.xls")" 30 truncated
  e2e_same_as_served "$dir/truncated.xls" 100000 || fail "truncated.xls does not hold the 100000 bytes sent"
  echo "truncated.xls: failure told once, the 100000 bytes received are on disk"
else
  download_fails "$E2E_LINK_LARGE" 'F:\large.xls' 60 disk-full
  prefix_of_served "$full/large.xls" || fail "F:\\large.xls does not hold the first bytes sent"
  echo "F:\\large.xls: failure told once, $(stat -c %s "$full/large.xls") bytes received are on disk"
fi

e2e_tool close Larkwell || fail "could not close the main window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
echo "PASS: the download ($case) ends with the failure message"
