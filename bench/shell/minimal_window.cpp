// lwbench_minimal: the start-up benchmark's baseline, the least a Windows program does to show
// one maximised window: register a class, create the window, show it maximised and run the
// message loop until the window is closed.
//   lwbench_minimal [timer | engine]
// With "timer", a thread timer of 10 ms whose procedure does nothing runs as well, like the
// shell's engine pump: the baseline of the program at rest (what the timer alone costs).
// With "engine", it first loads the engine beside it (libcef.dll) and initialises it with default
// settings, and shuts it down at the end: the start-up baseline with the engine's own load and
// initialisation in it, so that the shell's figure is about the shell's own work.
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "engine/cef_api.h"

namespace {

// The export `name` of `module` in `slot`, whose type is the export's (copied, not cast).
template <class Slot>
bool Resolve(HMODULE module, const char* name, Slot& slot) {
  const FARPROC address = GetProcAddress(module, name);
  static_assert(sizeof slot == sizeof address);
  std::memcpy(&slot, &address, sizeof slot);
  return address != nullptr;
}

using TInitialize = int(CEF_EXPORT_CALL*)(const TCefSettings*, TCefApp*);
using TShutdown = void(CEF_EXPORT_CALL*)();
TShutdown gShutdown = nullptr;

bool StartEngine() {
  HMODULE engine = LoadLibraryW(L"libcef.dll");
  TInitialize initialize = nullptr;
  if (engine == nullptr || !Resolve(engine, "cef_initialize", initialize) || !Resolve(engine, "cef_shutdown", gShutdown))
    return false;
  TCefSettings settings{};
  settings.size = sizeof settings;
  return initialize(&settings, nullptr) != 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void CALLBACK NothingToDo(HWND, UINT, UINT_PTR, DWORD) noexcept {}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  const bool engine = std::wcscmp(arguments, L"engine") == 0;
  if (engine && !StartEngine()) return 1;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  window_class.lpszClassName = L"LwbenchMinimal";
  if (RegisterClassExW(&window_class) == 0) return 1;
  HWND window = CreateWindowExW(0, window_class.lpszClassName, L"lwbench minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWMAXIMIZED);
  UpdateWindow(window);
  if (std::wcscmp(arguments, L"timer") == 0 && SetTimer(nullptr, 0, 10, &NothingToDo) == 0) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (engine) gShutdown();
  return static_cast<int>(message.wParam);
}
