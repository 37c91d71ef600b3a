// The host benchmarks: runs every figure's two sides against the stand-in engine and writes the
// figure file for bench/bench-report.py.
//
//   larkwell_host_bench [--figures=<file>] [Google Benchmark's options...]
//
// By default each side runs 5 times, the runs of all figures interleaved at random so that a
// disturbance of the machine falls on both sides alike; the median counts. Exits 1 when a
// benchmark failed, no figure ran, or the engine ledger is not clean afterwards.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench/host/figures.h"
#include "engine/cef_base.h"
#include "engine/entry_points.h"
#include "enginesim/control.h"
#include "os/dynamic_library.h"

namespace {

using larkwell::bench::FigureCollector;

constexpr char kFiguresOption[] = "--figures=";

// The binding's entry points bound to the stand-in engine, which this program links.
class StandInEngine {
 public:
  StandInEngine() : module_(larkwell::os::LoadModule(larkwell::kCefDefaultLibraryName)) {
    missing_ = module_ ? larkwell::ResolveEntryPoints(module_) : -1;
  }
  ~StandInEngine() {
    larkwell::ClearEntryPoints();
    if (module_) larkwell::os::UnloadModule(module_);
  }
  StandInEngine(const StandInEngine&) = delete;
  StandInEngine& operator=(const StandInEngine&) = delete;

  bool ready() const { return missing_ == 0; }

 private:
  larkwell::os::ModuleHandle module_;
  int missing_;
};

// Whatever a benchmark left across the boundary; empty when clean.
std::string LedgerProblems() {
  std::string problems;
  if (int live = larkwell::CefBridgeLiveObjects())
    problems += std::to_string(live) + " bridge object(s) of the program still alive\n";
  if (!sim_ledger_clean()) problems += larkwell::enginesim::ledger_report();
  return problems;
}


}  // namespace

int main(int argc, char** argv) {
  // Our defaults first, so that the caller's options (parsed later) win.
  std::vector<char*> args{argv[0]};
  static char repetitions[] = "--benchmark_repetitions=5";
  static char interleaving[] = "--benchmark_enable_random_interleaving=true";
  static char aggregates[] = "--benchmark_display_aggregates_only=true";
  args.insert(args.end(), {repetitions, interleaving, aggregates});
  std::string figures_path;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kFiguresOption, sizeof kFiguresOption - 1) == 0) {
      figures_path = argv[i] + sizeof kFiguresOption - 1;
    } else {
      args.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

  StandInEngine engine;
  if (!engine.ready()) {
    std::cerr << "host bench: the stand-in engine could not be loaded\n";
    return 1;
  }
  FigureCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  const auto figures = collector.Figures();
  int status = 0;
  for (const std::string& error : collector.errors()) {
    std::cerr << "host bench: failed: " << error << "\n";
    status = 1;
  }
  if (figures.empty()) {
    std::cerr << "host bench: no figure ran\n";
    status = 1;
  }
  if (const std::string problems = LedgerProblems(); !problems.empty()) {
    std::cerr << "host bench: the engine ledger is not clean:\n" << problems;
    status = 1;
  }
  if (!figures_path.empty() && status == 0 && !WriteFigureFile(figures_path, FigureFileFigures(figures))) {
    std::cerr << "host bench: cannot write " << figures_path << "\n";
    status = 1;
  }
  return status;
}
