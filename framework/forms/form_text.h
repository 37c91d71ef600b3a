// The text of stored forms, line by line. A form is UTF-8 text:
//
//   form      = object
//   object    = "object" [name ":"] class NL { property | object } "end" NL
//   property  = name { "." name } "=" value NL
//   value     = integer | string | identifier | set
//   integer   = ["-"] digit { digit } | "$" hexdigit { hexdigit }
//   string    = piece { piece }                      (pieces follow each other without space)
//   piece     = "'" { character | "''" } "'"         (any Unicode text, '' for one quote)
//             | "#" ( digit { digit } | "$" hexdigit { hexdigit } )   (one character by its code)
//   set       = "[" [ identifier { "," identifier } ] "]"
//   name, class, identifier = letter-or-underscore { letter | digit | underscore }   (ASCII)
//
// Spaces may stand between tokens and at either end of a line; blank lines and lines starting
// with "//" are skipped. A character code above U+FFFF stands for its surrogate pair; a code of a
// lone surrogate (U+D800 to U+DFFF) stands for that single code unit, so every ustring can be
// written and read back unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ustring.h"
#include "framework/forms/form_values.h"

namespace larkwell {

struct TFormLine {
  enum class TKind { kBlank, kObject, kEnd, kProperty };

  TKind Kind = TKind::kBlank;
  ustring Name;               // kObject: the object's name, empty when it has none
  ustring ClassName;          // kObject
  std::vector<ustring> Path;  // kProperty: the property, and the sub-objects leading to it
  TFormValue Value;           // kProperty
};

// Parses one line (without its line break). Throws EFormValueError saying what is malformed.
TFormLine ParseFormLine(std::string_view line);

// The text of a value as it stands after "=".
std::string FormatFormValue(const TFormValue& value);

}  // namespace larkwell
