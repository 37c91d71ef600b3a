#!/usr/bin/env bash
# demo.sh <win-build-dir>
# Runs Larkwell.exe under Wine with the stand-in engine beside it, against the demo web
# application. With a display it runs for the person at the screen until the window is closed.
# Without one it starts its own X server and takes a short scripted tour (the start page, a
# download saved through the dialog, the progress window, the completion message), keeps
# screenshots under <win-build-dir>/demo, says what happened, and exits 0 only if the tour worked.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(dirname "$here")
build=$(realpath "$1")
host=$(sed -n 's/^LARKWELL_START_HOST:STRING=//p' "$build/CMakeCache.txt")
[ -n "$host" ] || { echo "demo: $build has no start host (is it the Windows tree?)" >&2; exit 2; }
shots=$build/demo

. "$here/wine-session.sh"
. "$source_dir/tests/e2e/e2e-lib.sh"
wine_session_begin "$build" || exit 1
e2e_begin "$build/bin" "$source_dir" "$host" "$shots"
# Ends the program, the web application, then Wine and the X server this script started.
trap 'e2e_end; wine_session_end' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
e2e_serve
echo "demo: the web application serves http://$host/ (log: $E2E_OUT/server.log)"

if ! wine_session_headless; then
  echo "demo: Larkwell runs on $DISPLAY; close its window to end the demo"
  e2e_start
  wait "$E2E_PROGRAM"
  status=$?
  E2E_PROGRAM=""
  echo "demo: Larkwell ended with exit code $status"
  exit "$status"
fi

. "$here/demo-tour.sh"
