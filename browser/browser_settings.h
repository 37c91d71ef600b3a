// Filling the engine's per-browser settings record from the browser control's options.
#pragma once

#include <cstddef>

#include "browser/chromium_options.h"
#include "core/ustring.h"
#include "engine/cef_api.h"

namespace larkwell {

// The size a settings record must declare: 164 bytes on the 32-bit target.
inline constexpr size_t kBrowserSettingsSize = sizeof(TCefBrowserSettings);

// Writes every member of `settings` from the options and the two strings; the size field and
// the padding keep what the caller put there. The strings are borrowed (no release function):
// the record is valid while the option objects and the strings live unchanged, which covers the
// engine call that reads it. A record whose size field is below kBrowserSettingsSize raises
// "Assertion failure (cefvcl, line 958)" and is left untouched.
void FillBrowserSettings(TCefBrowserSettings& settings, const TChromiumOptions& options,
                         const TChromiumFontOptions& fontOptions, const ustring& defaultEncoding,
                         const ustring& userStyleSheetLocation);

}  // namespace larkwell
