#include "engine/loader.h"

#include <optional>
#include <type_traits>
#include <utility>

#include "core/exceptions.h"
#include "engine/browser_ref.h"
#include "engine/cef_base.h"
#include "engine/cef_string.h"
#include "engine/entry_points.h"
#include "engine/internal_app.h"
#include "engine/loader_testing.h"
#include "engine/plugin_paths.h"
#include "os/fpu.h"
#include "os/last_error.h"

namespace larkwell {

// The configuration's defaults, in one place for the definitions and the reset.
#define LARKWELL_CEF_CONFIGURATION(X)                    \
  X(ustring, CefLibraryName, kCefDefaultLibraryName)     \
  X(ustring, CefCachePath, )                             \
  X(ustring, CefUserAgent, )                             \
  X(ustring, CefProductVersion, )                        \
  X(ustring, CefLocale, )                                \
  X(ustring, CefLogFile, )                               \
  X(int32_t, CefLogSeverity, 99)                         \
  X(int32_t, CefGraphicsImplementation, 0)               \
  X(ustring, CefExtraPluginPaths, )                      \
  X(uint32_t, CefLocalStorageQuota, 0)                   \
  X(uint32_t, CefSessionStorageQuota, 0)                 \
  X(ustring, CefJavaScriptFlags, )                       \
  X(bool, CefAutoDetectProxySettings, false)             \
  X(ustring, CefResourcesDirPath, )                      \
  X(ustring, CefLocalesDirPath, )                        \
  X(bool, CefPackLoadingDisabled, false)                 \
  X(TGetProxyForUrlProc, CefGetProxyForUrl, )            \
  X(TGetDataResource, CefGetDataResource, )              \
  X(TGetLocalizedString, CefGetLocalizedString, )

#define LARKWELL_DEFINE_CONFIGURATION(type, name, ...) type name{__VA_ARGS__};
LARKWELL_CEF_CONFIGURATION(LARKWELL_DEFINE_CONFIGURATION)
#undef LARKWELL_DEFINE_CONFIGURATION

os::ModuleHandle CefLibraryHandle = nullptr;

namespace {

// What a set CefLibraryHandle stands for.
enum class EngineState {
  kNotLoaded,    // no library (CefLibraryHandle is null)
  kRejected,     // loaded, but it lacks an export: never initialised, never called
  kInitialised,  // loaded, every entry point resolved, cef_initialize called
};
EngineState engineState = EngineState::kNotLoaded;

const char16_t kInvalidLibrary[] = u"Invalid CEF Library version";

// Unloads the library, leaving nothing loaded.
void ForgetLibrary() noexcept {
  if (os::ModuleHandle module = std::exchange(CefLibraryHandle, nullptr)) os::UnloadModule(module);
  engineState = EngineState::kNotLoaded;
}

// Unloads the library unless the load completed (Dismiss), so that a failure between loading
// and initialising leaves the state "not loaded" and the next attempt starts afresh.
class UnloadUnlessDismissed {
 public:
  UnloadUnlessDismissed() = default;
  ~UnloadUnlessDismissed() {
    if (armed_) ForgetLibrary();
  }
  UnloadUnlessDismissed(const UnloadUnlessDismissed&) = delete;
  UnloadUnlessDismissed& operator=(const UnloadUnlessDismissed&) = delete;
  void Dismiss() noexcept { armed_ = false; }

