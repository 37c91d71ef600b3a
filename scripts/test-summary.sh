#!/usr/bin/env bash
# test-summary.sh <build-dir>...
# Adds up the ctest results that scripts/run-tests.sh left in each build tree and prints
# one closing line, "tests: N passed, N failed[, N skipped]" (N counts ctest tests: one per test
# executable or script).
# - Skipped is what said it cannot run here (ctest's skip: a skip code or "SKIP:"), each named
#   with its reason. A test that did not run for any other reason (a set-up it needs failed, say)
#   counts as failed.
# - A test that passed only when run a second time counts as passed and is named
#   ("passed on rerun: ..."), so that a flaky test is seen.
# - A tree without results counts as one failure.
set -euo pipefail

# outcomes <JUnit report>: one line per test, "<name> passed|failed|skipped".
outcomes() {
  awk '
    function flush() { if (name != "") print name, outcome; name = "" }
    /<testcase / {
      flush()
      match($0, /name="[^"]*"/); name = substr($0, RSTART + 6, RLENGTH - 7)
      outcome = index($0, "status=\"notrun\"") ? "failed" : "passed"
      next
    }
    name != "" && /<failure/ { outcome = "failed" }
    name != "" && /<skipped message="(SKIP_|Disabled)/ { outcome = "skipped" }
    END { flush() }' "$1"
}

# skip_reason <JUnit report> <name>: the first line its test said, the reason it gave.
skip_reason() {
  awk -v n="$2" '
    /<testcase / { inside = index($0, "name=\"" n "\"") > 0; next }
    inside && /<system-out>/ { sub(/.*<system-out>/, ""); print; exit }' "$1" | cut -c1-240
}

# passed_on_rerun <ctest output> <names that passed>: those that failed in an earlier run (ctest
# prints one line per run: "Test #12: name .....***Failed").
passed_on_rerun() {
  [ -f "$1" ] || return 0
  sed -nE 's/^.*Test +#[0-9]+: ([^ ]+) \.+ *\*\*\*(Failed|Timeout|Exception).*$/\1/p' "$1" | sort -u |
    grep -Fxf <(printf '%s\n' "$2") || true
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
  results=$(outcomes "$report")
  tree_passed=$(grep -c ' passed$' <<<"$results" || true)
  tree_failed=$(grep -c ' failed$' <<<"$results" || true)
  tree_skipped=$(grep -c ' skipped$' <<<"$results" || true)
  echo "$build: $tree_passed passed, $tree_failed failed, $tree_skipped skipped"
  # Each reason for skipping once, with the tests that gave it.
  while read -r name; do
    [ -n "$name" ] && printf '%s\t%s\n' "$(skip_reason "$report" "$name")" "$name"
  done < <(sed -n 's/ skipped$//p' <<<"$results") | awk -F'\t' '
    { count[$1]++; if (count[$1] <= 3) names[$1] = names[$1] (count[$1] > 1 ? ", " : "") $2 }
    END { for (r in count) printf "  skipped %d (%s%s): %s\n", count[r], names[r], (count[r] > 3 ? ", ..." : ""), r }'
  passed=$((passed + tree_passed))
  failed=$((failed + tree_failed))
  skipped=$((skipped + tree_skipped))
  while read -r name; do
    [ -n "$name" ] && reruns+=("$name")
  done < <(passed_on_rerun "$build/ctest-output.log" "$(sed -n 's/ passed$//p' <<<"$results")")
done
if [ "${#reruns[@]}" -gt 0 ]; then
  echo "passed on rerun: ${reruns[*]}"
fi
if [ "$skipped" -gt 0 ]; then
  echo "tests: $passed passed, $failed failed, $skipped skipped"
else
  echo "tests: $passed passed, $failed failed"
fi
