// The application object: the user-interface thread, its forms and its message loop. The error
// reports are in application_errors.cpp, the work queue of other threads in application_queue.cpp,
// the dialog keys in tab_order.cpp.
#include "framework/ui/application.h"

#include <exception>

#include "framework/ui/form.h"
#include "framework/ui/win_control.h"
#include "os/last_error.h"

namespace larkwell {

namespace {

constexpr wchar_t kNotifyClassName[] = L"Larkwell.TApplication";

}  // namespace

TApplication& Application() {
  static TApplication& application = *new TApplication;
  return application;
}

TApplication::TApplication() = default;

void TApplication::Initialize() {
  if (ui_thread_) return;
  ui_thread_ = GetCurrentThreadId();
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  info.lpfnWndProc = &TApplication::NotifyWindowProc;
  info.hInstance = GetModuleHandleW(nullptr);
  info.lpszClassName = kNotifyClassName;
  RegisterClassExW(&info);
  notify_window_ = CreateWindowExW(0, kNotifyClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  if (!notify_window_) throw os::LastOSError();
}

bool TApplication::OnUserInterfaceThread() const noexcept { return ui_thread_ && GetCurrentThreadId() == ui_thread_; }

void TApplication::DestroyForms() { DestroyComponents(); }

void TApplication::FormDestroyed(TForm& form) noexcept {
  if (main_form_ == &form) main_form_ = nullptr;
}

// ---- the message loop ----------------------------------------------------------------------

void TApplication::Run() {
  Initialize();
  terminated_ = false;
  if (main_form_) main_form_->Show();
  // Until the quit message that Terminate posted is used up, here or in ProcessMessages: one left
  // in the queue would end the next modal loop (a message box) at once.
  while (!terminated_ || quit_pending_) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    HandleMessage(msg);
  }
  terminated_ = true;
  quit_pending_ = false;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Run sees the flag and ends; the message itself is used up.
      terminated_ = true;
      quit_pending_ = false;
      return;
    }
    HandleMessage(msg);
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  quit_pending_ = true;
  PostQuitMessage(0);
}

void TApplication::HandleMessage(MSG& msg) {
  try {
    if (IsDialogKey(msg)) return;
  } catch (...) {
    HandleException(std::current_exception());
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace larkwell
