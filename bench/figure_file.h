// The figure file every benchmark program writes and bench/bench-report.py reads: a JSON list of
// figures, each a ratio of two measurements made side by side.
#pragma once

#include <string>
#include <vector>

namespace larkwell::bench {

struct TFigure {
  std::string Group, Name;
  double Subject = 0, Baseline = 0;
  std::string Unit;
  double Ratio = 0;
  std::string Goal;  // "<op> <number>" on the ratio, empty for none
  std::string Note;  // empty for none
};

std::string FigureFileText(const std::vector<TFigure>& figures);
// Writes the figure file to `path`. False when it cannot be written.
bool WriteFigureFile(const std::string& path, const std::vector<TFigure>& figures);

}  // namespace larkwell::bench
