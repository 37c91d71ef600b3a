#!/usr/bin/env python3
"""Merges the figure files of one benchmark run into one JSON file and prints the table.

Every benchmark program writes a figure file: a JSON list of figures, each
  {"group": str, "name": str,
   "subject": float, "baseline": float, "unit": str,   # what was measured, side by side
   "ratio": float,                                     # subject against baseline, as the goal reads it
   "goal": str or null,                                # e.g. ">= 0.90", "< 0.01"
   "note": str (optional)}
A goal reads "<op> <number>" with op one of >=, >, <=, <; the ratio is checked against it.

usage: bench-report.py <out.json> <machine description> <figure file>...
Exits 1 when a figure file is missing or malformed (a benchmark that did not run is a
failure, not an empty row); a missed goal is reported, not an error.
"""
import json
import math
import operator
import sys

OPS = {">=": operator.ge, ">": operator.gt, "<=": operator.le, "<": operator.lt}


TEXTS = ("group", "name", "unit")
NUMBERS = ("subject", "baseline", "ratio")


def parse_goal(goal):
    """The goal's operator and number; ValueError for anything but "<op> <number>"."""
    parts = goal.split() if isinstance(goal, str) else []
    if len(parts) != 2 or parts[0] not in OPS:
        raise ValueError(f"goal {goal!r} does not read '<op> <number>'")
    return OPS[parts[0]], float(parts[1])


def goal_met(ratio, goal):
    if not goal:
        return None
    op, number = parse_goal(goal)
    return op(ratio, number)


def is_number(value):
    return isinstance(value, (int, float)) and not isinstance(value, bool) and math.isfinite(value)


def check(figure):
    """Why the figure is malformed, or None. Checked before anything is written or printed."""
    if not isinstance(figure, dict):
        return "a figure that is not an object"
    for key in TEXTS + NUMBERS:
        if key not in figure:
            return f"a figure without '{key}'"
    for key in TEXTS:
        if not isinstance(figure[key], str):
            return f"'{key}' is not a text"
    for key in NUMBERS:
        if not is_number(figure[key]):
            return f"'{key}' is not a finite number"
    if "note" in figure and not isinstance(figure["note"], str):
        return "'note' is not a text"
    goal = figure.get("goal")
    if goal is not None and not isinstance(goal, str):
        return "'goal' is neither a text nor null"
    return None


def load(path):
    with open(path, encoding="utf-8") as f:
        figures = json.load(f)
    if not isinstance(figures, list) or not figures:
        raise ValueError(f"{path}: no figures")
    for figure in figures:
        problem = check(figure)
        if problem:
            raise ValueError(f"{path}: {problem}: {figure}")
        try:
            figure["met"] = goal_met(figure["ratio"], figure.get("goal"))
        except ValueError as error:
            raise ValueError(f"{path}: {error}: {figure}") from None
    return figures


def number(value):
    return f"{value:.4g}" if abs(value) < 1e6 else f"{value:.3e}"


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    out, machine, paths = argv[1], argv[2], argv[3:]
    figures = []
    try:
        for path in paths:
            figures += load(path)
    except (OSError, ValueError) as error:
        print(f"bench: {error}", file=sys.stderr)
        return 1
    with open(out, "w", encoding="utf-8") as f:
        json.dump({"machine": machine, "figures": figures}, f, ensure_ascii=False, indent=2)

    rows = [("figure", "subject", "baseline", "unit", "ratio", "goal", "")]
    group = None
    for figure in figures:
        if figure["group"] != group:
            group = figure["group"]
            rows.append((f"[{group}]", "", "", "", "", "", ""))
        met = {True: "met", False: "MISSED", None: ""}[figure["met"]]
        rows.append(("  " + figure["name"], number(figure["subject"]), number(figure["baseline"]),
                     figure["unit"], f"{figure['ratio']:.3f}", figure.get("goal") or "", met))
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    print(f"machine: {machine}")
    for row in rows:
        print("  ".join(cell.ljust(widths[i]) if i == 0 else cell.rjust(widths[i])
                        for i, cell in enumerate(row)).rstrip())
    for figure in figures:
        if figure.get("note"):
            print(f"note ({figure['name']}): {figure['note']}")
    missed = [f["name"] for f in figures if f["met"] is False]
    print(f"results: {out}" + (f"; goals missed: {', '.join(missed)}" if missed else "; every goal met"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
