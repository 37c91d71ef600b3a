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

  settings.drag_drop_disabled = options.DragDropDisabled() ? 1 : 0;
  settings.load_drops_disabled = options.LoadDropsDisabled() ? 1 : 0;
  settings.history_disabled = options.HistoryDisabled() ? 1 : 0;
  settings.encoding_detector_enabled = options.EncodingDetectorEnabled() ? 1 : 0;
  settings.javascript_disabled = options.JavascriptDisabled() ? 1 : 0;
  settings.javascript_open_windows_disallowed = options.JavascriptOpenWindowsDisallowed() ? 1 : 0;
  settings.javascript_close_windows_disallowed = options.JavascriptCloseWindowsDisallowed() ? 1 : 0;
  settings.javascript_access_clipboard_disallowed = options.JavascriptAccessClipboardDisallowed() ? 1 : 0;
  settings.dom_paste_disabled = options.DomPasteDisabled() ? 1 : 0;
  settings.caret_browsing_enabled = options.CaretBrowsingEnabled() ? 1 : 0;
  settings.java_disabled = options.JavaDisabled() ? 1 : 0;
  settings.plugins_disabled = options.PluginsDisabled() ? 1 : 0;
  settings.universal_access_from_file_urls_allowed = options.UniversalAccessFromFileUrlsAllowed() ? 1 : 0;
  settings.file_access_from_file_urls_allowed = options.FileAccessFromFileUrlsAllowed() ? 1 : 0;
  settings.web_security_disabled = options.WebSecurityDisabled() ? 1 : 0;
  settings.xss_auditor_enabled = options.XssAuditorEnabled() ? 1 : 0;
  settings.image_load_disabled = options.ImageLoadDisabled() ? 1 : 0;
  settings.shrink_standalone_images_to_fit = options.ShrinkStandaloneImagesToFit() ? 1 : 0;
  settings.site_specific_quirks_disabled = options.SiteSpecificQuirksDisabled() ? 1 : 0;
  settings.text_area_resize_disabled = options.TextAreaResizeDisabled() ? 1 : 0;
  settings.page_cache_disabled = options.PageCacheDisabled() ? 1 : 0;
  settings.tab_to_links_disabled = options.TabToLinksDisabled() ? 1 : 0;
  settings.hyperlink_auditing_disabled = options.HyperlinkAuditingDisabled() ? 1 : 0;
  settings.user_style_sheet_enabled = options.UserStyleSheetEnabled() ? 1 : 0;
  settings.author_and_user_styles_disabled = options.AuthorAndUserStylesDisabled() ? 1 : 0;
  settings.local_storage_disabled = options.LocalStorageDisabled() ? 1 : 0;
  settings.databases_disabled = options.DatabasesDisabled() ? 1 : 0;
  settings.application_cache_disabled = options.ApplicationCacheDisabled() ? 1 : 0;
  settings.webgl_disabled = options.WebglDisabled() ? 1 : 0;
  settings.accelerated_compositing_enabled = options.AcceleratedCompositingEnabled() ? 1 : 0;
  settings.threaded_compositing_enabled = options.ThreadedCompositingEnabled() ? 1 : 0;
  settings.accelerated_layers_disabled = options.AcceleratedLayersDisabled() ? 1 : 0;
  settings.accelerated_2d_canvas_disabled = options.Accelerated2dCanvasDisabled() ? 1 : 0;
  settings.developer_tools_disabled = options.DeveloperToolsDisabled() ? 1 : 0;
  settings.fullscreen_enabled = options.FullscreenEnabled() ? 1 : 0;
  settings.accelerated_painting_disabled = options.AcceleratedPaintingDisabled() ? 1 : 0;
  settings.accelerated_filters_disabled = options.AcceleratedFiltersDisabled() ? 1 : 0;
  settings.accelerated_plugins_disabled = options.AcceleratedPluginsDisabled() ? 1 : 0;
}

}  // namespace larkwell
