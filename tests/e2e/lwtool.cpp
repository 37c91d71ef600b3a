// lwtool: looks at and drives the windows of other programs from outside, the way a test needs
// to (run with wine in the same prefix). Arguments are wide strings: under zh_CN the narrow
// ones would arrive in code page 936.
//
//   lwtool wait <title> <seconds>   waits for a visible top-level window titled <title>; prints
//                                   "visible maximised topmost class" as 0/1 flags and the class
//   lwtool close <title>            posts WM_CLOSE to it
//   lwtool gone <title> <seconds>   waits until no window titled <title> is left
//   lwtool texts <title>            prints the text of each Static child (a message box's
//                                   text), one per line, UTF-8
// Exit code 0 on success, 1 when the window is not there (in time), 2 for bad arguments.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND FindVisible(const wchar_t* title) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, nullptr, title)) != nullptr) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND WaitFor(const wchar_t* title, double seconds) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (HWND window = FindVisible(title)) return window;
    if (GetTickCount64() >= until) return nullptr;
    Sleep(50);
  }
}

BOOL CALLBACK PrintStatic(HWND window, LPARAM) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wstring(className) != L"Static") return TRUE;
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
  if (length == 0) return TRUE;
  char utf8[16384] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8, sizeof utf8 - 1, nullptr, nullptr);
  std::printf("%s\n", utf8);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring command = argv[1];
  const wchar_t* title = argv[2];
  const double seconds = argc > 3 ? _wtof(argv[3]) : 10;
  if (command == L"wait") {
    HWND window = WaitFor(title, seconds);
    if (!window) return 1;
    wchar_t className[128] = {};
    GetClassNameW(window, className, 128);
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    std::wprintf(L"%d %d %d %ls\n", IsWindowVisible(window) ? 1 : 0, IsZoomed(window) ? 1 : 0,
                 (exStyle & WS_EX_TOPMOST) ? 1 : 0, className);
    return 0;
  }
  if (command == L"close") {
    HWND window = FindVisible(title);
    if (!window) return 1;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == L"texts") {
    HWND window = FindVisible(title);
    if (!window) return 1;
    EnumChildWindows(window, &PrintStatic, 0);
    std::fflush(stdout);
    return 0;
  }
  if (command == L"gone") {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (FindWindowW(nullptr, title)) {
      if (GetTickCount64() >= until) return 1;
      Sleep(50);
    }
    return 0;
  }
  return 2;
}
