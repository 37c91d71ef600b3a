// The extra plug-in path setting: one text holding a delimited list of paths.
#pragma once

#include <string_view>

#include "core/ustring.h"

namespace larkwell {

// Splits `text` as a non-strict delimited list, delimiter ';' and quote character '"':
//  - characters with codes 1 to 32 are skipped at the start, after each item and after each
//    delimiter;
//  - outside quotes an item ends at ';' or at any character with code 32 or less, so blanks
//    separate items too;
//  - an item that starts with '"' runs to its closing quote: a doubled quote inside stands for
//    one, a missing closing quote takes the rest of the text; whatever follows the closing
//    quote directly starts the next item;
//  - two delimiters in a row give an empty item between them, and a delimiter directly followed
//    by the end of the text adds one empty item;
//  - the text ends at its first character 0 (the rules were made for zero-terminated text).
// A text that is empty or holds blanks only gives no items.
TStrings SplitPluginPaths(std::u16string_view text);

}  // namespace larkwell
