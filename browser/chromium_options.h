// The browser control's per-browser settings: 38 option switches and the font settings. Both are
// stored with the control's form and copied into the engine's settings record whenever a browser
// is created for the control (browser_settings.h).
#pragma once

#include <cstdint>

#include "core/ustring.h"
#include "framework/forms/persistent.h"

namespace larkwell {

// The option switches; a new object has every switch off.
class TChromiumOptions : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The switches in published order.
  bool DragDropDisabled() const noexcept { return FDragDropDisabled; }
  void SetDragDropDisabled(bool value) noexcept { FDragDropDisabled = value; }
  bool LoadDropsDisabled() const noexcept { return FLoadDropsDisabled; }
  void SetLoadDropsDisabled(bool value) noexcept { FLoadDropsDisabled = value; }
  bool HistoryDisabled() const noexcept { return FHistoryDisabled; }
  void SetHistoryDisabled(bool value) noexcept { FHistoryDisabled = value; }
  bool EncodingDetectorEnabled() const noexcept { return FEncodingDetectorEnabled; }
  void SetEncodingDetectorEnabled(bool value) noexcept { FEncodingDetectorEnabled = value; }
  bool JavascriptDisabled() const noexcept { return FJavascriptDisabled; }
  void SetJavascriptDisabled(bool value) noexcept { FJavascriptDisabled = value; }
  bool JavascriptOpenWindowsDisallowed() const noexcept { return FJavascriptOpenWindowsDisallowed; }
  void SetJavascriptOpenWindowsDisallowed(bool value) noexcept { FJavascriptOpenWindowsDisallowed = value; }
  bool JavascriptCloseWindowsDisallowed() const noexcept { return FJavascriptCloseWindowsDisallowed; }
  void SetJavascriptCloseWindowsDisallowed(bool value) noexcept { FJavascriptCloseWindowsDisallowed = value; }
  bool JavascriptAccessClipboardDisallowed() const noexcept { return FJavascriptAccessClipboardDisallowed; }
  void SetJavascriptAccessClipboardDisallowed(bool value) noexcept { FJavascriptAccessClipboardDisallowed = value; }
  bool DomPasteDisabled() const noexcept { return FDomPasteDisabled; }
  void SetDomPasteDisabled(bool value) noexcept { FDomPasteDisabled = value; }
  bool CaretBrowsingEnabled() const noexcept { return FCaretBrowsingEnabled; }
  void SetCaretBrowsingEnabled(bool value) noexcept { FCaretBrowsingEnabled = value; }
  bool JavaDisabled() const noexcept { return FJavaDisabled; }
  void SetJavaDisabled(bool value) noexcept { FJavaDisabled = value; }
  bool PluginsDisabled() const noexcept { return FPluginsDisabled; }
  void SetPluginsDisabled(bool value) noexcept { FPluginsDisabled = value; }
  bool UniversalAccessFromFileUrlsAllowed() const noexcept { return FUniversalAccessFromFileUrlsAllowed; }
  void SetUniversalAccessFromFileUrlsAllowed(bool value) noexcept { FUniversalAccessFromFileUrlsAllowed = value; }
  bool FileAccessFromFileUrlsAllowed() const noexcept { return FFileAccessFromFileUrlsAllowed; }
  void SetFileAccessFromFileUrlsAllowed(bool value) noexcept { FFileAccessFromFileUrlsAllowed = value; }
  bool WebSecurityDisabled() const noexcept { return FWebSecurityDisabled; }
  void SetWebSecurityDisabled(bool value) noexcept { FWebSecurityDisabled = value; }
  bool XssAuditorEnabled() const noexcept { return FXssAuditorEnabled; }
  void SetXssAuditorEnabled(bool value) noexcept { FXssAuditorEnabled = value; }
  bool ImageLoadDisabled() const noexcept { return FImageLoadDisabled; }
  void SetImageLoadDisabled(bool value) noexcept { FImageLoadDisabled = value; }
  bool ShrinkStandaloneImagesToFit() const noexcept { return FShrinkStandaloneImagesToFit; }
  void SetShrinkStandaloneImagesToFit(bool value) noexcept { FShrinkStandaloneImagesToFit = value; }
  bool SiteSpecificQuirksDisabled() const noexcept { return FSiteSpecificQuirksDisabled; }
  void SetSiteSpecificQuirksDisabled(bool value) noexcept { FSiteSpecificQuirksDisabled = value; }
  bool TextAreaResizeDisabled() const noexcept { return FTextAreaResizeDisabled; }
  void SetTextAreaResizeDisabled(bool value) noexcept { FTextAreaResizeDisabled = value; }
  bool PageCacheDisabled() const noexcept { return FPageCacheDisabled; }
  void SetPageCacheDisabled(bool value) noexcept { FPageCacheDisabled = value; }
  bool TabToLinksDisabled() const noexcept { return FTabToLinksDisabled; }
  void SetTabToLinksDisabled(bool value) noexcept { FTabToLinksDisabled = value; }
  bool HyperlinkAuditingDisabled() const noexcept { return FHyperlinkAuditingDisabled; }
  void SetHyperlinkAuditingDisabled(bool value) noexcept { FHyperlinkAuditingDisabled = value; }
  bool UserStyleSheetEnabled() const noexcept { return FUserStyleSheetEnabled; }
  void SetUserStyleSheetEnabled(bool value) noexcept { FUserStyleSheetEnabled = value; }
  bool AuthorAndUserStylesDisabled() const noexcept { return FAuthorAndUserStylesDisabled; }
  void SetAuthorAndUserStylesDisabled(bool value) noexcept { FAuthorAndUserStylesDisabled = value; }
  bool LocalStorageDisabled() const noexcept { return FLocalStorageDisabled; }
  void SetLocalStorageDisabled(bool value) noexcept { FLocalStorageDisabled = value; }
  bool DatabasesDisabled() const noexcept { return FDatabasesDisabled; }
  void SetDatabasesDisabled(bool value) noexcept { FDatabasesDisabled = value; }
  bool ApplicationCacheDisabled() const noexcept { return FApplicationCacheDisabled; }
  void SetApplicationCacheDisabled(bool value) noexcept { FApplicationCacheDisabled = value; }
  bool WebglDisabled() const noexcept { return FWebglDisabled; }
  void SetWebglDisabled(bool value) noexcept { FWebglDisabled = value; }
  bool AcceleratedCompositingEnabled() const noexcept { return FAcceleratedCompositingEnabled; }
  void SetAcceleratedCompositingEnabled(bool value) noexcept { FAcceleratedCompositingEnabled = value; }
  bool ThreadedCompositingEnabled() const noexcept { return FThreadedCompositingEnabled; }
  void SetThreadedCompositingEnabled(bool value) noexcept { FThreadedCompositingEnabled = value; }
  bool AcceleratedLayersDisabled() const noexcept { return FAcceleratedLayersDisabled; }
  void SetAcceleratedLayersDisabled(bool value) noexcept { FAcceleratedLayersDisabled = value; }
  bool Accelerated2dCanvasDisabled() const noexcept { return FAccelerated2dCanvasDisabled; }
  void SetAccelerated2dCanvasDisabled(bool value) noexcept { FAccelerated2dCanvasDisabled = value; }
  bool DeveloperToolsDisabled() const noexcept { return FDeveloperToolsDisabled; }
  void SetDeveloperToolsDisabled(bool value) noexcept { FDeveloperToolsDisabled = value; }
  bool FullscreenEnabled() const noexcept { return FFullscreenEnabled; }
  void SetFullscreenEnabled(bool value) noexcept { FFullscreenEnabled = value; }
  bool AcceleratedPaintingDisabled() const noexcept { return FAcceleratedPaintingDisabled; }
  void SetAcceleratedPaintingDisabled(bool value) noexcept { FAcceleratedPaintingDisabled = value; }
  bool AcceleratedFiltersDisabled() const noexcept { return FAcceleratedFiltersDisabled; }
  void SetAcceleratedFiltersDisabled(bool value) noexcept { FAcceleratedFiltersDisabled = value; }
  bool AcceleratedPluginsDisabled() const noexcept { return FAcceleratedPluginsDisabled; }
  void SetAcceleratedPluginsDisabled(bool value) noexcept { FAcceleratedPluginsDisabled = value; }

