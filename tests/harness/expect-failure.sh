#!/usr/bin/env bash
# expect-failure.sh <pattern>... -- <command> [args...]
# Passes when <command> exits non-zero and its output matches every extended regular
# expression <pattern>: proof that a fault is reported, not merely that something broke.
set -uo pipefail

patterns=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  patterns+=("$1")
  shift
done
[ $# -ge 2 ] && [ ${#patterns[@]} -gt 0 ] || {
  echo "usage: $0 <pattern>... -- <command> [args...]" >&2
  exit 2
}
shift

output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"

verdict=0
if [ "$status" -eq 0 ]; then
  echo "expect-failure: the command succeeded; it must fail" >&2
  verdict=1
fi
for pattern in "${patterns[@]}"; do
  if ! grep -Eq -- "$pattern" <<<"$output"; then
    echo "expect-failure: no output matches: $pattern" >&2
    verdict=1
  fi
done
exit "$verdict"
