#!/usr/bin/env bash
# run-tests.sh <build-dir> [ctest args...]
# Runs the tests of one tree (build/win, build/host, build/tsan, build/bench) with the test preset
# of the same name and exits with ctest's exit code. A Windows tree runs under Wine, in a session
# its ctest fixture starts and stops (an X server when DISPLAY is empty, the tree's prefix, one
# persistent wineserver; see wine-session-fixture.sh); its preset runs a failing test once more.
# Everything started is stopped on the way out, whatever happens.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 <build-dir> [ctest args...]" >&2; exit 2; }
build=$(realpath -m "$1")
tree=$(basename "$build")
shift
[ "$build" = "$root/build/$tree" ] ||
  { echo "run-tests: $1 is not one of the trees in $root/build (the CMake presets' folders)" >&2; exit 2; }
[ -f "$build/CMakeCache.txt" ] || { echo "run-tests: $build is not a configured build tree" >&2; exit 2; }

# ctest writes a JUnit report per tree, and its output is kept beside it (the report does not
# say which tests failed once before passing): scripts/test-summary.sh adds them up.
junit=$build/ctest-junit.xml
output=$build/ctest-output.log
rm -f "$junit" "$output"

ctest_pid=""
cleanup() {
  if [ -n "$ctest_pid" ]; then
    kill "$ctest_pid" 2>/dev/null || true
  fi
  # The fixture's own stop does not run when ctest is stopped.
  "$root/scripts/wine-session-fixture.sh" stop "$build" >/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# In the background, so that a signal to this script stops the run at once.
cd "$root"
ctest --preset "$tree" --output-junit "$junit" --output-log "$output" "$@" &
ctest_pid=$!
status=0
wait "$ctest_pid" || status=$?
ctest_pid=""
exit "$status"
