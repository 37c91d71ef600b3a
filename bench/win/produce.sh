#!/usr/bin/env bash
# produce.sh <build root> <figure file>
# The download path benchmark's figure producer (scripts/bench.sh runs it): builds
# download_bench in <build root>/win (configured as make win does when it is not yet) and runs it
# in a Wine session of that tree, with its files in memory (/dev/shm) when the machine has it, so
# the plain loop is as fast as it can be and the figure is the harder one. Exits non-zero when
# the build or the benchmark failed. DOWNLOAD_BENCH_ARGS adds arguments (say --mib=16 --rounds=1).
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/../win-producer-lib.sh"
win_producer_begin "$@" -- download_bench

if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch=$(mktemp -d /dev/shm/larkwell-download-bench.XXXXXX)
else
  scratch=$(mktemp -d "$tree/download-bench.XXXXXX")
fi
. "$root/scripts/wine-session.sh"
trap 'rm -rf "$scratch"; wine_session_end' EXIT
wine_session_begin "$tree"
# shellcheck disable=SC2086  # the extra arguments are words on purpose
wine "$tree/bin/download_bench.exe" --dir="Z:${scratch//\//\\}" --out="Z:${figures//\//\\}" \
  ${DOWNLOAD_BENCH_ARGS:-} </dev/null 2>&1 | tr -d '\r'
