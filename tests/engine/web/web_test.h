// Shared by the tests of the web wrappers: engine collections a test owns, the structure behind
// a wrapper, and program objects that stand where the engine expects program structures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "enginesim/control_web.h"
#include "enginesim/exports.h"
#include "engine/ceflib.h"
#include "tests/support/engine_side.h"
#include "tests/support/engine_test.h"

namespace larkwell::testing {

using Pairs = std::vector<std::pair<ustring, ustring>>;

// An engine multimap the test owns, freed at the end of its scope.
class EngineMultimap {
 public:
  EngineMultimap() : handle_(::cef_string_multimap_alloc()) {}
  explicit EngineMultimap(const Pairs& pairs) : EngineMultimap() {
    for (const auto& [key, value] : pairs) {
      TCefString k = CefStringView(key), v = CefStringView(value);
      ::cef_string_multimap_append(handle_, &k, &v);
    }
  }
  ~EngineMultimap() { ::cef_string_multimap_free(handle_); }
  EngineMultimap(const EngineMultimap&) = delete;
  EngineMultimap& operator=(const EngineMultimap&) = delete;

  TCefStringMultimap handle() const { return handle_; }
  Pairs pairs() const {
    Pairs result;
    for (int i = 0; i < ::cef_string_multimap_size(handle_); ++i) {
      TCefString key{}, value{};
      ::cef_string_multimap_key(handle_, i, &key);
      ::cef_string_multimap_value(handle_, i, &value);
      result.emplace_back(CefStringTakeAndClear(&key), CefStringTakeAndClear(&value));
    }
    return result;
  }

 private:
  TCefStringMultimap handle_;
};

// What the engine object behind `object` recorded under `key` (see enginesim/control_web.h).
template <class I>
int64_t Recorded(const IPtr<I>& object, const char* key) {
  return sim_recorded_number(StructureOf(object), key);
}
template <class I>
ustring RecordedText(const IPtr<I>& object, const char* key) {
  return enginesim::recorded_text(StructureOf(object), key);
}

inline IPtr<ICefBrowser> MakeBrowser(TSimBrowserSetup setup = {}) {
  return CefUnWrapAs<ICefBrowser>(sim_create_browser(&setup));
}

// A new child frame of the main frame (or of `parent`); the browser keeps it.
inline IPtr<ICefFrame> AddFrame(const IPtr<ICefBrowser>& browser, const char* name,
                                const IPtr<ICefFrame>& parent = {}) {
  auto* parent_structure = parent ? StructureOf<TCefFrame>(parent) : nullptr;
  return CefUnWrapAs<ICefFrame>(sim_browser_add_frame(
      StructureOf<TCefBrowser>(browser), parent_structure, name));
}

// A file of the temporary directory holding `content`, removed at the end of its scope.
class TempFile {
 public:
  explicit TempFile(const std::string& content)
      : path_(std::filesystem::temp_directory_path() /
              ("larkwell-web-" + std::to_string(std::random_device{}()) + ".txt")) {
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  ustring name() const { return path_.u16string(); }

 private:
  std::filesystem::path path_;
};

// A program client: only its identity matters to the browser.
class TTestClient : public TCefBaseOwn {
 public:
  TTestClient() : TCefBaseOwn(sizeof(TCefClient)) {}
};

}  // namespace larkwell::testing
