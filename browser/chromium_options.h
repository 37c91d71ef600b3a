// The browser control's per-browser settings: 38 option switches and the font settings. Both are
// stored with the control's form and copied into the engine's settings record whenever a browser
// is created for the control (browser_settings.h).
#pragma once

#include <cstdint>

#include "core/ustring.h"
#include "framework/forms/persistent.h"

namespace larkwell {

// The switches in published order: X(Name, member of the engine's settings record, Stored),
// where Stored is the default left out of a stored form, or kAlwaysStored.
// clang-format off
#define LARKWELL_CHROMIUM_SWITCHES(X) \
  X(DragDropDisabled, drag_drop_disabled, false) \
  X(LoadDropsDisabled, load_drops_disabled, false) \
  X(HistoryDisabled, history_disabled, false) \
  X(EncodingDetectorEnabled, encoding_detector_enabled, false) \
  X(JavascriptDisabled, javascript_disabled, false) \
  X(JavascriptOpenWindowsDisallowed, javascript_open_windows_disallowed, false) \
  X(JavascriptCloseWindowsDisallowed, javascript_close_windows_disallowed, false) \
  X(JavascriptAccessClipboardDisallowed, javascript_access_clipboard_disallowed, false) \
  X(DomPasteDisabled, dom_paste_disabled, false) \
  X(CaretBrowsingEnabled, caret_browsing_enabled, false) \
  X(JavaDisabled, java_disabled, false) \
  X(PluginsDisabled, plugins_disabled, false) \
  X(UniversalAccessFromFileUrlsAllowed, universal_access_from_file_urls_allowed, false) \
  X(FileAccessFromFileUrlsAllowed, file_access_from_file_urls_allowed, false) \
  X(WebSecurityDisabled, web_security_disabled, false) \
  X(XssAuditorEnabled, xss_auditor_enabled, false) \
  X(ImageLoadDisabled, image_load_disabled, false) \
  X(ShrinkStandaloneImagesToFit, shrink_standalone_images_to_fit, false) \
  X(SiteSpecificQuirksDisabled, site_specific_quirks_disabled, false) \
  X(TextAreaResizeDisabled, text_area_resize_disabled, false) \
  X(PageCacheDisabled, page_cache_disabled, false) \
  X(TabToLinksDisabled, tab_to_links_disabled, false) \
  X(HyperlinkAuditingDisabled, hyperlink_auditing_disabled, false) \
  X(UserStyleSheetEnabled, user_style_sheet_enabled, false) \
  X(AuthorAndUserStylesDisabled, author_and_user_styles_disabled, false) \
  X(LocalStorageDisabled, local_storage_disabled, false) \
  X(DatabasesDisabled, databases_disabled, false) \
  X(ApplicationCacheDisabled, application_cache_disabled, false) \
  X(WebglDisabled, webgl_disabled, false) \
  X(AcceleratedCompositingEnabled, accelerated_compositing_enabled, false) \
  X(ThreadedCompositingEnabled, threaded_compositing_enabled, false) \
  X(AcceleratedLayersDisabled, accelerated_layers_disabled, false) \
  X(Accelerated2dCanvasDisabled, accelerated_2d_canvas_disabled, false) \
  X(DeveloperToolsDisabled, developer_tools_disabled, false) \
  X(FullscreenEnabled, fullscreen_enabled, false) \
  X(AcceleratedPaintingDisabled, accelerated_painting_disabled, kAlwaysStored) \
  X(AcceleratedFiltersDisabled, accelerated_filters_disabled, kAlwaysStored) \
  X(AcceleratedPluginsDisabled, accelerated_plugins_disabled, kAlwaysStored)
// clang-format on

// The option switches; a new object has every switch off.
class TChromiumOptions : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

#define LARKWELL_SWITCH_ACCESSORS(Name, member, Stored) \
  bool Name() const noexcept { return F##Name; }        \
  void Set##Name(bool value) noexcept { F##Name = value; }
  LARKWELL_CHROMIUM_SWITCHES(LARKWELL_SWITCH_ACCESSORS)
#undef LARKWELL_SWITCH_ACCESSORS

 private:
#define LARKWELL_SWITCH_FIELD(Name, member, Stored) bool F##Name = false;
  LARKWELL_CHROMIUM_SWITCHES(LARKWELL_SWITCH_FIELD)
#undef LARKWELL_SWITCH_FIELD
};

// The font settings: X(Type, Name) in published order after StandardFontFamily. Strings start
// empty and sizes at 0; a stored form leaves out empty strings, zero sizes and False.
// clang-format off
#define LARKWELL_CHROMIUM_FONT_SETTINGS(X) \
  X(ustring, FixedFontFamily) \
  X(ustring, SerifFontFamily) \
  X(ustring, SansSerifFontFamily) \
  X(ustring, CursiveFontFamily) \
  X(ustring, FantasyFontFamily) \
  X(int32_t, DefaultFontSize) \
  X(int32_t, DefaultFixedFontSize) \
  X(int32_t, MinimumFontSize) \
  X(int32_t, MinimumLogicalFontSize) \
  X(bool, RemoteFontsDisabled)
// clang-format on

class TChromiumFontOptions : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Published without a setter: it stays empty, so the engine always gets an empty standard family.
  const ustring& StandardFontFamily() const noexcept { return FStandardFontFamily; }

#define LARKWELL_FONT_ACCESSORS(Type, Name)             \
  const Type& Name() const noexcept { return F##Name; } \
  void Set##Name(const Type& value) { F##Name = value; }
  LARKWELL_CHROMIUM_FONT_SETTINGS(LARKWELL_FONT_ACCESSORS)
#undef LARKWELL_FONT_ACCESSORS

 private:
  ustring FStandardFontFamily;
#define LARKWELL_FONT_FIELD(Type, Name) Type F##Name{};
  LARKWELL_CHROMIUM_FONT_SETTINGS(LARKWELL_FONT_FIELD)
#undef LARKWELL_FONT_FIELD
};

}  // namespace larkwell