 private:
  bool armed_ = true;
};

// Releases the one reference a structure came with, for a receiver that will not take it over.
void ReleaseHandedOver(TCefBase* structure) noexcept { TCefStructRef::Adopt(structure).Reset(); }

// The binding's finalisation runs when static objects are destroyed at process exit. This
// object is defined after the configuration in this file and initialised dynamically (its
// constructor is not constexpr), so it is destroyed before any of them. The binding's
// initialisation has nothing to do: the C++ heap and the atomic reference counts are always
// safe against threads the runtime did not start, such as the engine's.
struct BindingLifetime {
  BindingLifetime() noexcept {}
  BindingLifetime(const BindingLifetime&) = delete;
  BindingLifetime& operator=(const BindingLifetime&) = delete;
  ~BindingLifetime() { CefFinalizeBinding(); }
};
[[maybe_unused]] BindingLifetime bindingLifetime;

}  // namespace

void CefEnsureLoaded() {
  if (engineState == EngineState::kRejected) throw ECefException(kInvalidLibrary);
  if (CefLibraryHandle) return;
  CefLoadLibrary(CefCachePath, CefUserAgent, CefProductVersion, CefLocale, CefLogFile, CefExtraPluginPaths,
                 CefLogSeverity, CefGraphicsImplementation, CefLocalStorageQuota, CefSessionStorageQuota,
                 CefAutoDetectProxySettings, CefJavaScriptFlags, CefResourcesDirPath, CefLocalesDirPath,
                 CefPackLoadingDisabled);
}

void CefLoadLibrary(const ustring& Cache, const ustring& UserAgent, const ustring& ProductVersion,
                    const ustring& Locale, const ustring& LogFile, const ustring& ExtraPluginPaths,
                    int32_t LogSeverity, int32_t GraphicsImplementation, uint32_t LocalStorageQuota,
                    uint32_t SessionStorageQuota, bool AutoDetectProxySettings, const ustring& JavaScriptFlags,
                    const ustring& ResourcesDirPath, const ustring& LocalesDirPath, bool PackLoadingDisabled) {
  if (CefLibraryHandle) return;

  // Stays for the rest of the process, also when a step below fails.
  os::MaskX87Exceptions();

  CefLibraryHandle = os::LoadModule(CefLibraryName);
  if (!CefLibraryHandle) throw os::LastOSError();

  if (ResolveEntryPoints(CefLibraryHandle) != 0) {
    // The handle stays set; the state makes sure no entry point of this library is ever called.
    engineState = EngineState::kRejected;
    throw ECefException(kInvalidLibrary);
  }

  UnloadUnlessDismissed unloadOnFailure;

  TCefSettings settings{};
  settings.size = sizeof(TCefSettings);  // 132 on the target, where the layout is checked
  settings.multi_threaded_message_loop = 0;  // the browser control's timer drives the loop
  settings.cache_path = CefStringView(Cache);
  settings.user_agent = CefStringView(UserAgent);
  settings.product_version = CefStringView(ProductVersion);
  settings.locale = CefStringView(Locale);
  // The engine copies the list's items during cef_initialize; the list is freed right after.
  std::optional<CefStringListHandle> pluginPaths;
  if (!ExtraPluginPaths.empty()) {
    pluginPaths.emplace();
    CefStringListAppendAll(*pluginPaths, SplitPluginPaths(ExtraPluginPaths));
    settings.extra_plugin_paths = pluginPaths->get();
  }
  settings.log_file = CefStringView(LogFile);
  settings.log_severity = LogSeverity;
  settings.graphics_implementation = GraphicsImplementation;
  settings.local_storage_quota = LocalStorageQuota;
  settings.session_storage_quota = SessionStorageQuota;
  settings.javascript_flags = CefStringView(JavaScriptFlags);
  settings.auto_detect_proxy_settings_enabled = AutoDetectProxySettings ? 1 : 0;
  settings.resources_dir_path = CefStringView(ResourcesDirPath);
  settings.locales_dir_path = CefStringView(LocalesDirPath);
  settings.pack_loading_disabled = PackLoadingDisabled ? 1 : 0;

  // The engine takes over the application object's only reference: the binding keeps none.
  cef_initialize(&settings, CefWrap<TCefApp>(IPtr<ICefApp>(New<TInternalApp>())));

  engineState = EngineState::kInitialised;
  unloadOnFailure.Dismiss();
}

IPtr<ICefBrowser> CefBrowserCreateSync(TCefWindowInfo* windowInfo, TCefClient* client, const ustring& url,
                                       const TCefBrowserSettings* settings) {
  try {
    CefEnsureLoaded();
  } catch (...) {
    // Nobody will take the client's reference over: without this the client would live forever.
    ReleaseHandedOver(reinterpret_cast<TCefBase*>(client));
    throw;
  }
  const TCefString urlView = CefStringView(url);
  return TCefBrowserRef::UnWrap(cef_browser_create_sync(windowInfo, client, &urlView, settings));
}

void CefDoMessageLoopWork() noexcept {
  if (engineState == EngineState::kInitialised && cef_do_message_loop_work) cef_do_message_loop_work();
}

void CefUnloadLibrary() noexcept {
  if (!CefLibraryHandle) return;
  if (engineState == EngineState::kInitialised && cef_shutdown) cef_shutdown();
  ForgetLibrary();
}

void CefFinalizeBinding() noexcept {
  CefUnloadLibrary();
#define LARKWELL_EMPTY_CONFIGURATION(type, name, ...) \
  if constexpr (!std::is_arithmetic_v<type>) name = type();
  LARKWELL_CEF_CONFIGURATION(LARKWELL_EMPTY_CONFIGURATION)
#undef LARKWELL_EMPTY_CONFIGURATION
}

void CefResetLoaderForTesting() noexcept {
  CefFinalizeBinding();
#define LARKWELL_RESET_CONFIGURATION(type, name, ...) name = type{__VA_ARGS__};
  LARKWELL_CEF_CONFIGURATION(LARKWELL_RESET_CONFIGURATION)
#undef LARKWELL_RESET_CONFIGURATION
}

}  // namespace larkwell
