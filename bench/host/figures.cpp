#include "bench/host/figures.h"


namespace larkwell::bench {
namespace {

std::vector<Figure>& Registry() {
  static std::vector<Figure> figures;
  return figures;
}

std::string SubjectName(const Figure& figure) { return figure.id + "/subject"; }
std::string BaselineName(const Figure& figure) { return figure.id + "/baseline"; }

}  // namespace

FigureRegistration::FigureRegistration(Figure figure, BenchmarkFunction subject, BenchmarkFunction baseline) {
  benchmark::RegisterBenchmark(SubjectName(figure).c_str(), subject)->Unit(benchmark::kNanosecond);
  benchmark::RegisterBenchmark(BaselineName(figure).c_str(), baseline)->Unit(benchmark::kNanosecond);
  Registry().push_back(std::move(figure));
}

const std::vector<Figure>& RegisteredFigures() { return Registry(); }

void FigureCollector::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    const std::string name = run.run_name.str();
    if (run.error_occurred) {
      errors_.push_back(name + ": " + run.error_message);
      continue;
    }
    const bool median = run.run_type == Run::RT_Aggregate;
    if (median && run.aggregate_name != "median") continue;
    const double ns = run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
    // The median of the repetitions, once there is one, stands for them all.
    Time& time = times_[name];
    if (median || !time.median) time = {ns, median};
  }
}

std::vector<Measured> FigureCollector::Figures() {
  std::vector<Measured> measured;
  for (const Figure& figure : RegisteredFigures()) {
    const auto subject = times_.find(SubjectName(figure));
    const auto baseline = times_.find(BaselineName(figure));
    if (subject == times_.end() || baseline == times_.end()) continue;
    if (!(baseline->second.ns > 0)) {
      errors_.push_back(figure.id + ": the baseline took no measurable time");
      continue;
    }
    measured.push_back({&figure, subject->second.ns, baseline->second.ns});
  }
  return measured;
}

std::vector<TFigure> FigureFileFigures(const std::vector<Measured>& figures) {
  std::vector<TFigure> out;
  for (const Measured& m : figures) {
    out.push_back({m.figure->group, m.figure->name, m.subject_ns, m.baseline_ns, "ns", m.subject_ns / m.baseline_ns,
                   m.figure->goal, m.figure->note});
  }
  return out;
}

}  // namespace larkwell::bench
