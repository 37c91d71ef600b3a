// The fixture of the tests of browsers' real windows (Windows only): an initialised engine, a
// visible top-level parent window, and a pump for the thread's messages.
#pragma once

#include <windows.h>

#include "engine_work.h"

namespace larkwell::enginesim::test {

inline constexpr wchar_t kParentClass[] = L"EngineSimTest.Parent";

inline TSimWindowState state_of(HWND window) {
  TSimWindowState state{};
  sim_window_state(window, &state);
  return state;
}

class BrowserWindows : public EngineWork {
 protected:
  void SetUp() override {
    EngineWork::SetUp();
    static const ATOM registered = [] {
      WNDCLASSEXW window_class{};
      window_class.cbSize = sizeof window_class;
      window_class.lpfnWndProc = &DefWindowProcW;
      window_class.hInstance = GetModuleHandleW(nullptr);
      window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
      window_class.lpszClassName = kParentClass;
      return RegisterClassExW(&window_class);
    }();
    ASSERT_NE(registered, 0);
    parent = make_parent();
    ASSERT_NE(parent, nullptr);
  }
  void TearDown() override {
    if (IsWindow(parent)) DestroyWindow(parent);
    pump();
    EngineWork::TearDown();
  }

  static HWND make_parent(int width = 400, int height = 300) {
    return CreateWindowExW(0, kParentClass, L"parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, width, height,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  static void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  // The window information the browser control gives: a visible child over `area` of `parent`.
  TCefWindowInfo child_info(RECT area) const {
    TCefWindowInfo info{};
    info.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
    info.x = area.left;
    info.y = area.top;
    info.Width = area.right - area.left;
    info.Height = area.bottom - area.top;
    info.WndParent = parent;
    return info;
  }

  HWND parent = nullptr;
  ProgramClient client;
};

}  // namespace larkwell::enginesim::test
