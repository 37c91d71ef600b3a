// Loading the engine library on first use, initialising the engine, and the three process
// operations: synchronous browser creation, one step of the engine's message loop, and
// shutdown with unloading at process exit.
//
// Everything here runs on the user-interface thread and takes no lock.
#pragma once

#include <cstdint>

#include "core/interface.h"
#include "core/ustring.h"
#include "engine/cef_api.h"
#include "engine/cef_interfaces.h"
#include "engine/closures.h"
#include "os/dynamic_library.h"

namespace larkwell {

// --- configuration, read once, when the library is loaded; a later change has no effect.
// Set them at run time before the first browser is made (not from a static initialiser of
// another file: these may not be constructed yet).

extern ustring CefLibraryName;  // the file the library loader is given; kCefDefaultLibraryName
extern ustring CefCachePath;
extern ustring CefUserAgent;
extern ustring CefProductVersion;
extern ustring CefLocale;
extern ustring CefLogFile;
extern int32_t CefLogSeverity;  // 99: logging disabled
extern int32_t CefGraphicsImplementation;
extern ustring CefExtraPluginPaths;  // a delimited list, see SplitPluginPaths
extern uint32_t CefLocalStorageQuota;
extern uint32_t CefSessionStorageQuota;
extern ustring CefJavaScriptFlags;
extern bool CefAutoDetectProxySettings;
extern ustring CefResourcesDirPath;
extern ustring CefLocalesDirPath;
extern bool CefPackLoadingDisabled;
// Captured by the application object when the engine is initialised; empty by default.
extern TGetProxyForUrlProc CefGetProxyForUrl;
extern TGetDataResource CefGetDataResource;
extern TGetLocalizedString CefGetLocalizedString;

// The loaded library; null while it is not loaded.
extern os::ModuleHandle CefLibraryHandle;

// --- operations

// Loads and initialises the engine with the configuration above unless the library is loaded.
// A library rejected for lacking an export stays loaded but unusable: every further call
// raises the same ECefException ("Invalid CEF Library version") again.
void CefEnsureLoaded();

// The loader proper, with the configuration values as arguments (the library's file name is
// always CefLibraryName). Returns at once when a library is loaded. Otherwise masks the x87
// exceptions, loads the library (EOSError on failure, leaving nothing loaded, so the next call
// tries again), resolves the entry points (ECefException "Invalid CEF Library version" when one
// is missing) and initialises the engine with a settings record and a new TInternalApp, whose
// one reference the engine takes over.
void CefLoadLibrary(const ustring& Cache, const ustring& UserAgent, const ustring& ProductVersion,
                    const ustring& Locale, const ustring& LogFile, const ustring& ExtraPluginPaths,
                    int32_t LogSeverity, int32_t GraphicsImplementation, uint32_t LocalStorageQuota,
                    uint32_t SessionStorageQuota, bool AutoDetectProxySettings, const ustring& JavaScriptFlags,
                    const ustring& ResourcesDirPath, const ustring& LocalesDirPath, bool PackLoadingDisabled);

// Loads the engine if needed, then creates a browser and its window synchronously. `client`
// carries one reference that the engine takes over (the client's Wrap), also when loading
// fails: the reference is released before the error leaves. Empty when the engine made none.
IPtr<ICefBrowser> CefBrowserCreateSync(TCefWindowInfo* windowInfo, TCefClient* client, const ustring& url,
                                       const TCefBrowserSettings* settings);

// One step of the engine's work, while the engine is initialised; otherwise nothing. Never
// throws: every callback the engine makes during the step stops its exceptions at its entry.
void CefDoMessageLoopWork() noexcept;

// Shuts the initialised engine down and unloads the library; nothing when none is loaded. A
// rejected library is unloaded without a shutdown: its engine never started. The entry points
// keep their values.
void CefUnloadLibrary() noexcept;

// The binding's finalisation, run once at process exit: CefUnloadLibrary, then every string of
// the configuration is emptied and the three hooks are released. The only place the engine is
// shut down.
void CefFinalizeBinding() noexcept;

}  // namespace larkwell
