#!/usr/bin/env bash
# produce.sh <build root> <figure file>
# The shell benchmarks' figure producer (scripts/bench.sh runs it): builds the program, the
# stand-in engine and the benchmark programs in <build root>/win (configured as make win does
# when it is not yet), then measures them in a Wine session of that tree (measure.sh). Exits
# non-zero when the build or a measurement failed.
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/../win-producer-lib.sh"
win_producer_begin "$@" -- Larkwell enginesim lwtool lwbench_launch lwbench_minimal
host=$(sed -n 's/^LARKWELL_START_HOST:STRING=//p' "$tree/CMakeCache.txt")

. "$root/scripts/wine-session.sh"
trap wine_session_end EXIT
wine_session_begin "$tree"
"$root/bench/shell/measure.sh" "$tree/bin" "$root" "$host" "$tree/bench-shots" "$figures"
