#include "browser/chromium_options.h"

#include "framework/forms/properties.h"

namespace larkwell {

const TClassInfo& TChromiumOptions::StaticClassInfo() {
  static const TClassInfo info = [] {
    using O = TChromiumOptions;
    TClassInfoBuilder<O> published(u"TChromiumOptions", TPersistent::StaticClassInfo());
#define LARKWELL_PUBLISH_SWITCH(Name, member, Stored) published.Value<&O::Name, &O::Set##Name>(u"" #Name, Stored);
    LARKWELL_CHROMIUM_SWITCHES(LARKWELL_PUBLISH_SWITCH)
#undef LARKWELL_PUBLISH_SWITCH
    return published.Build();
  }();
  return info;
}

const TClassInfo& TChromiumFontOptions::StaticClassInfo() {
  static const TClassInfo info = [] {
    using O = TChromiumFontOptions;
    TClassInfoBuilder<O> published(u"TChromiumFontOptions", TPersistent::StaticClassInfo());
    published.ReadOnly<&O::StandardFontFamily>(u"StandardFontFamily");
#define LARKWELL_PUBLISH_FONT_SETTING(Type, Name) published.Value<&O::Name, &O::Set##Name>(u"" #Name, Type{});
    LARKWELL_CHROMIUM_FONT_SETTINGS(LARKWELL_PUBLISH_FONT_SETTING)
#undef LARKWELL_PUBLISH_FONT_SETTING
    return published.Build();
  }();
  return info;
}

}  // namespace larkwell
