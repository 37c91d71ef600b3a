#include "bench/host/figures.h"

#include <cstdio>
#include <sstream>

namespace larkwell::bench {
namespace {

std::vector<Figure>& Registry() {
  static std::vector<Figure> figures;
  return figures;
}

std::string SubjectName(const Figure& figure) { return figure.id + "/subject"; }
std::string BaselineName(const Figure& figure) { return figure.id + "/baseline"; }

// A JSON string; the figures' texts are ours, but a quote or backslash must not break the file.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Number(double value) {
  std::ostringstream out;
  out.precision(6);
  out << value;
  return out.str();
}

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

std::string FigureFileText(const std::vector<Measured>& figures) {
  std::string out = "[\n";
  for (size_t i = 0; i < figures.size(); ++i) {
    const Measured& m = figures[i];
    out += "  {\"group\": " + Quoted(m.figure->group) + ", \"name\": " + Quoted(m.figure->name) +
           ", \"subject\": " + Number(m.subject_ns) + ", \"baseline\": " + Number(m.baseline_ns) +
           ", \"unit\": \"ns\", \"ratio\": " + Number(m.subject_ns / m.baseline_ns) +
           ", \"goal\": " + (m.figure->goal.empty() ? "null" : Quoted(m.figure->goal));
    if (!m.figure->note.empty()) out += ", \"note\": " + Quoted(m.figure->note);
    out += i + 1 < figures.size() ? "},\n" : "}\n";
  }
  return out + "]\n";
}

}  // namespace larkwell::bench
