#!/usr/bin/env bash
# The shell benchmarks' measurement, run short (one start of each program, one second at rest):
# it writes the seven figures, whose numbers are measurements (the program's start address
# reached the engine, after the window of the minimal program was timed), and the report
# takes the file.
set -uo pipefail
root=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$root/bench/shell/measure.sh" "$@" "$out/shell.json" 1 1 || { echo "FAIL: measure.sh failed"; exit 1; }
python3 - "$out/shell.json" <<'PY' || exit 1
import json, sys
figures = {f["name"]: f for f in json.load(open(sys.argv[1], encoding="utf-8"))}
def check(condition, what):
    if not condition:
        print(f"FAIL: {what}: {json.dumps(figures, ensure_ascii=False)}")
        sys.exit(1)
WINDOW = "main window visible and maximised / minimal window with the engine"
ENGINE = "the engine's own load and initialisation (minimal window with / without)"
check(list(figures) == ["Larkwell.exe, start page shown", "Larkwell.exe / a bare 10 ms thread timer",
                        "a bare 10 ms thread timer (minimal program)", "wineserver over the same time",
                        WINDOW, ENGINE, "start address reaching the engine"], "the figures")
rest = figures["Larkwell.exe, start page shown"]
check(0.9 < rest["baseline"] < 3 and rest["goal"] == "< 0.01", "one second at rest, with its goal")
check(0.9 < figures["a bare 10 ms thread timer (minimal program)"]["baseline"] < 3, "one second of the bare timer")
check(figures["Larkwell.exe / a bare 10 ms thread timer"]["goal"] == "<= 2", "the pump's goal against the timer")
check(figures[WINDOW]["goal"] == "<= 1.5", "the start-up goal")
# The baseline with the engine is the same minimal window with more work before it.
check(figures[WINDOW]["baseline"] == figures[ENGINE]["subject"], "one baseline with the engine")
for name in (WINDOW, ENGINE, "start address reaching the engine"):
    figure = figures[name]
    check(figure["subject"] > 0 and figure["baseline"] > 0 and figure["unit"] == "ms", f"{name}: times")
    check(abs(figure["ratio"] - figure["subject"] / figure["baseline"]) < 1e-9, f"{name}: ratio")
check("?mac=" in figures["start address reaching the engine"]["note"], "the start address in the note")
PY
python3 "$root/bench/bench-report.py" "$out/results.json" "test machine" "$out/shell.json" ||
  { echo "FAIL: the report refused the figure file"; exit 1; }
echo "PASS: the shell benchmarks measured and reported"
