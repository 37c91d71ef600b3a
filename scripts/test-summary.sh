#!/usr/bin/env bash
# test-summary.sh <build-dir>...
# Adds up the ctest results that scripts/run-tests.sh left in each build tree and prints
# one closing line, "tests: N passed, N failed" (N counts ctest tests: one per test
# executable or script). A tree without results counts as one failure.
set -euo pipefail

# attribute <name> <file>: the value of the first name="value" in a ctest JUnit report
attribute() {
  grep -o -m1 "$1=\"[0-9]*\"" "$2" | grep -o '[0-9]\+'
}

passed=0
failed=0
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
done
echo "tests: $passed passed, $failed failed"
