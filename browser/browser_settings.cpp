#include "browser/browser_settings.h"

#include <cstring>

#include "core/exceptions.h"
#include "engine/cef_string.h"

namespace larkwell {

#if defined(_WIN32) && !defined(_WIN64)
static_assert(kBrowserSettingsSize == 164);
#endif

namespace {
// Where the control's source reports a settings record that is too small.
constexpr int kAssertSettingsSizeLine = 958;
}  // namespace

void FillBrowserSettings(TCefBrowserSettings& settings, const TChromiumOptions& options,
                         const TChromiumFontOptions& fontOptions, const ustring& defaultEncoding,
                         const ustring& userStyleSheetLocation) {
  Assert(settings.size >= kBrowserSettingsSize, "cefvcl", kAssertSettingsSizeLine);
  const size_t size = settings.size;
  std::memset(&settings, 0, sizeof settings);
  settings.size = size;

  settings.standard_font_family = CefStringView(fontOptions.StandardFontFamily());
  settings.fixed_font_family = CefStringView(fontOptions.FixedFontFamily());
  settings.serif_font_family = CefStringView(fontOptions.SerifFontFamily());
  settings.sans_serif_font_family = CefStringView(fontOptions.SansSerifFontFamily());
  settings.cursive_font_family = CefStringView(fontOptions.CursiveFontFamily());
  settings.fantasy_font_family = CefStringView(fontOptions.FantasyFontFamily());

  settings.default_font_size = fontOptions.DefaultFontSize();
  settings.default_fixed_font_size = fontOptions.DefaultFixedFontSize();
  settings.minimum_font_size = fontOptions.MinimumFontSize();
  settings.minimum_logical_font_size = fontOptions.MinimumLogicalFontSize();
  settings.remote_fonts_disabled = fontOptions.RemoteFontsDisabled() ? 1 : 0;

  settings.default_encoding = CefStringView(defaultEncoding);
  settings.user_style_sheet_location = CefStringView(userStyleSheetLocation);

#define LARKWELL_WRITE_SWITCH(Name, member, Stored) settings.member = options.Name() ? 1 : 0;
  LARKWELL_CHROMIUM_SWITCHES(LARKWELL_WRITE_SWITCH)
#undef LARKWELL_WRITE_SWITCH
}

}  // namespace larkwell
