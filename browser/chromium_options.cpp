#include "browser/chromium_options.h"

#include "framework/forms/properties.h"

namespace larkwell {

const TClassInfo& TChromiumOptions::StaticClassInfo() {
  static const TClassInfo info = [] {
    using O = TChromiumOptions;
    TClassInfoBuilder<O> published(u"TChromiumOptions", TPersistent::StaticClassInfo());
    // The last three are always written, whatever their value.
    published.Value<&O::DragDropDisabled, &O::SetDragDropDisabled>(u"DragDropDisabled", false);
    published.Value<&O::LoadDropsDisabled, &O::SetLoadDropsDisabled>(u"LoadDropsDisabled", false);
    published.Value<&O::HistoryDisabled, &O::SetHistoryDisabled>(u"HistoryDisabled", false);
    published.Value<&O::EncodingDetectorEnabled, &O::SetEncodingDetectorEnabled>(u"EncodingDetectorEnabled", false);
    published.Value<&O::JavascriptDisabled, &O::SetJavascriptDisabled>(u"JavascriptDisabled", false);
    published.Value<&O::JavascriptOpenWindowsDisallowed, &O::SetJavascriptOpenWindowsDisallowed>(
        u"JavascriptOpenWindowsDisallowed", false);
    published.Value<&O::JavascriptCloseWindowsDisallowed, &O::SetJavascriptCloseWindowsDisallowed>(
        u"JavascriptCloseWindowsDisallowed", false);
    published.Value<&O::JavascriptAccessClipboardDisallowed, &O::SetJavascriptAccessClipboardDisallowed>(
        u"JavascriptAccessClipboardDisallowed", false);
    published.Value<&O::DomPasteDisabled, &O::SetDomPasteDisabled>(u"DomPasteDisabled", false);
    published.Value<&O::CaretBrowsingEnabled, &O::SetCaretBrowsingEnabled>(u"CaretBrowsingEnabled", false);
    published.Value<&O::JavaDisabled, &O::SetJavaDisabled>(u"JavaDisabled", false);
    published.Value<&O::PluginsDisabled, &O::SetPluginsDisabled>(u"PluginsDisabled", false);
    published.Value<&O::UniversalAccessFromFileUrlsAllowed, &O::SetUniversalAccessFromFileUrlsAllowed>(
        u"UniversalAccessFromFileUrlsAllowed", false);
    published.Value<&O::FileAccessFromFileUrlsAllowed, &O::SetFileAccessFromFileUrlsAllowed>(
        u"FileAccessFromFileUrlsAllowed", false);
    published.Value<&O::WebSecurityDisabled, &O::SetWebSecurityDisabled>(u"WebSecurityDisabled", false);
    published.Value<&O::XssAuditorEnabled, &O::SetXssAuditorEnabled>(u"XssAuditorEnabled", false);
    published.Value<&O::ImageLoadDisabled, &O::SetImageLoadDisabled>(u"ImageLoadDisabled", false);
    published.Value<&O::ShrinkStandaloneImagesToFit, &O::SetShrinkStandaloneImagesToFit>(u"ShrinkStandaloneImagesToFit",
                                                                                         false);
    published.Value<&O::SiteSpecificQuirksDisabled, &O::SetSiteSpecificQuirksDisabled>(u"SiteSpecificQuirksDisabled",
                                                                                       false);
    published.Value<&O::TextAreaResizeDisabled, &O::SetTextAreaResizeDisabled>(u"TextAreaResizeDisabled", false);
    published.Value<&O::PageCacheDisabled, &O::SetPageCacheDisabled>(u"PageCacheDisabled", false);
    published.Value<&O::TabToLinksDisabled, &O::SetTabToLinksDisabled>(u"TabToLinksDisabled", false);
    published.Value<&O::HyperlinkAuditingDisabled, &O::SetHyperlinkAuditingDisabled>(u"HyperlinkAuditingDisabled",
                                                                                     false);
    published.Value<&O::UserStyleSheetEnabled, &O::SetUserStyleSheetEnabled>(u"UserStyleSheetEnabled", false);
    published.Value<&O::AuthorAndUserStylesDisabled, &O::SetAuthorAndUserStylesDisabled>(u"AuthorAndUserStylesDisabled",
                                                                                         false);
    published.Value<&O::LocalStorageDisabled, &O::SetLocalStorageDisabled>(u"LocalStorageDisabled", false);
    published.Value<&O::DatabasesDisabled, &O::SetDatabasesDisabled>(u"DatabasesDisabled", false);
    published.Value<&O::ApplicationCacheDisabled, &O::SetApplicationCacheDisabled>(u"ApplicationCacheDisabled", false);
    published.Value<&O::WebglDisabled, &O::SetWebglDisabled>(u"WebglDisabled", false);
    published.Value<&O::AcceleratedCompositingEnabled, &O::SetAcceleratedCompositingEnabled>(
        u"AcceleratedCompositingEnabled", false);
    published.Value<&O::ThreadedCompositingEnabled, &O::SetThreadedCompositingEnabled>(u"ThreadedCompositingEnabled",
                                                                                       false);
    published.Value<&O::AcceleratedLayersDisabled, &O::SetAcceleratedLayersDisabled>(u"AcceleratedLayersDisabled",
                                                                                     false);
    published.Value<&O::Accelerated2dCanvasDisabled, &O::SetAccelerated2dCanvasDisabled>(u"Accelerated2dCanvasDisabled",
                                                                                         false);
    published.Value<&O::DeveloperToolsDisabled, &O::SetDeveloperToolsDisabled>(u"DeveloperToolsDisabled", false);
    published.Value<&O::FullscreenEnabled, &O::SetFullscreenEnabled>(u"FullscreenEnabled", false);
    published.Value<&O::AcceleratedPaintingDisabled, &O::SetAcceleratedPaintingDisabled>(u"AcceleratedPaintingDisabled",
                                                                                         kAlwaysStored);
    published.Value<&O::AcceleratedFiltersDisabled, &O::SetAcceleratedFiltersDisabled>(u"AcceleratedFiltersDisabled",
                                                                                       kAlwaysStored);
    published.Value<&O::AcceleratedPluginsDisabled, &O::SetAcceleratedPluginsDisabled>(u"AcceleratedPluginsDisabled",
                                                                                       kAlwaysStored);
    return published.Build();
  }();
  return info;
}

const TClassInfo& TChromiumFontOptions::StaticClassInfo() {
  static const TClassInfo info = [] {
    using O = TChromiumFontOptions;
    TClassInfoBuilder<O> published(u"TChromiumFontOptions", TPersistent::StaticClassInfo());
    published.ReadOnly<&O::StandardFontFamily>(u"StandardFontFamily");
    published.Value<&O::FixedFontFamily, &O::SetFixedFontFamily>(u"FixedFontFamily", ustring{});
    published.Value<&O::SerifFontFamily, &O::SetSerifFontFamily>(u"SerifFontFamily", ustring{});
    published.Value<&O::SansSerifFontFamily, &O::SetSansSerifFontFamily>(u"SansSerifFontFamily", ustring{});
    published.Value<&O::CursiveFontFamily, &O::SetCursiveFontFamily>(u"CursiveFontFamily", ustring{});
    published.Value<&O::FantasyFontFamily, &O::SetFantasyFontFamily>(u"FantasyFontFamily", ustring{});
    published.Value<&O::DefaultFontSize, &O::SetDefaultFontSize>(u"DefaultFontSize", int32_t{});
    published.Value<&O::DefaultFixedFontSize, &O::SetDefaultFixedFontSize>(u"DefaultFixedFontSize", int32_t{});
    published.Value<&O::MinimumFontSize, &O::SetMinimumFontSize>(u"MinimumFontSize", int32_t{});
    published.Value<&O::MinimumLogicalFontSize, &O::SetMinimumLogicalFontSize>(u"MinimumLogicalFontSize", int32_t{});
    published.Value<&O::RemoteFontsDisabled, &O::SetRemoteFontsDisabled>(u"RemoteFontsDisabled", bool{});
    return published.Build();
  }();
  return info;
}

}  // namespace larkwell