 private:
  bool FDragDropDisabled = false;
  bool FLoadDropsDisabled = false;
  bool FHistoryDisabled = false;
  bool FEncodingDetectorEnabled = false;
  bool FJavascriptDisabled = false;
  bool FJavascriptOpenWindowsDisallowed = false;
  bool FJavascriptCloseWindowsDisallowed = false;
  bool FJavascriptAccessClipboardDisallowed = false;
  bool FDomPasteDisabled = false;
  bool FCaretBrowsingEnabled = false;
  bool FJavaDisabled = false;
  bool FPluginsDisabled = false;
  bool FUniversalAccessFromFileUrlsAllowed = false;
  bool FFileAccessFromFileUrlsAllowed = false;
  bool FWebSecurityDisabled = false;
  bool FXssAuditorEnabled = false;
  bool FImageLoadDisabled = false;
  bool FShrinkStandaloneImagesToFit = false;
  bool FSiteSpecificQuirksDisabled = false;
  bool FTextAreaResizeDisabled = false;
  bool FPageCacheDisabled = false;
  bool FTabToLinksDisabled = false;
  bool FHyperlinkAuditingDisabled = false;
  bool FUserStyleSheetEnabled = false;
  bool FAuthorAndUserStylesDisabled = false;
  bool FLocalStorageDisabled = false;
  bool FDatabasesDisabled = false;
  bool FApplicationCacheDisabled = false;
  bool FWebglDisabled = false;
  bool FAcceleratedCompositingEnabled = false;
  bool FThreadedCompositingEnabled = false;
  bool FAcceleratedLayersDisabled = false;
  bool FAccelerated2dCanvasDisabled = false;
  bool FDeveloperToolsDisabled = false;
  bool FFullscreenEnabled = false;
  bool FAcceleratedPaintingDisabled = false;
  bool FAcceleratedFiltersDisabled = false;
  bool FAcceleratedPluginsDisabled = false;
};

