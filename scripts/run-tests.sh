#!/usr/bin/env bash
# run-tests.sh <build-dir> [ctest args...]
# Runs the tests of one build tree and exits with ctest's exit code.
# A Windows tree runs under Wine: an X server (Xvfb) when DISPLAY is empty, the tree's
# prefix, and one persistent wineserver, so each test starts in a fraction of a second.
# Everything started here is stopped on the way out, whatever happens.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -ge 1 ] || { echo "usage: $0 <build-dir> [ctest args...]" >&2; exit 2; }
build=$(realpath "$1")
shift
cache=$build/CMakeCache.txt
[ -f "$cache" ] || { echo "run-tests: $build is not a configured build tree" >&2; exit 2; }

# ctest writes a JUnit report per tree: scripts/test-summary.sh adds them up.
junit=$build/ctest-junit.xml
rm -f "$junit"
# In the background, so that a signal to this script stops the run at once.
ctest_pid=""
run_ctest() {
  ctest --test-dir "$build" --output-on-failure -j2 --output-junit "$junit" "$@" &
  ctest_pid=$!
  local status=0
  wait "$ctest_pid" || status=$?
  ctest_pid=""
  return "$status"
}

xvfb_pid=""
display_file=""
prefix=""
cleanup() {
  if [ -n "$ctest_pid" ]; then
    kill "$ctest_pid" 2>/dev/null || true
  fi
  if [ -n "$prefix" ]; then
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    # Wait until it is gone, so a run started right after never meets a dying server.
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  [ -z "$display_file" ] || rm -f "$display_file"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

if ! grep -q '^LARKWELL_TEST_PLATFORM:INTERNAL=wine$' "$cache"; then
  run_ctest "$@"
  exit
fi

# Xvfb picks a free display and writes its number to fd 3 once it accepts clients.
start_xvfb() {
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" \
    >"$build/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    if [ -s "$display_file" ]; then
      export DISPLAY=:$(head -n1 "$display_file")
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "run-tests: Xvfb did not start (see $build/xvfb.log)" >&2
  return 1
}

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
fi

prefix=$build/wineprefix
"$here/wine-prefix.sh" "$prefix"
. "$here/wine-env.sh"
larkwell_wine_env "$prefix"
export LARKWELL_WINEPREFIX=$prefix
# Started before any wine process, it serves every test of this run.
wineserver -p
# The first wine process of a server starts Wine's own services, which keep its output
# open for as long as the server lives: start them here, not from a test whose output
# ctest would then wait for until the timeout.
wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
# Very rarely a Wine process dies of a signal inside Wine itself (seen once in about 150 runs
# of the whole suite, never reproduced alone). A test that fails is run once more; one that
# fails twice fails the run, and the first failure stays in the output.
run_ctest --repeat until-pass:2 "$@"
