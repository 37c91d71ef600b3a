// The one window procedure that every control's window runs (it hands each message to the
// control's WndProc and stops its exceptions there), and the registration of the window classes
// that use it.
#pragma once

#include "core/ustring.h"
#include "framework/ui/win32.h"

namespace larkwell {

LRESULT CALLBACK SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// Registers the window class `name` with the shared window procedure, once per name. Raises the
// system's error when the class cannot be registered.
void RegisterWindowClass(const ustring& name, UINT style);

}  // namespace larkwell
