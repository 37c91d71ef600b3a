"""bench-report.py: merges figure files into one result, judges the goals, and refuses a run
whose figure file is missing or malformed.

usage: bench_report_test.py <bench-report.py>
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

REPORT = None  # set from the command line


def figure(name, ratio, goal=None, group="calls", **extra):
    return {"group": group, "name": name, "subject": ratio * 10.0, "baseline": 10.0,
            "unit": "ns", "ratio": ratio, "goal": goal, **extra}


class ReportTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.out = os.path.join(self.dir.name, "results.json")

    def tearDown(self):
        self.dir.cleanup()

    def write(self, name, content):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(content if isinstance(content, str) else json.dumps(content))
        return path

    def run_report(self, *paths, machine="test machine, 2 cores"):
        return subprocess.run([sys.executable, REPORT, self.out, machine, *paths],
                              capture_output=True, text=True, timeout=60)

    def test_merges_figure_files_in_order_and_judges_each_goal(self):
        first = self.write("host.json", [
            figure("exactly at the goal", 1.25, "<= 1.25"),
            figure("over the goal", 3.5, "< 2", note="why it costs"),
        ])
        second = self.write("win.json", [
            figure("no goal", 7.0, group="strings"),
            figure("at least", 0.95, ">= 0.90", group="strings"),
            figure("strictly above", 1.0, "> 1", group="strings"),
        ])
        result = self.run_report(first, second, machine="某机器, 2 cores")
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(self.out, encoding="utf-8") as f:
            merged = json.load(f)
        self.assertEqual(merged["machine"], "某机器, 2 cores")
        self.assertEqual([(f["name"], f["met"]) for f in merged["figures"]],
                         [("exactly at the goal", True), ("over the goal", False), ("no goal", None),
                          ("at least", True), ("strictly above", False)])
        self.assertIn("[calls]", result.stdout)
        self.assertIn("[strings]", result.stdout)
        self.assertIn("note (over the goal): why it costs", result.stdout)
        self.assertIn("goals missed: over the goal, strictly above", result.stdout)

    def test_every_goal_met_is_said(self):
        result = self.run_report(self.write("ok.json", [figure("cheap", 1.0, "<= 2")]))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("every goal met", result.stdout)

    def test_a_missing_or_malformed_figure_file_fails_the_run(self):
        good = figure("good", 1.0, "<= 2")
        malformed = {
            "not JSON": "[{\"group\": ",
            "not a list": json.dumps({"figures": [good]}),
            "no figures": "[]",
            "a figure that is a list": [good, ["group", "name"]],
            "no ratio": [good, {k: v for k, v in good.items() if k != "ratio"}],
            "a ratio in words": [dict(good, ratio="low")],
            "a Boolean subject": [dict(good, subject=True)],
            "an infinite baseline": '[{"group": "g", "name": "n", "subject": 1, "baseline": Infinity, '
                                    '"unit": "ns", "ratio": 0}]',
            "a name that is a number": [dict(good, name=7)],
            "an unknown goal operator": [dict(good, goal="about 2")],
            "a goal without a number": [dict(good, goal="<= fast")],
            "a goal that is a number": [dict(good, goal=2)],
            "a note that is a list": [dict(good, note=["a"])],
            "a file that is not there": None,
        }
        valid = self.write("valid.json", [good])
        for case, content in malformed.items():
            with self.subTest(case):
                if os.path.exists(self.out):
                    os.remove(self.out)
                bad = os.path.join(self.dir.name, "absent.json") if content is None else \
                    self.write("bad.json", content)
                result = self.run_report(valid, bad)
                self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
                self.assertIn("bench:", result.stderr)
                self.assertNotIn("Traceback", result.stderr)
                self.assertFalse(os.path.exists(self.out), "a result was written for a malformed run")

    def test_without_figure_files_it_shows_its_usage(self):
        result = self.run_report()
        self.assertEqual(result.returncode, 2)
        self.assertIn("usage:", result.stderr)


if __name__ == "__main__":
    REPORT = sys.argv.pop(1)
    unittest.main(verbosity=2)
