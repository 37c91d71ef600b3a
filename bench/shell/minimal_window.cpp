// lwbench_minimal: the start-up benchmark's baseline, the least a Windows program does to show
// one maximised window: register a class, create the window, show it maximised and run the
// message loop until the window is closed.
//   lwbench_minimal [timer]
// With "timer", a thread timer of 10 ms whose procedure does nothing runs as well, like the
// shell's engine pump: the baseline of the program at rest (what the timer alone costs).
#include <windows.h>

#include <cwchar>

namespace {

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
  return static_cast<int>(message.wParam);
}
