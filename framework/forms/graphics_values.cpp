#include "framework/forms/graphics_values.h"

#include "framework/forms/properties.h"

namespace larkwell {

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info = TClassInfoBuilder<TFont>(u"TFont", TPersistent::StaticClassInfo())
                                     .Field<&TFont::Charset>(u"Charset", kAlwaysStored)
                                     .Field<&TFont::Color>(u"Color", kAlwaysStored)
                                     .Field<&TFont::Height>(u"Height", kAlwaysStored)
                                     .Field<&TFont::Name>(u"Name", kAlwaysStored)
                                     .Field<&TFont::Style>(u"Style", kAlwaysStored)
                                     .Build();
  return info;
}

}  // namespace larkwell
