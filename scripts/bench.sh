#!/usr/bin/env bash
# bench.sh [<build root>]        (make bench; the build root defaults to build)
# Runs every figure file producer listed below, then merges their figure files with
# bench/bench-report.py into <build root>/bench-results.json and prints the table. Exits non-zero
# only when a benchmark failed to run (or its figure file is malformed); a missed goal is
# reported, not an error.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-build}")

# --- The figure file producers ------------------------------------------------------------------
# One a line: <name> <where it runs: native | wine> <script, relative to the repository>.
# The script is called as `<script> <build root> <figure file>` and exits non-zero when a
# benchmark failed. A listed script that is not there (yet) is skipped.
PRODUCERS=(
  "host native bench/host/produce.sh"
  "download wine bench/win/produce.sh"
  "shell wine bench/shell/produce.sh"
)
# -------------------------------------------------------------------------------------------------

# The machine, from the machine itself; Wine's version when a producer ran under Wine.
machine_description() {
  local cpu os
  cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
  os=$(. /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-}")
  local text="${cpu:-unknown CPU}, $(nproc) cores, ${os:-unknown OS} (Linux $(uname -r))"
  if [ "$1" = yes ]; then
    # Where the kernel refuses 32-bit programs the Windows figures are those of the 64-bit build.
    local arch=win32
    [ "$("$root/scripts/wine-tree.sh" 2>/dev/null)" = win64 ] && arch=win64
    text+=", $(. "$root/scripts/wine-env.sh"
               LARKWELL_WINE_ARCH=$arch "$(LARKWELL_WINE_ARCH=$arch larkwell_wine_loader)" --version 2>/dev/null ||
                 echo 'Wine (version unknown)')"
    [ "$arch" = win32 ] || text+=" running the 64-bit build of the Windows programs (the kernel refuses 32-bit ones)"
  fi
  echo "$text"
}

figures_dir=$build/bench/figures
mkdir -p "$figures_dir"
figure_files=()
failed=()
used_wine=no
for producer in "${PRODUCERS[@]}"; do
  read -r name runs_under script <<<"$producer"
  if [ ! -x "$root/$script" ]; then
    echo "bench: $name: no producer $script, skipped"
    continue
  fi
  file=$figures_dir/$name.json
  rm -f "$file"  # a figure file left from an earlier run must not stand in for this one
  echo "=== bench: $name ($script)"
  [ "$runs_under" = wine ] && used_wine=yes
  if "$root/$script" "$build" "$file" && [ -f "$file" ]; then
    figure_files+=("$file")
  else
    failed+=("$name")
  fi
done

status=0
if [ "${#figure_files[@]}" -gt 0 ]; then
  python3 "$root/bench/bench-report.py" "$build/bench-results.json" "$(machine_description "$used_wine")" \
    "${figure_files[@]}" || status=1
fi
if [ "${#failed[@]}" -gt 0 ]; then
  echo "bench: failed to run: ${failed[*]}" >&2
  status=1
fi
if [ "${#figure_files[@]}" -eq 0 ] && [ "${#failed[@]}" -eq 0 ]; then
  echo "bench: no producer ran" >&2
  status=1
fi
exit "$status"
