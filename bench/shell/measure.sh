#!/usr/bin/env bash
# measure.sh <bin-dir> <source-dir> <start-host> <shots-dir> <figure file> [<runs> [<rest seconds>]]
# The shell's benchmarks, inside a running Wine session (produce.sh starts one; the test run has
# its own): the real Larkwell.exe staged with the stand-in engine as the end-to-end tests stage
# it, against the demo web application.
#   at rest:  the program's CPU time (all threads) and its wineserver's over <rest seconds>
#             (default 20) once the start page is shown; then that of the minimal program with
#             a bare 10 ms thread timer, what Wine's timer alone costs;
#   start-up: <runs> (default 7) starts of the minimal one-window program, of the same with the
#             engine loaded and initialised first, and of Larkwell.exe, alternated, after one
#             warm-up start of each, timed by lwbench_launch.
# Writes the figure file; exits non-zero (saying why) when a measurement failed.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
[ $# -ge 5 ] || { echo "usage: $0 <bin-dir> <source-dir> <start-host> <shots-dir> <figure file> [<runs> [<rest seconds>]]" >&2; exit 2; }
figure_file=$(realpath -m "$5")
runs=${6:-7}
rest_seconds=${7:-20}
. "$here/../../tests/e2e/e2e-lib.sh"
e2e_begin "$1" "$2" "$3" "$4"
cp "$E2E_BIN/lwbench_launch.exe" "$E2E_BIN/lwbench_minimal.exe" "$E2E_STAGE/" || fail "the benchmark programs are not built"
e2e_serve

# --- at rest: from the moment the start page is shown (the stand-in's timestamp), plus a moment
# for the first paint, with nothing else happening.
stamps=$E2E_OUT/stamps.txt
ENGINESIM_TIMESTAMPS=$(e2e_winpath "$stamps")
export ENGINESIM_TIMESTAMPS
e2e_start
e2e_wait_for 30 grep -qs '^[0-9]* page http' "$stamps" || fail "the start page was never shown"
e2e_tool wait Larkwell 10 >/dev/null || fail "no visible window titled Larkwell"
sleep 2
python3 "$here/shell_figures.py" rest "$E2E_PROGRAM" Larkwell.exe "$rest_seconds" "$E2E_OUT/rest.json" ||
  fail "no measurement at rest"
e2e_shot at-rest
e2e_tool close Larkwell || fail "could not close Larkwell"
e2e_wait_exit 15
[ "$E2E_STATUS" = 0 ] || fail "Larkwell ended with exit code $E2E_STATUS after the measurement at rest"
grep -q "ledger clean at shutdown" "$E2E_STDERR" || fail "the engine's ledger was not clean at shutdown"
unset ENGINESIM_TIMESTAMPS  # each start-up run gets a file of its own from the launcher

(cd "$E2E_STAGE" && exec wine lwbench_minimal.exe timer </dev/null >/dev/null 2>&1) &
E2E_PROGRAM=$!
e2e_tool wait "lwbench minimal" 10 >/dev/null || fail "no window of the minimal program with a timer"
sleep 2
python3 "$here/shell_figures.py" rest "$E2E_PROGRAM" lwbench_minimal.exe "$rest_seconds" "$E2E_OUT/timer.json" ||
  fail "no measurement of the bare timer"
e2e_tool close "lwbench minimal" || fail "could not close the minimal program"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "the minimal program ended with exit code $E2E_STATUS"

# --- start-up
runs_file=$E2E_OUT/runs.txt
: >"$runs_file"
# launch <name> <program> [<launcher options>]: one timed start; its lines go to the runs file as
# "<name> <key> ..." (the figures take "minimal", "minimal_engine" and "larkwell", not "warmup").
launch() {
  local name=$1 out
  shift
  out=$( (cd "$E2E_STAGE" && wine lwbench_launch.exe "$@" </dev/null 2>"$E2E_OUT/launch.err") | tr -d '\r') ||
    fail "lwbench_launch $*: $(cat "$E2E_OUT/launch.err") $out"
  sed "s/^/$name /" <<<"$out" >>"$runs_file"
}
launch warmup lwbench_minimal.exe
launch warmup lwbench_minimal.exe --argument=engine
launch warmup Larkwell.exe --engine
for ((run = 1; run <= runs; run++)); do
  launch minimal lwbench_minimal.exe
  launch minimal_engine lwbench_minimal.exe --argument=engine
  launch larkwell Larkwell.exe --engine
done
cat "$runs_file"

python3 "$here/shell_figures.py" write "$E2E_OUT/rest.json" "$E2E_OUT/timer.json" "$runs_file" "$figure_file" ||
  fail "no figures from the measurements"
echo "shell benchmarks measured: $figure_file"
