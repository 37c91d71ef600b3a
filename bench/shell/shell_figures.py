#!/usr/bin/env python3
"""The shell benchmarks' measurements from Linux and their figure file (bench/shell/measure.sh).

usage:
  shell_figures.py rest <pid> <program.exe> <seconds> <out.json>
      CPU time of the Wine process <pid> (all its threads), which must run <program.exe>, and of
      its wineserver over <seconds> of exactly measured wall time, from /proc.
  shell_figures.py write <shell rest.json> <timer rest.json> <runs file> <figure file>
      The figure file (format: bench/bench-report.py) from the at-rest measurements of the shell
      and of the minimal program with a bare 10 ms timer, and the start-up runs, one launcher
      line each: "<program> <key> <milliseconds> [<url>]", with program "minimal" or "larkwell"
      and key "window", "browser" or "start_url".
Exits 1 when a measurement cannot be made or the runs are incomplete.
"""
import json
import os
import statistics
import sys
import time

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


class MeasurementError(Exception):
    pass


def cpu_seconds(pid):
    """utime + stime of the whole process (every thread, ended ones included)."""
    with open(f"/proc/{pid}/stat", encoding="ascii") as f:
        fields = f.read().rsplit(")", 1)[1].split()  # the name may hold spaces
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def switches(pid):
    """Context switches of the process's live threads, voluntary and not: how often it runs."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status", encoding="ascii") as f:
                total += sum(int(line.split()[1]) for line in f if line.split()[0].endswith("ctxt_switches:"))
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total


def wine_prefix_of(pid):
    with open(f"/proc/{pid}/environ", "rb") as f:
        for entry in f.read().split(b"\0"):
            if entry.startswith(b"WINEPREFIX="):
                return entry.split(b"=", 1)[1].decode()
    raise MeasurementError(f"process {pid} has no WINEPREFIX")


def wineserver_of(prefix):
    """The wineserver serving the prefix: it works in a server folder that Wine names after the
    prefix's device and inode (under a temporary folder of its own)."""
    info = os.stat(prefix)
    folder = f"server-{info.st_dev:x}-{info.st_ino:x}"
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm", encoding="utf-8") as f:
                if not f.read().startswith("wineserver"):
                    continue
            if os.path.basename(os.readlink(f"/proc/{entry}/cwd")) == folder:
                return int(entry)
        except OSError:
            continue
    raise MeasurementError(f"no wineserver works in a folder {folder}")


def rest(pid, program, seconds, out):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            command = f.read().replace(b"\0", b" ").decode(errors="replace")
    except OSError:
        raise MeasurementError(f"no process {pid}") from None
    if program not in command:
        raise MeasurementError(f"process {pid} is not {program}: {command}")
    server = wineserver_of(wine_prefix_of(pid))
    start, program_start, server_start, switches_start = time.monotonic(), cpu_seconds(pid), cpu_seconds(server), switches(pid)
    time.sleep(seconds)
    program_end, server_end, switches_end, end = cpu_seconds(pid), cpu_seconds(server), switches(pid), time.monotonic()
    measured = {"wall_s": end - start, "program_cpu_s": program_end - program_start,
                "wineserver_cpu_s": server_end - server_start,
                "program_switches_per_s": (switches_end - switches_start) / (end - start),
                "tick_s": 1 / TICKS_PER_SECOND}
    with open(out, "w", encoding="utf-8") as f:
        json.dump(measured, f, indent=2)
    print(json.dumps(measured))


def read_runs(path):
    """{(program, key): [milliseconds...]} and the start address the engine received."""
    runs, url = {}, ""
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) < 3 or parts[1] == "exit":
                continue
            runs.setdefault((parts[0], parts[1]), []).append(float(parts[2]))
            if parts[1] == "start_url" and len(parts) > 3:
                url = parts[3]
    return runs, url


def percent(part, whole):
    return f"{100 * part / whole:.3f} %"


