#!/usr/bin/env bash
# wine-session-fixture.sh start|stop <build-dir>
# The Wine session of a Windows tree as a ctest fixture, so that plain ctest (and the CMake
# presets) run the tree's tests anywhere, with or without a display:
#   start  an X server when there is no display, the tree's prefix and one persistent
#          wineserver; writes <build-dir>/wine-session.env, which wine-run.sh and
#          wine-session-run.sh read. On a machine where Wine cannot run the programs it says
#          why ("SKIP:") and writes that instead, so that each test is skipped, not failed;
#   stop   stops what start started and removes that file. Stopping twice does nothing.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 2 ] || { echo "usage: $0 start|stop <build-dir>" >&2; exit 2; }
action=$1
build=$(realpath "$2")
session=$build/wine-session.env

stop() {
  [ -f "$session" ] || return 0
  local display xvfb_pid prefix
  # shellcheck disable=SC1090
  display=$(. "$session"; echo "${DISPLAY:-}")
  xvfb_pid=$(sed -n 's/^# xvfb pid: //p' "$session")
  prefix=$(sed -n 's/^# prefix: //p' "$session")
  rm -f "$session"
  if [ -n "$prefix" ]; then
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
  fi
  echo "wine session: stopped${display:+ (display $display)}"
}

case $action in
  start)
    # A session left by a run that was killed is not trusted: start afresh.
    stop >/dev/null
    . "$here/wine-session.sh"
    export LARKWELL_WINE_ARCH
    LARKWELL_WINE_ARCH=${LARKWELL_WINE_ARCH:-$(larkwell_tree_wine_arch "$build")}
    unavailable=$(wine_session_unavailable)
    if [ -n "$unavailable" ] && [ "$(larkwell_wine_arch)" = win32 ] &&
       [ -z "$(LARKWELL_WINE_ARCH=win64 wine_session_unavailable)" ]; then
      unavailable+="; make test runs these tests in the 64-bit tree build/win64"
    fi
    if [ -n "$unavailable" ]; then
      # Every test that needs Wine reads this and is skipped, saying why.
      printf 'export LARKWELL_WINE_UNAVAILABLE=%q\n' "$unavailable" >"$session"
      echo "SKIP: $unavailable"
      exit 0
    fi
    # Everything started here outlives this script: nothing of it may keep ctest's output open.
    wine_session_begin "$build" </dev/null >>"$build/wine-session.log" 2>&1 || {
      echo "wine session: could not start (see $build/wine-session.log)" >&2
      tail -n 5 "$build/wine-session.log" >&2
      wine_session_end  # what did start (the X server, say) does not outlive the failure
      exit 1
    }
    {
      echo "export DISPLAY=$DISPLAY"
      echo "# xvfb pid: $wine_session_xvfb_pid"
      echo "# prefix: $wine_session_prefix"
    } >"$session"
    [ -z "$wine_session_display_file" ] || rm -f "$wine_session_display_file"
    echo "wine session: display $DISPLAY, prefix $wine_session_prefix" ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop <build-dir>" >&2; exit 2 ;;
esac
