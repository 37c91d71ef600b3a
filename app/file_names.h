// The file name the save dialog proposes for a name a server suggested.
#pragma once

#include <cstddef>

#include "core/ustring.h"

namespace larkwell {

// The longest name proposed, in UTF-16 units: room is left for the folder the user picks.
inline constexpr size_t kMaxProposedFileName = 150;

// A plain, harmless file name for `suggested`, or empty to propose nothing. A server's name
// must not point the dialog elsewhere, fail there or show as another name: only the last path
// component is kept (after "\\", "/" or a leading drive); characters Windows forbids in names,
// control characters, DEL, the characters that reorder text (U+202E, ...) and halves of
// surrogate pairs standing alone become "_"; what Windows strips (leading spaces, trailing dots
// and spaces) goes; a reserved device name (CON, NUL.xls, COM0, LPT¹, CONIN$, ...) gets a "_" in
// front; a name longer than kMaxProposedFileName is cut, keeping its extension and whole
// characters. A name with nothing left but spaces and "_" put in for forbidden characters gives
// empty. Ordinary names, Chinese ones included, come back unchanged.
ustring ProposedFileName(const ustring& suggested);

}  // namespace larkwell
