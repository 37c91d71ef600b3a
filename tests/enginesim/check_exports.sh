#!/usr/bin/env bash
# Checks the stand-in library's exported names: exactly the engine's exports listed in the
# contract header, plus test-control functions named sim_*, and nothing else.
# Usage: check_exports.sh <objdump> <libcef.dll or libcef.so> <engine/cef_api.h>
set -euo pipefail

objdump=$1 library=$2 contract=$3

. "$(dirname "${BASH_SOURCE[0]}")/../../engine/exports.sh"
expected=$(engine_exports "$contract" | sort)
exported=$(library_exports "$objdump" "$library")

status=0
expected_count=$(grep -c . <<<"$expected" || true)
if [ "$expected_count" -ne 100 ]; then
  echo "check_exports: found $expected_count exports in $contract, expected 100" >&2
  status=1
fi
missing=$(comm -23 <(echo "$expected") <(echo "$exported"))
unexpected=$(comm -13 <(echo "$expected") <(echo "$exported") | grep -v '^sim_' || true)
if [ -n "$missing" ]; then
  echo "check_exports: engine exports missing from $library:" >&2
  echo "$missing" >&2
  status=1
fi
if [ -n "$unexpected" ]; then
  echo "check_exports: exported but neither an engine export nor sim_*:" >&2
  echo "$unexpected" >&2
  status=1
fi
if ! grep -q '^sim_' <<<"$exported"; then
  echo "check_exports: no sim_* test-control exports in $library" >&2
  status=1
fi
if [ "$status" -eq 0 ]; then
  echo "check_exports: $library exports the 100 engine functions and $(grep -c '^sim_' <<<"$exported") sim_* functions"
fi
exit "$status"
