// Writing a component and the components it owns as a stored form (the format of form_text.h).
#pragma once

#include <string>

#include "framework/forms/component.h"

namespace larkwell {

// The stored form of `root`, UTF-8 with "\n" line ends, indented two spaces a level. For each
// object: its published properties in declaration order (ancestors' first), leaving out those
// at their default, read-only ones and unbound events; a sub-object's properties as
// "Name.Property"; an event by the name of the method it was bound to. Then its children: the
// components `root` owns whose parent component it is (for the root also those without one), in
// the order they were inserted.
std::string WriteForm(const TComponent& root);

}  // namespace larkwell
