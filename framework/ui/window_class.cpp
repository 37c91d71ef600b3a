#include "framework/ui/window_class.h"

#include <exception>
#include <mutex>
#include <set>

#include "framework/ui/application.h"
#include "framework/ui/win_control.h"
#include "os/last_error.h"

namespace larkwell {

// ---- the one window procedure --------------------------------------------------------------

LRESULT CALLBACK SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TWinControl* control = nullptr;
  if (msg == WM_NCCREATE) {
    // The control handed itself over as the creation parameter; from here on the window knows it.
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    control->handle_ = window;
  } else {
    control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO of a top-level window) and after WM_NCDESTROY.
  if (!control) return DefWindowProcW(window, msg, wParam, lParam);

  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WndProc(message);
  } catch (...) {
    // An exception cannot unwind through the system's frames: it is reported and the message
    // gets a neutral answer.
    Application().HandleException(std::current_exception());
    message.Result = 0;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    control->handle_ = nullptr;
  }
  return message.Result;
}

void RegisterWindowClass(const ustring& name, UINT style) {
  static std::mutex lock;
  static std::set<ustring> registered;
  std::lock_guard guard(lock);
  if (registered.contains(name)) return;
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  info.style = style;
  info.lpfnWndProc = &SharedWindowProc;
  info.hInstance = GetModuleHandleW(nullptr);
  info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  info.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  info.lpszClassName = Wide(name);
  if (!RegisterClassExW(&info) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw os::LastOSError();
  }
  registered.insert(name);
}

}  // namespace larkwell
