#include "tests/framework/ui/ui_test_support.h"

#include <algorithm>
#include <string>

#include "framework/ui/application.h"

namespace larkwell::testing {

namespace {

bool IsDialogClass(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return std::wstring(name) == L"#32770";
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && IsDialogClass(window)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectStatic(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"Static") return TRUE;
  auto& seen = *reinterpret_cast<TDialogSeen*>(found);
  if ((GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(window, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon);
    if (icon) seen.Icon = reinterpret_cast<HICON>(icon);
    return TRUE;
  }
  const ustring text = TextOf(window);
  if (!text.empty()) seen.Texts.push_back(text);
  return TRUE;
}

}  // namespace

bool ShowsIcon(const TDialogSeen& box, LPCWSTR id) { return box.Icon && box.Icon == LoadIconW(nullptr, id); }

std::vector<HWND> ProcessDialogs() {
  std::vector<HWND> list;
  EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&list));
  return list;
}

ustring TextOf(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return FromWide(text, copied);
}

TDialogSeen Describe(HWND dialog) {
  TDialogSeen seen;
  seen.Window = dialog;
  seen.Found = true;
  seen.Caption = TextOf(dialog);
  EnumChildWindows(dialog, &CollectStatic, reinterpret_cast<LPARAM>(&seen));
  seen.Owner = GetWindow(dialog, GW_OWNER);
  return seen;
}

HWND WaitForDialog(const std::vector<HWND>& ignored, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    for (HWND dialog : ProcessDialogs()) {
      if (std::find(ignored.begin(), ignored.end(), dialog) == ignored.end()) return dialog;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return nullptr;
}

TDialogWatcher::TDialogWatcher(TAnswer answer, std::vector<HWND> ignored, std::chrono::milliseconds timeout)
    : thread_([this, answer = std::move(answer), ignored = std::move(ignored), timeout] {
        HWND dialog = WaitForDialog(ignored, timeout);
        if (!dialog) return;
        // Let the box finish laying out its text before reading it.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        seen_ = Describe(dialog);
        answer(dialog);
      }) {}

TDialogWatcher::~TDialogWatcher() {
  if (thread_.joinable()) thread_.join();
}

TDialogSeen TDialogWatcher::Result() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

TDialogWatcher::TAnswer TDialogWatcher::PressButton(int id) {
  return [id](HWND dialog) { PressDialogButton(dialog, id); };
}

namespace {
BOOL CALLBACK FindEdit(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"Edit") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FileNameField(HWND dialog) {
  HWND control = GetDlgItem(dialog, 1148);
  if (!control) control = GetDlgItem(dialog, 1152);
  HWND edit = nullptr;
  if (control) EnumChildWindows(control, &FindEdit, reinterpret_cast<LPARAM>(&edit));
  return edit ? edit : control;
}

void TypeFileName(HWND dialog, const ustring& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text)), SMTO_ABORTIFHUNG,
                      2000, &ignored);
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Application().ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void PumpFor(std::chrono::milliseconds duration) {
  const auto until = std::chrono::steady_clock::now() + duration;
  PumpUntil([&] { return std::chrono::steady_clock::now() >= until; }, duration + std::chrono::seconds(1));
}

TPixels GrabClient(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  TPixels pixels;
  pixels.Width = client.right;
  pixels.Height = client.bottom;
  pixels.Colors.resize(static_cast<size_t>(pixels.Width) * pixels.Height);
  HDC source = GetDC(window);
  HDC copy = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.Width;
  info.bmiHeader.biHeight = -pixels.Height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, pixels.Width, pixels.Height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* row = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < pixels.Colors.size(); ++i) pixels.Colors[i] = row[i] & 0x00FFFFFFu;
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(window, source);
  return pixels;
}

}  // namespace larkwell::testing