def figures(measured, timer, runs, url):
    needed = [("minimal", "window"), ("minimal_engine", "window"), ("larkwell", "window"), ("larkwell", "browser"),
              ("larkwell", "start_url")]
    missing = [f"{program} {key}" for program, key in needed if not runs.get((program, key))]
    if missing:
        raise MeasurementError(f"no start-up runs for: {', '.join(missing)}")
    count = min(len(runs[k]) for k in needed)
    median = {k: statistics.median(runs[k]) for k in needed}
    spread = {k: f"{min(runs[k]):.1f}..{max(runs[k]):.1f}" for k in needed}
    minimal = median[("minimal", "window")]
    # The minimal program that loads and initialises the engine first: the least any program
    # hosting this engine spends before its window is up.
    with_engine = median[("minimal_engine", "window")]
    wall = measured["wall_s"]
    # /proc counts CPU time in ticks: a share below one tick is read as one tick, the resolution,
    # so that a short run (the tests' one second) still gives a finite ratio.
    shell_share = max(measured["program_cpu_s"], measured["tick_s"]) / wall
    timer_share = max(timer["program_cpu_s"], timer["tick_s"]) / timer["wall_s"]
    return [
        {"group": "engine pump at rest", "name": "Larkwell.exe, start page shown",
         "subject": measured["program_cpu_s"], "baseline": wall, "unit": "s",
         "ratio": measured["program_cpu_s"] / wall, "goal": "< 0.01",
         "note": f"{percent(measured['program_cpu_s'], wall)} of one core over {wall:.2f} s (all threads of the "
                 f"Wine process, /proc in {measured['tick_s'] * 1000:.0f} ms ticks), "
                 f"{measured['program_switches_per_s']:.0f} context switches a second; a bare 10 ms thread timer "
                 f"alone: {percent(timer['program_cpu_s'], timer['wall_s'])}"},
        {"group": "engine pump at rest", "name": "Larkwell.exe / a bare 10 ms thread timer",
         "subject": shell_share, "baseline": timer_share, "unit": "core",
         "ratio": shell_share / timer_share, "goal": "<= 2",
         "note": "shares of one core at rest, each over its own measured time (at least one /proc tick each)"},
        {"group": "engine pump at rest", "name": "a bare 10 ms thread timer (minimal program)",
         "subject": timer["program_cpu_s"], "baseline": timer["wall_s"], "unit": "s",
         "ratio": timer["program_cpu_s"] / timer["wall_s"], "goal": None,
         "note": f"{percent(timer['program_cpu_s'], timer['wall_s'])} of one core over {timer['wall_s']:.2f} s, an "
                 f"empty timer procedure, {timer['program_switches_per_s']:.0f} context switches a second; the "
                 f"wineserver meanwhile: {percent(timer['wineserver_cpu_s'], timer['wall_s'])}"},
        {"group": "engine pump at rest", "name": "wineserver over the same time",
         "subject": measured["wineserver_cpu_s"], "baseline": wall, "unit": "s",
         "ratio": measured["wineserver_cpu_s"] / wall, "goal": None,
         "note": f"{percent(measured['wineserver_cpu_s'], wall)} of one core (it serves every Wine process of the "
                 f"session: the program's timer and messages, and Wine's own services)"},
        {"group": "start-up", "name": "main window visible and maximised / minimal window with the engine",
         "subject": median[("larkwell", "window")], "baseline": with_engine, "unit": "ms",
         "ratio": median[("larkwell", "window")] / with_engine, "goal": "<= 1.5",
         "note": f"median of {count} alternated runs after a warm-up; Larkwell {spread[('larkwell', 'window')]} ms, "
                 f"the minimal program with the engine loaded and initialised first "
                 f"{spread[('minimal_engine', 'window')]} ms"},
        {"group": "start-up", "name": "the engine's own load and initialisation (minimal window with / without)",
         "subject": with_engine, "baseline": minimal, "unit": "ms",
         "ratio": with_engine / minimal, "goal": None,
         "note": f"the engine's share: {with_engine - minimal:.1f} ms; the minimal program alone "
                 f"{spread[('minimal', 'window')]} ms"},
        {"group": "start-up", "name": "start address reaching the engine",
         "subject": median[("larkwell", "start_url")], "baseline": minimal, "unit": "ms",
         "ratio": median[("larkwell", "start_url")] / minimal, "goal": None,
         "note": f"{median[('larkwell', 'start_url')]:.1f} ms from process start to the engine's load of {url} "
                 f"(first browser made at {median[('larkwell', 'browser')]:.1f} ms), against the minimal "
                 f"program's window at {minimal:.1f} ms; medians of {count} runs"},
    ]


def main(argv):
    try:
        if len(argv) == 6 and argv[1] == "rest":
            rest(int(argv[2]), argv[3], float(argv[4]), argv[5])
            return 0
        if len(argv) == 6 and argv[1] == "write":
            measured = []
            for path in argv[2:4]:
                with open(path, encoding="utf-8") as f:
                    measured.append(json.load(f))
            made = figures(*measured, *read_runs(argv[4]))
            with open(argv[5], "w", encoding="utf-8") as f:
                json.dump(made, f, ensure_ascii=False, indent=2)
            return 0
    except (OSError, ValueError, KeyError, MeasurementError) as error:
        print(f"shell_figures: {error}", file=sys.stderr)
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
