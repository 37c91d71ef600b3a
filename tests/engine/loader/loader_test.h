// The engine loader's state is process-wide: every test here starts, and ends, with the loader
// as at process start, the entry points bound to the stand-in engine, and a stand-in that was
// never initialised. A test may restart in the middle to run several loads.
#pragma once

#include <cstdint>
#include <optional>

#include "core/ustring.h"
#include "engine/cef_base.h"
#include "engine/entry_points.h"
#include "engine/handlers_own.h"
#include "engine/loader.h"
#include "engine/loader_testing.h"
#include "enginesim/control_process.h"
#include "os/dynamic_library.h"
#include "tests/support/engine_test.h"

namespace larkwell::testing {

// The stand-in of the wrong version: it lacks the engine's last export.
inline constexpr char16_t kIncompleteLibrary[] = u"" LARKWELL_INCOMPLETE_ENGINE;
#if defined(_WIN32)
inline constexpr char16_t kMissingLibrary[] = u"larkwell_no_such_engine.dll";
#else
inline constexpr char16_t kMissingLibrary[] = u"larkwell_no_such_engine.so";
#endif

class LoaderTest : public LoadedEngineTest {
 protected:
  static TSimProcessCounts Counts() { return enginesim::process_counts(); }
  static int64_t Setting(const char* key) { return sim_settings_number(key); }
  static ustring SettingText(const char* key) { return enginesim::settings_text(key); }
  // The plug-in path list the engine received; none when it received no list.
  static std::optional<TStrings> PluginPathsReceived();

  // Creates a browser as the browser control does: the client's Wrap goes to the engine.
  static IPtr<ICefBrowser> CreateBrowser(const IPtr<TCefClientOwn>& client, const ustring& url) {
    TCefWindowInfo windowInfo{};
    TCefBrowserSettings browserSettings{};
    browserSettings.size = sizeof browserSettings;
    return CefBrowserCreateSync(&windowInfo, CefWrap<TCefClient>(client), url, &browserSettings);
  }
};

}  // namespace larkwell::testing
