// Figures of the host benchmarks: each figure is a pair of Google Benchmark functions, the
// subject (the binding's way) and its baseline (the plain way), run side by side in one run.
// Its ratio is the subject's time over the baseline's, so 1.0 means "costs nothing extra".
//
//   const FigureRegistration kDirectCall{{"engine calls", "call_standin", "SetFlags ...", "<= 1.25"},
//                                        &WrapperCall, &DirectCall};
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "bench/figure_file.h"

namespace larkwell::bench {

struct Figure {
  std::string group;
  std::string id;    // the benchmarks are "<id>/subject" and "<id>/baseline"
  std::string name;  // as the report prints it
  std::string goal;  // "<op> <number>" on the ratio, or empty for none
  std::string note;  // optional
};

using BenchmarkFunction = void (*)(benchmark::State&);

// Registers the figure's two benchmarks (at static initialisation).
struct FigureRegistration {
  FigureRegistration(Figure figure, BenchmarkFunction subject, BenchmarkFunction baseline);
};

// Every registered figure, in registration order.
const std::vector<Figure>& RegisteredFigures();

// One measured figure: nanoseconds of CPU time per iteration of each side.
struct Measured {
  const Figure* figure;
  double subject_ns;
  double baseline_ns;
};

// Collects the time per iteration of every run (the median when repetitions are aggregated)
// while the console reporter shows the runs as usual.
class FigureCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;

  // The figures whose two sides both ran. A benchmark that failed is listed in `errors`, and
  // so is a figure whose baseline took no measurable time.
  std::vector<Measured> Figures();
  const std::vector<std::string>& errors() const { return errors_; }

 private:
  struct Time {
    double ns = 0;
    bool median = false;
  };

  std::map<std::string, Time> times_;  // by benchmark name
  std::vector<std::string> errors_;
};

// The measured figures as the figure file holds them.
std::vector<TFigure> FigureFileFigures(const std::vector<Measured>& figures);

}  // namespace larkwell::bench
