// What the Windows benchmark programs share: a clock, medians, their arguments, and the
// figure file bench/bench-report.py reads.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace larkwell::bench {

struct TFigure {
  std::string Group, Name;
  double Subject = 0, Baseline = 0;
  std::string Unit;
  double Ratio = 0;
  std::string Goal;  // "<op> <number>", empty for none
  std::string Note;
};

double Seconds();  // a monotonic clock
double Median(std::vector<double> values);
bool SameFileSize(const std::wstring& path, long long size);

std::string Narrow(const std::wstring& text);  // to UTF-8
// The rest of `arg` after `prefix`, when it starts with it.
std::optional<std::wstring> Value(const std::wstring& arg, const wchar_t* prefix);
std::vector<int> Numbers(const std::wstring& list);  // "4,16,64"

[[noreturn]] void Die(const std::string& why);
// Runs the benchmark; an exception is printed and answers exit code 1.
int Guarded(const std::function<int()>& run);

// Writes the figures as a JSON list to `path` (and nowhere when it is empty). False on failure.
bool WriteFigures(const std::string& path, const std::vector<TFigure>& figures);

}  // namespace larkwell::bench
