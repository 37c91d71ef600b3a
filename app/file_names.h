// The file name the save dialog proposes for a name a server suggested.
#pragma once

#include <cstddef>

#include "core/ustring.h"

namespace larkwell {

// The longest name proposed, in UTF-16 units: room is left for the folder the user picks.
inline constexpr size_t kMaxProposedFileName = 150;

// A plain, harmless file name for `suggested`, or empty to propose nothing. A server's name
// must not point the dialog elsewhere or fail there: only the last path component is kept;
// characters Windows forbids in names and control characters become "_"; what Windows strips
// (trailing dots and spaces) goes; a reserved device name (CON, NUL.xls, COM1, ...) gets a "_"
// in front; a name longer than kMaxProposedFileName is cut, keeping its extension. Ordinary
// names, Chinese ones included, come back unchanged.
ustring ProposedFileName(const ustring& suggested);

}  // namespace larkwell
