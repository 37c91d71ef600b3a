#!/usr/bin/env bash
# The installer's first page tells whether the engine runtime comes with it: built without a
# runtime folder it says the runtime must be put next to the program, built with one it does
# not. Each installer is shown (in Chinese), read from outside, photographed and cancelled, and
# nothing is installed. Runs in the test run's own prefix: a cancelled installer changes nothing.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/installer-lib.sh"
installer_begin "$@"
runtime_note="请将引擎运行库"
installed="$WINEPREFIX/drive_c/Program Files/Larkwell"
[ ! -e "$installed" ] || fail "Larkwell is installed in the test run's prefix already"

installer_stand_in_runtime "$INSTALLER_WORK/runtime"
for kind in without-runtime with-runtime; do
  if [ "$kind" = with-runtime ]; then
    installer_build "$INSTALLER_WORK/$kind" "$INSTALLER_WORK/runtime"
  else
    installer_build "$INSTALLER_WORK/$kind"
  fi
  e2e_start "$(e2e_winpath "$INSTALLER")"
  e2e_tool wait "$INSTALLER_TITLE" 30 >/dev/null || fail "$kind: no window titled $INSTALLER_TITLE"
  # The welcome page's texts arrive a moment after its window.
  e2e_wait_for 5 eval '[[ "$(e2e_box_text "$INSTALLER_TITLE")" == *"欢迎使用 Larkwell 安装程序"* ]]' ||
    fail "$kind: the first page is not the Chinese welcome page: $(e2e_box_text "$INSTALLER_TITLE")"
  page=$(e2e_box_text "$INSTALLER_TITLE")
  echo "$kind, first page: $(tr '\n' ' ' <<<"$page")"
  case $kind in
    without-runtime) [[ "$page" == *"$runtime_note"*"libcef.dll"*"Larkwell.exe 所在的安装文件夹"* ]] ||
                       fail "$kind: the first page does not say where the engine runtime goes" ;;
    with-runtime) [[ "$page" != *"$runtime_note"* ]] || fail "$kind: the first page asks for a runtime it carries" ;;
  esac
  e2e_shot "$kind"
  e2e_tool press "$INSTALLER_TITLE" 2 || fail "$kind: could not press Cancel"
  e2e_wait_exit 10
  # NSIS: exit code 1 when the user cancels.
  [ "$E2E_STATUS" = 1 ] || fail "$kind: the cancelled installer ended with exit code $E2E_STATUS"
  [ ! -e "$installed" ] || fail "$kind: the cancelled installer installed Larkwell"
done
echo "PASS: the first page asks for the engine runtime only when the installer lacks it; cancelled, nothing installed"
