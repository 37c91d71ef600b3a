#!/usr/bin/env bash
# test-summary.sh <build-dir>...
# Adds up the ctest results that scripts/run-tests.sh left in each build tree and prints
# one closing line, "tests: N passed, N failed[, N skipped]" (N counts ctest tests: one per test
# executable or script). A test that passed only when run a second time counts as passed and
# is named ("passed on rerun: ..."), so that a flaky test is seen. A tree without results
# counts as one failure.
set -euo pipefail

# attribute <name> <file>: the value of the first name="value" in a ctest JUnit report
attribute() {
  grep -o -m1 "$1=\"[0-9]*\"" "$2" | grep -o '[0-9]\+'
}

# passed_on_rerun <ctest output> <JUnit report>: the tests that failed in a run and passed in
# the report (ctest prints one line per run: "Test #12: name .....***Failed").
passed_on_rerun() {
  local name
  [ -f "$1" ] || return 0
  sed -nE 's/^.*Test +#[0-9]+: ([^ ]+) \.+ *\*\*\*(Failed|Timeout|Exception|Not Run).*$/\1/p' "$1" |
    sort -u | while read -r name; do
      # passed in the end: a testcase with status="run" and no <failure> before the next one
      awk -v n="$name" '
        /<testcase / { inside = index($0, "name=\"" n "\"") > 0 && index($0, "status=\"run\"") > 0; ok = inside; next }
        inside && /<failure/ { ok = 0 }
        inside && /<\/testcase>/ { if (ok) found = 1; inside = 0 }
        END { exit !found }' "$2" && echo "$name"
    done
}

passed=0
failed=0
skipped=0
reruns=()
for build in "$@"; do
  report=$build/ctest-junit.xml
  if [ ! -f "$report" ]; then
    echo "$build: no test results"
    failed=$((failed + 1))
    continue
  fi
  tests=$(attribute tests "$report")
  failures=$(attribute failures "$report")
  not_run=$(( $(attribute skipped "$report") + $(attribute disabled "$report") ))
  echo "$build: $((tests - failures - not_run)) passed, $failures failed, $not_run not run"
  passed=$((passed + tests - failures - not_run))
  failed=$((failed + failures))
  skipped=$((skipped + not_run))
  while read -r name; do
    [ -n "$name" ] && reruns+=("$name")
  done < <(passed_on_rerun "$build/ctest-output.log" "$report")
done
if [ "${#reruns[@]}" -gt 0 ]; then
  echo "passed on rerun: ${reruns[*]}"
fi
if [ "$skipped" -gt 0 ]; then
  echo "tests: $passed passed, $failed failed, $skipped skipped"
else
  echo "tests: $passed passed, $failed failed"
fi
