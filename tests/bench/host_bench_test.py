"""The host benchmark program, run for a moment: it writes a figure file that bench-report.py
takes, pairs each figure's two sides, and fails when a figure cannot be made.

usage: host_bench_test.py <larkwell_host_bench> <bench-report.py>
Exits 77 (skipped) when the program has not been built (make bench builds it).
"""
import json
import math
import os
import subprocess
import sys
import tempfile
import unittest

PROGRAM = REPORT = None  # set from the command line
BRIEF = ["--benchmark_min_time=0.001", "--benchmark_repetitions=1"]
# The kinds of figure the host benchmarks make: calls into the engine, callbacks, strings.
GROUPS = {"engine calls", "callbacks", "strings"}


class HostBenchTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.figures = os.path.join(self.dir.name, "host.json")

    def tearDown(self):
        self.dir.cleanup()

    def run_bench(self, *options):
        return subprocess.run([PROGRAM, f"--figures={self.figures}", *BRIEF, *options],
                              capture_output=True, text=True, timeout=120)

    def test_a_short_run_gives_a_figure_file_the_report_takes(self):
        result = self.run_bench()
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        with open(self.figures, encoding="utf-8") as f:
            figures = json.load(f)
        self.assertEqual({f["group"] for f in figures}, GROUPS)
        self.assertEqual(len({f["name"] for f in figures}), len(figures), "two figures share a name")
        for figure in figures:
            with self.subTest(figure["name"]):
                self.assertEqual(figure["unit"], "ns")
                for side in ("subject", "baseline"):
                    self.assertTrue(math.isfinite(figure[side]) and figure[side] > 0, figure)
                self.assertAlmostEqual(figure["ratio"], figure["subject"] / figure["baseline"], places=3)
        out = os.path.join(self.dir.name, "results.json")
        report = subprocess.run([sys.executable, REPORT, out, "test machine", self.figures],
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(report.returncode, 0, report.stderr)
        for figure in figures:
            self.assertIn(figure["name"], report.stdout)

    def test_a_filter_keeps_the_figures_whose_two_sides_ran(self):
        result = self.run_bench("--benchmark_filter=^call_standin/")
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(self.figures, encoding="utf-8") as f:
            self.assertEqual([f["group"] for f in json.load(f)], ["engine calls"])

    def test_no_figure_without_both_sides(self):
        for case, pattern in {"nothing ran": "^no_such_figure", "one side ran": "^call_standin/subject$"}.items():
            with self.subTest(case):
                result = self.run_bench(f"--benchmark_filter={pattern}")
                self.assertEqual(result.returncode, 1, result.stdout)
                self.assertIn("no figure ran", result.stderr)
                self.assertFalse(os.path.exists(self.figures))

    def test_an_unknown_option_is_refused(self):
        result = self.run_bench("--benchmark_no_such_option=1")
        self.assertNotEqual(result.returncode, 0)
        self.assertFalse(os.path.exists(self.figures))


if __name__ == "__main__":
    PROGRAM, REPORT = sys.argv.pop(1), sys.argv.pop(1)
    if not os.access(PROGRAM, os.X_OK):
        print(f"skipped: {PROGRAM} is not built (make bench builds it)")
        sys.exit(77)
    unittest.main(verbosity=2)
