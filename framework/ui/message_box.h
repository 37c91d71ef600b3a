// The system's message box.
#pragma once

#include "core/ustring.h"
#include "framework/ui/win32.h"

namespace larkwell {

// Shows a message box over `owner` (null: none) with the system's flags (MB_OK | MB_ICONERROR,
// 0x40 for information, ...) and answers the button pressed (IDOK, IDYES, ...), or 0 when the
// box could not be shown.
int ShowMessageBox(HWND owner, const ustring& text, const ustring& caption, UINT flags) noexcept;

}  // namespace larkwell
