#!/usr/bin/env bash
# produce.sh <build root> <figure file>
# The host benchmarks' figure producer (scripts/bench.sh runs it): configures <build root>/bench
# (its CMake preset: optimised, no sanitizers, with the benchmarks), builds the benchmark program
# only, runs it and writes its figure file. Exits non-zero when the build or a benchmark failed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <build root> <figure file>" >&2; exit 2; }
tree=$1/bench
figures=$2

[ "$(realpath -m "$1")" = "$root/build" ] || { echo "$0: the trees are in $root/build (the CMake presets' folders)" >&2; exit 2; }
[ -f "$tree/build.ninja" ] || cmake -S "$root" --preset bench
cmake --build "$tree" --target larkwell_host_bench -j "${JOBS:-2}"
"$tree/bin/larkwell_host_bench" --figures="$figures"
