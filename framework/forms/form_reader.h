// Reading a stored form (the text format of form_text.h) into a component and its children.
#pragma once

#include <string_view>

#include "core/exceptions.h"
#include "core/ustring.h"
#include "framework/forms/component.h"
#include "framework/forms/persistent.h"

namespace larkwell {

// A stored form that cannot be read: "Line <n>: <what is wrong>".
class EFormError : public Exception {
 public:
  EFormError(int line, const ustring& what);
  int Line() const noexcept { return line_; }

 private:
  int line_;
};

// Reads `text` (UTF-8) into `root`: the outermost object's properties go to `root`, whose class
// must be the class the text names or derive from it; every nested object is created by its
// registered class name (RegisterClass), named, owned by `root` and given the enclosing object
// as its parent component. Events bind to the methods `methods` offers by name.
//
// When the whole text has been read, every component read gets Loaded(), the root first.
// A malformed line, an unknown class or property, a value that does not fit, or a missing "end"
// raises EFormError naming the line; the objects this call created are destroyed again (the
// properties already set on `root` stay set).
void ReadForm(std::string_view text, TComponent& root, const TMethodTable& methods = {});

}  // namespace larkwell
