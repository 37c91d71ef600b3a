#include "bench/win/bench_support.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace larkwell::bench {

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool SameFileSize(const std::wstring& path, long long size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  return (static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) == size;
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::optional<std::wstring> Value(const std::wstring& arg, const wchar_t* prefix) {
  const std::wstring p = prefix;
  if (arg.compare(0, p.size(), p) != 0) return std::nullopt;
  return arg.substr(p.size());
}

std::vector<int> Numbers(const std::wstring& list) {
  std::vector<int> numbers;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(L',', start);
    if (end == std::wstring::npos) end = list.size();
    const int n = _wtoi(list.substr(start, end - start).c_str());
    if (n < 1) Die("not a positive number in " + Narrow(list));
    numbers.push_back(n);
    start = end + 1;
  }
  return numbers;
}

void Die(const std::string& why) {
  std::fprintf(stderr, "bench: %s\n", why.c_str());
  std::fflush(stderr);
  std::exit(1);
}

int Guarded(const std::function<int()>& run) {
  try {
    return run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "bench: an unknown exception\n");
  }
  return 1;
}

}  // namespace larkwell::bench
