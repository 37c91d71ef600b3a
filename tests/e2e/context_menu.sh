#!/usr/bin/env bash
# A right click in the page shows no context menu in Larkwell; the same click in a host that
# leaves the menu event alone does show the engine's menu (so the check can see one).
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
cp "$E2E_BIN/menu_host.exe" "$E2E_STAGE/"
e2e_serve

popups() { e2e_tool list | grep -c ' #32768|'; }
menu_up() { [ "$(popups)" -ge 1 ]; }

# right_click <title>: a right click in the middle of the window's page, with the mouse.
right_click() {
  local window
  window=$(e2e_x_window "$1")
  [ -n "$window" ] || fail "no X window titled $1"
  xdotool mousemove --window "$window" 400 300 click 3 || fail "xdotool could not click in $1"
}

e2e_start_larkwell
[ "$(popups)" = 0 ] || fail "a popup menu is up before the click"
right_click Larkwell
sleep 1.5
shown=$(popups)
[ "$shown" = 0 ] || fail "Larkwell showed $shown popup menu(s) on a right click"
echo "Larkwell: no menu after a right click"
e2e_tool close Larkwell || fail "could not close Larkwell"
e2e_wait_exit 10

e2e_start menu_host.exe
e2e_tool wait "Menu host" 30 >/dev/null || fail "no menu host window"
e2e_wait_for 10 e2e_page_served 2 || fail "the menu host never asked for the start page"
sleep 1
right_click "Menu host"
e2e_wait_for 5 menu_up
shown=$(popups)
e2e_shot menu-host
[ "$shown" -ge 1 ] || fail "the check sees no menu even where the engine shows one"
echo "menu host: the engine's own menu after the same click"
xdotool key Escape
e2e_tool close "Menu host" || fail "could not close the menu host"
e2e_wait_exit 10
echo "PASS: no context menu in Larkwell; the same check sees the engine's menu in a host that allows it"
