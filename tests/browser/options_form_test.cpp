// The browser options as a stored form holds them: what is left out, what is always written,
// and what reads back.
#include <gtest/gtest.h>

#include <string>

#include "browser/chromium_options.h"
#include "framework/forms/form_reader.h"
#include "framework/forms/form_writer.h"
#include "framework/forms/properties.h"

namespace larkwell::testing {
namespace {

// Carries the options as the browser control does.
class TOptionsHolder : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfoBuilder<TOptionsHolder>(u"TOptionsHolder", TComponent::StaticClassInfo())
                                       .Object<&TOptionsHolder::Options>(u"Options")
                                       .Object<&TOptionsHolder::FontOptions>(u"FontOptions")
                                       .Field<&TOptionsHolder::DefaultEncoding>(u"DefaultEncoding", u"")
                                       .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TChromiumOptions Options;
  TChromiumFontOptions FontOptions;
  ustring DefaultEncoding;
};

TEST(ChromiumOptionsForm, DefaultsAreLeftOutButTheAcceleratedSwitchesAreAlwaysWritten) {
  TOptionsHolder holder;
  holder.SetName(u"crm");
  EXPECT_EQ(WriteForm(holder),
            "object crm: TOptionsHolder\n"
            "  Options.AcceleratedPaintingDisabled = False\n"
            "  Options.AcceleratedFiltersDisabled = False\n"
            "  Options.AcceleratedPluginsDisabled = False\n"
            "end\n");
}

TEST(ChromiumOptionsForm, StoredValuesReadBackAndWhatIsNotStoredStaysOff) {
  constexpr char kStored[] =
      "object crm: TOptionsHolder\n"
      "  Options.JavascriptDisabled = True\n"
      "  Options.FullscreenEnabled = True\n"
      "  Options.AcceleratedPaintingDisabled = False\n"
      "  Options.AcceleratedFiltersDisabled = True\n"
      "  Options.AcceleratedPluginsDisabled = False\n"
      "  FontOptions.SerifFontFamily = '\xE5\xAE\x8B\xE4\xBD\x93'\n"
      "  FontOptions.DefaultFontSize = 16\n"
      "  FontOptions.RemoteFontsDisabled = True\n"
      "  DefaultEncoding = 'utf8'\n"
      "end\n";
  TOptionsHolder holder;
  holder.Options.SetAcceleratedPaintingDisabled(true);  // the stored False must win
  ReadForm(kStored, holder);

  EXPECT_TRUE(holder.Options.JavascriptDisabled());
  EXPECT_TRUE(holder.Options.FullscreenEnabled());
  EXPECT_FALSE(holder.Options.AcceleratedPaintingDisabled());
  EXPECT_TRUE(holder.Options.AcceleratedFiltersDisabled());
  EXPECT_FALSE(holder.Options.JavaDisabled());
  EXPECT_EQ(holder.FontOptions.SerifFontFamily(), u"宋体");
  EXPECT_EQ(holder.FontOptions.DefaultFontSize(), 16);
  EXPECT_TRUE(holder.FontOptions.RemoteFontsDisabled());
  EXPECT_EQ(holder.DefaultEncoding, u"utf8");

  EXPECT_EQ(WriteForm(holder), kStored);
}

TEST(ChromiumOptionsForm, TheStandardFontFamilyIsNeitherReadNorWritten) {
  TOptionsHolder holder;
  try {
    ReadForm("object crm: TOptionsHolder\n  FontOptions.StandardFontFamily = 'Arial'\nend\n", holder);
    ADD_FAILURE() << "a read-only property was read";
  } catch (const EFormError& error) {
    EXPECT_EQ(error.Line(), 2);
    EXPECT_NE(error.Message().find(u"read-only"), ustring::npos) << error.what();
  }
  EXPECT_EQ(holder.FontOptions.StandardFontFamily(), u"");
  EXPECT_EQ(WriteForm(holder).find("StandardFontFamily"), std::string::npos);
}

}  // namespace
}  // namespace larkwell::testing
