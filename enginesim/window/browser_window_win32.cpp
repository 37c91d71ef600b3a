// Browser windows on Windows: a window class of the stand-in's own, painted plain white.
#include <windows.h>

#include <string>

#include "enginesim/collections.h"
#include "enginesim/ledger.h"
#include "enginesim/shield.h"
#include "enginesim/window/browser_window.h"

namespace larkwell::enginesim::window {
namespace {

constexpr wchar_t kClassName[] = L"EngineSim.Browser";

// The page area. Painting covers the whole invalid part, so the class has no background brush.
void paint(HWND window) {
  PAINTSTRUCT paint_info;
  if (HDC dc = BeginPaint(window, &paint_info)) {
    FillRect(dc, &paint_info.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &paint_info);
  }
}

// WM_CLOSE and WM_DESTROY take their default course: DefWindowProc destroys the window on
// WM_CLOSE. The window is gone only at WM_NCDESTROY, its last message: a WM_DESTROY someone
// merely sends leaves it as it was.
LRESULT CALLBACK browser_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  return shielded<LRESULT>("browser window procedure", [&]() -> LRESULT {
    switch (message) {
      case WM_PAINT:
        paint(window);
        return 0;
      case WM_NCDESTROY:
        note_destroyed(window);
        break;
      default:
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  });
}

HINSTANCE this_module() {
  static const char anchor = 0;
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&anchor), &module);
  return module;
}

// Registers the class once per process; false when that failed.
bool class_registered() {
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &browser_window_procedure;
    window_class.hInstance = this_module();
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

std::unique_ptr<BrowserWindow> BrowserWindow::create(TCefWindowInfo& info) {
  const auto parent = static_cast<HWND>(info.WndParent);
  if (info.m_bWindowRenderingDisabled != 0 || parent == nullptr || !IsWindow(parent)) return nullptr;
  const std::u16string name(text_of(&info.windowName));
  const std::wstring wide_name(name.begin(), name.end());
  HWND window = class_registered()
                    ? CreateWindowExW(info.ExStyle, kClassName, wide_name.c_str(), info.Style, info.x, info.y,
                                      info.Width, info.Height, parent, static_cast<HMENU>(info.Menu),
                                      this_module(), nullptr)
                    : nullptr;
  if (window == nullptr) {
    ledger().record_error("browser creation: the browser window could not be made (error " +
                          std::to_string(GetLastError()) + ")");
    return nullptr;
  }
  const DWORD thread = GetCurrentThreadId();
  note_created(window, thread);
  info.Wnd = window;
  return std::unique_ptr<BrowserWindow>(new BrowserWindow(window, thread));
}

BrowserWindow::~BrowserWindow() {
  if (!claim_for_closing(handle_)) return;
  const auto window = static_cast<HWND>(handle_);
  if (GetCurrentThreadId() == thread_) {
    DestroyWindow(window);
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);  // only its own thread may destroy it
  }
}

}  // namespace larkwell::enginesim::window
