// The engine's browser-settings record as FillBrowserSettings leaves it: every member from its
// own option, strings lent from the control, the size field as the caller left it and every other
// byte (padding too) zero.
#include "browser/browser_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/exceptions.h"

namespace larkwell::testing {
namespace {

using S = TCefBrowserSettings;
using O = TChromiumOptions;
using F = TChromiumFontOptions;

// Each switch with the record member it must land in, in the record's order.
struct SwitchCase {
  void (O::*set)(bool) noexcept;
  TCefByteBool S::*member;
};
#define SWITCH(Name, member) \
  { &O::Set##Name, &S::member }
const SwitchCase kSwitches[] = {
    SWITCH(DragDropDisabled, drag_drop_disabled),
    SWITCH(LoadDropsDisabled, load_drops_disabled),
    SWITCH(HistoryDisabled, history_disabled),
    SWITCH(EncodingDetectorEnabled, encoding_detector_enabled),
    SWITCH(JavascriptDisabled, javascript_disabled),
    SWITCH(JavascriptOpenWindowsDisallowed, javascript_open_windows_disallowed),
    SWITCH(JavascriptCloseWindowsDisallowed, javascript_close_windows_disallowed),
    SWITCH(JavascriptAccessClipboardDisallowed, javascript_access_clipboard_disallowed),
    SWITCH(DomPasteDisabled, dom_paste_disabled),
    SWITCH(CaretBrowsingEnabled, caret_browsing_enabled),
    SWITCH(JavaDisabled, java_disabled),
    SWITCH(PluginsDisabled, plugins_disabled),
    SWITCH(UniversalAccessFromFileUrlsAllowed, universal_access_from_file_urls_allowed),
    SWITCH(FileAccessFromFileUrlsAllowed, file_access_from_file_urls_allowed),
    SWITCH(WebSecurityDisabled, web_security_disabled),
    SWITCH(XssAuditorEnabled, xss_auditor_enabled),
    SWITCH(ImageLoadDisabled, image_load_disabled),
    SWITCH(ShrinkStandaloneImagesToFit, shrink_standalone_images_to_fit),
    SWITCH(SiteSpecificQuirksDisabled, site_specific_quirks_disabled),
    SWITCH(TextAreaResizeDisabled, text_area_resize_disabled),
    SWITCH(PageCacheDisabled, page_cache_disabled),
    SWITCH(TabToLinksDisabled, tab_to_links_disabled),
    SWITCH(HyperlinkAuditingDisabled, hyperlink_auditing_disabled),
    SWITCH(UserStyleSheetEnabled, user_style_sheet_enabled),
    SWITCH(AuthorAndUserStylesDisabled, author_and_user_styles_disabled),
    SWITCH(LocalStorageDisabled, local_storage_disabled),
    SWITCH(DatabasesDisabled, databases_disabled),
    SWITCH(ApplicationCacheDisabled, application_cache_disabled),
    SWITCH(WebglDisabled, webgl_disabled),
    SWITCH(AcceleratedCompositingEnabled, accelerated_compositing_enabled),
    SWITCH(ThreadedCompositingEnabled, threaded_compositing_enabled),
    SWITCH(AcceleratedLayersDisabled, accelerated_layers_disabled),
    SWITCH(Accelerated2dCanvasDisabled, accelerated_2d_canvas_disabled),
    SWITCH(AcceleratedPaintingDisabled, accelerated_painting_disabled),
    SWITCH(AcceleratedFiltersDisabled, accelerated_filters_disabled),
    SWITCH(AcceleratedPluginsDisabled, accelerated_plugins_disabled),
    SWITCH(DeveloperToolsDisabled, developer_tools_disabled),
    SWITCH(FullscreenEnabled, fullscreen_enabled),
};
#undef SWITCH

// The six families in the record's order; the standard family has no setter.
struct FamilyCase {
  const ustring& (F::*get)() const noexcept;
  void (F::*set)(const ustring&);
  TCefString S::*member;
};
const FamilyCase kFamilies[] = {
    {&F::StandardFontFamily, nullptr, &S::standard_font_family},
    {&F::FixedFontFamily, &F::SetFixedFontFamily, &S::fixed_font_family},
    {&F::SerifFontFamily, &F::SetSerifFontFamily, &S::serif_font_family},
    {&F::SansSerifFontFamily, &F::SetSansSerifFontFamily, &S::sans_serif_font_family},
    {&F::CursiveFontFamily, &F::SetCursiveFontFamily, &S::cursive_font_family},
    {&F::FantasyFontFamily, &F::SetFantasyFontFamily, &S::fantasy_font_family},
};

template <class M>
size_t OffsetOf(M S::*member) {
  static const S probe{};
  return static_cast<size_t>(reinterpret_cast<const char*>(&(probe.*member)) - reinterpret_cast<const char*>(&probe));
}

constexpr unsigned char kUntouched = 0xCC;

// A record as a caller may leave it: every byte recognisable, the size field set.
struct Record {
  Record() {
    std::memset(&settings, kUntouched, sizeof settings);
    settings.size = kBrowserSettingsSize;
  }
  const unsigned char* Bytes() const { return reinterpret_cast<const unsigned char*>(&settings); }
  S settings;
};

// An empty text is lent as the binding's shared empty text.
bool LentFrom(const TCefString& text, const ustring& source) {
  return (source.empty() ? text.str != nullptr : text.str == source.data()) && text.length == source.size() &&
         text.dtor == nullptr;
}

class BrowserSettingsTest : public ::testing::Test {
 protected:
  void Fill() { FillBrowserSettings(record.settings, options, fontOptions, defaultEncoding, styleSheet); }

  O options;
  F fontOptions;
  ustring defaultEncoding, styleSheet;
  Record record;
};

TEST_F(BrowserSettingsTest, UntouchedOptionsGiveACleanRecordWithTheCallersSizeAndZeroPadding) {
  Fill();
  const S& s = record.settings;
  std::vector<bool> written(sizeof s, false);
  auto member = [&](auto S::*m) {
    std::fill_n(written.begin() + static_cast<ptrdiff_t>(OffsetOf(m)), sizeof(s.*m), true);
    return s.*m;
  };
  EXPECT_EQ(s.size, kBrowserSettingsSize);
  std::fill_n(written.begin(), sizeof s.size, true);  // the caller's, not padding
  for (const SwitchCase& c : kSwitches) EXPECT_EQ(member(c.member), 0) << "switch at " << OffsetOf(c.member);
  for (auto size :
       {&S::default_font_size, &S::default_fixed_font_size, &S::minimum_font_size, &S::minimum_logical_font_size}) {
    EXPECT_EQ(member(size), 0) << "size at " << OffsetOf(size);
  }
  EXPECT_EQ(member(&S::remote_fonts_disabled), 0);
  std::vector<TCefString S::*> texts = {&S::default_encoding, &S::user_style_sheet_location};
  for (const FamilyCase& family : kFamilies) texts.push_back(family.member);
  for (auto text : texts) EXPECT_TRUE(LentFrom(member(text), u"")) << "string at " << OffsetOf(text);

  for (size_t i = 0; i < sizeof s; ++i) {
    if (!written[i]) {
      EXPECT_EQ(record.Bytes()[i], 0) << "padding byte " << i;
    }
  }
}

TEST_F(BrowserSettingsTest, EachSwitchLandsInItsOwnByte) {
  for (const SwitchCase& on : kSwitches) {
    O single;
    (single.*on.set)(true);
    Record filled;
    FillBrowserSettings(filled.settings, single, fontOptions, defaultEncoding, styleSheet);
    for (const SwitchCase& c : kSwitches) {
      EXPECT_EQ(filled.settings.*c.member, &c == &on ? 1 : 0)
          << "with the switch for " << OffsetOf(on.member) << " on, the byte at " << OffsetOf(c.member);
    }
  }
}

TEST_F(BrowserSettingsTest, FontsAndStringsAreLentFromTheControl) {
  const ustring families[] = {u"", u"Courier New", u"宋体", u"Arial", u"Comic Sans MS", u"Impact"};
  for (size_t i = 1; i < std::size(kFamilies); ++i) (fontOptions.*kFamilies[i].set)(families[i]);
  fontOptions.SetDefaultFontSize(16);
  fontOptions.SetDefaultFixedFontSize(13);
  fontOptions.SetMinimumFontSize(9);
  fontOptions.SetMinimumLogicalFontSize(6);
  fontOptions.SetRemoteFontsDisabled(true);
  defaultEncoding = u"utf8";
  styleSheet = u"file:///user.css";
  Fill();

  const S& s = record.settings;
  for (size_t i = 0; i < std::size(kFamilies); ++i) {
    EXPECT_EQ((fontOptions.*kFamilies[i].get)(), families[i]);
    EXPECT_TRUE(LentFrom(s.*kFamilies[i].member, (fontOptions.*kFamilies[i].get)())) << "family " << i;
  }
  EXPECT_EQ(s.default_font_size, 16);
  EXPECT_EQ(s.default_fixed_font_size, 13);
  EXPECT_EQ(s.minimum_font_size, 9);
  EXPECT_EQ(s.minimum_logical_font_size, 6);
  EXPECT_EQ(s.remote_fonts_disabled, 1);
  EXPECT_TRUE(LentFrom(s.default_encoding, defaultEncoding));
  EXPECT_TRUE(LentFrom(s.user_style_sheet_location, styleSheet));
}

TEST_F(BrowserSettingsTest, ARecordTooSmallIsRefusedAndKeepsEveryByte) {
  options.SetHistoryDisabled(true);
  defaultEncoding = u"utf8";
  for (size_t size : {kBrowserSettingsSize - 1, size_t{0}}) {
    record.settings.size = size;
    const Record before = record;
    try {
      Fill();
      ADD_FAILURE() << "a record of size " << size << " was filled";
    } catch (const EAssertionFailed& error) {
      EXPECT_EQ(error.Message(), u"Assertion failure (cefvcl, line 958)");
    }
    EXPECT_EQ(std::memcmp(record.Bytes(), before.Bytes(), sizeof record.settings), 0) << "size " << size;
  }
  record.settings.size = kBrowserSettingsSize + 16;  // a caller that knows a longer record
  EXPECT_NO_THROW(Fill());
  EXPECT_EQ(record.settings.history_disabled, 1);
}

// The engine reads the record by byte position on the 32-bit target.
TEST_F(BrowserSettingsTest, TheSwitchesTheShellCaresAboutSitAtTheEnginesOffsets) {
#if defined(_WIN32) && !defined(_WIN64)
  const std::pair<void (O::*)(bool) noexcept, size_t> kPositions[] = {
      {&O::SetHistoryDisabled, 6},
      {&O::SetAcceleratedPaintingDisabled, 157},
      {&O::SetAcceleratedFiltersDisabled, 158},
      {&O::SetAcceleratedPluginsDisabled, 159},
      {&O::SetDeveloperToolsDisabled, 160},
      {&O::SetFullscreenEnabled, 161},
  };
  ASSERT_EQ(kBrowserSettingsSize, 164u);
  for (const auto& [set, offset] : kPositions) (options.*set)(true);
  defaultEncoding = u"utf8";
  Fill();
  for (const auto& [set, offset] : kPositions) EXPECT_EQ(record.Bytes()[offset], 1) << "byte " << offset;
  TCefString encoding;
  std::memcpy(&encoding, record.Bytes() + 100, sizeof encoding);
  EXPECT_EQ(encoding.str, defaultEncoding.data());
  EXPECT_EQ(encoding.length, 4u);
#else
  GTEST_SKIP() << "byte positions are the 32-bit target's";
#endif
}

}  // namespace
}  // namespace larkwell::testing
