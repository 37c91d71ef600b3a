// 1 KiB of text (512 UTF-16 code units, Chinese and Latin) each way across the boundary with the
// binding's conversions, against a plain copy of the same bytes: to an engine-owned record
// (CefStringCopy; the engine frees it) and from an engine record back (CefStringToNative).
#include <benchmark/benchmark.h>

#include "bench/host/figures.h"
#include "engine/cef_string.h"
#include "engine/entry_points.h"

namespace larkwell::bench {
namespace {

constexpr size_t kUnits = 512;  // 1 KiB

const ustring& KiBText() {
  static const ustring text = [] {
    const ustring pattern = u"另存为 Excel 2003 文件 download.xls; ";
    ustring built;
    while (built.size() < kUnits) built += pattern;
    built.resize(kUnits);
    return built;
  }();
  return text;
}

void CheckSame(benchmark::State& state, const char16_t* data, size_t length) {
  if (ustring(data, length) != KiBText()) state.SkipWithError("the text did not cross intact");
}

void ToEngineRecord(benchmark::State& state) {
  const ustring& text = KiBText();
  for (auto _ : state) {
    TCefString record = CefStringCopy(text);
    benchmark::DoNotOptimize(record.str);
    cef_string_clear(&record);
  }
  TCefString record = CefStringCopy(text);
  CheckSame(state, record.str, record.length);
  cef_string_clear(&record);
}

void PlainCopyThere(benchmark::State& state) {
  const ustring& text = KiBText();
  for (auto _ : state) {
    ustring copy(text);
    benchmark::DoNotOptimize(copy.data());
  }
}

void FromEngineRecord(benchmark::State& state) {
  TCefString record = CefStringCopy(KiBText());
  for (auto _ : state) {
    ustring back = CefStringToNative(&record);
    benchmark::DoNotOptimize(back.data());
  }
  const ustring back = CefStringToNative(&record);
  CheckSame(state, back.data(), back.size());
  cef_string_clear(&record);
}

void PlainCopyBack(benchmark::State& state) {
  TCefString record = CefStringCopy(KiBText());
  for (auto _ : state) {
    ustring back(record.str, record.length);
    benchmark::DoNotOptimize(back.data());
  }
  cef_string_clear(&record);
}

const FigureRegistration kToEngine{
    {"strings", "string_to_engine", "1 KiB text to an engine-owned record", "<= 3",
     "the engine allocates and counts the copy; the baseline copies into a new text"},
    &ToEngineRecord, &PlainCopyThere};

const FigureRegistration kFromEngine{
    {"strings", "string_from_engine", "1 KiB engine record back to text", "<= 1.25", ""},
    &FromEngineRecord, &PlainCopyBack};

}  // namespace
}  // namespace larkwell::bench
