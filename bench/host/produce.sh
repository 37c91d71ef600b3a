#!/usr/bin/env bash
# produce.sh <build root> <figure file>
# The host benchmarks' figure producer (scripts/bench.sh runs it): configures <build root>/bench
# (optimised, no sanitizers, with the benchmarks), builds the benchmark program only, runs it and
# writes its figure file. Exits non-zero when the build or a benchmark failed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <build root> <figure file>" >&2; exit 2; }
tree=$1/bench
figures=$2

if ! grep -qs '^LARKWELL_BENCHMARKS:BOOL=ON$' "$tree/CMakeCache.txt"; then
  cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLARKWELL_SANITIZERS= \
    -DLARKWELL_BENCHMARKS=ON
fi
cmake --build "$tree" --target larkwell_host_bench -j "${JOBS:-2}"
"$tree/bin/larkwell_host_bench" --figures="$figures"
