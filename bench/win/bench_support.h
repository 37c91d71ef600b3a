// What the Windows benchmark programs share: a clock, medians and their arguments.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench/figure_file.h"

namespace larkwell::bench {

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

}  // namespace larkwell::bench
