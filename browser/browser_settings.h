// Filling the engine's per-browser settings record from the browser control's options.
#pragma once

#include <cstddef>
#include <type_traits>

#include "browser/chromium_options.h"
#include "core/ustring.h"
#include "engine/cef_api.h"

namespace larkwell {

// The size a settings record must declare: 164 bytes on the 32-bit target.
inline constexpr size_t kBrowserSettingsSize = sizeof(TCefBrowserSettings);

// Zeroes the whole record (padding included) but its size field, then writes every member from
// the options and the two strings. The strings are borrowed (no release function): the record
// is valid while the option objects and the strings live unchanged, which covers the engine call
// that reads it. A record whose size field is below kBrowserSettingsSize raises
// "Assertion failure (cefvcl, line 958)" and is left untouched.
void FillBrowserSettings(TCefBrowserSettings& settings, const TChromiumOptions& options,
                         const TChromiumFontOptions& fontOptions, const ustring& defaultEncoding,
                         const ustring& userStyleSheetLocation);
// The record would borrow the characters of a temporary (or of a ustring made from a literal)
// that is gone before the engine reads them: every argument must be an object of its parameter's
// type that outlives the record.
template <class Arg, class Param>
inline constexpr bool kLendsTo = std::is_lvalue_reference_v<Arg> && std::is_base_of_v<Param, std::remove_cvref_t<Arg>>;
template <class O, class F, class E, class U>
  requires(!(kLendsTo<O, TChromiumOptions> && kLendsTo<F, TChromiumFontOptions> && kLendsTo<E, ustring> &&
             kLendsTo<U, ustring>))
void FillBrowserSettings(TCefBrowserSettings& settings, O&& options, F&& fontOptions, E&& defaultEncoding,
                         U&& userStyleSheetLocation) = delete;

}  // namespace larkwell