// The font settings. Strings start empty and sizes at 0; a stored form leaves out empty strings,
// zero sizes and False.
class TChromiumFontOptions : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Published without a setter: it stays empty, so the engine always gets an empty standard family.
  const ustring& StandardFontFamily() const noexcept { return FStandardFontFamily; }

  // Then, in published order:
  const ustring& FixedFontFamily() const noexcept { return FFixedFontFamily; }
  void SetFixedFontFamily(const ustring& value) { FFixedFontFamily = value; }
  const ustring& SerifFontFamily() const noexcept { return FSerifFontFamily; }
  void SetSerifFontFamily(const ustring& value) { FSerifFontFamily = value; }
  const ustring& SansSerifFontFamily() const noexcept { return FSansSerifFontFamily; }
  void SetSansSerifFontFamily(const ustring& value) { FSansSerifFontFamily = value; }
  const ustring& CursiveFontFamily() const noexcept { return FCursiveFontFamily; }
  void SetCursiveFontFamily(const ustring& value) { FCursiveFontFamily = value; }
  const ustring& FantasyFontFamily() const noexcept { return FFantasyFontFamily; }
  void SetFantasyFontFamily(const ustring& value) { FFantasyFontFamily = value; }
  int32_t DefaultFontSize() const noexcept { return FDefaultFontSize; }
  void SetDefaultFontSize(int32_t value) noexcept { FDefaultFontSize = value; }
  int32_t DefaultFixedFontSize() const noexcept { return FDefaultFixedFontSize; }
  void SetDefaultFixedFontSize(int32_t value) noexcept { FDefaultFixedFontSize = value; }
  int32_t MinimumFontSize() const noexcept { return FMinimumFontSize; }
  void SetMinimumFontSize(int32_t value) noexcept { FMinimumFontSize = value; }
  int32_t MinimumLogicalFontSize() const noexcept { return FMinimumLogicalFontSize; }
  void SetMinimumLogicalFontSize(int32_t value) noexcept { FMinimumLogicalFontSize = value; }
  bool RemoteFontsDisabled() const noexcept { return FRemoteFontsDisabled; }
  void SetRemoteFontsDisabled(bool value) noexcept { FRemoteFontsDisabled = value; }

 private:
  ustring FStandardFontFamily;
  ustring FFixedFontFamily;
  ustring FSerifFontFamily;
  ustring FSansSerifFontFamily;
  ustring FCursiveFontFamily;
  ustring FFantasyFontFamily;
  int32_t FDefaultFontSize = 0;
  int32_t FDefaultFixedFontSize = 0;
  int32_t FMinimumFontSize = 0;
  int32_t FMinimumLogicalFontSize = 0;
  bool FRemoteFontsDisabled = false;
};

}  // namespace larkwell
