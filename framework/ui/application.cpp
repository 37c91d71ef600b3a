#include "framework/ui/application.h"

#include <atomic>
#include <utility>
#include <vector>

#include "core/exceptions.h"
#include "framework/error_texts.h"
#include "framework/ui/application_testing.h"
#include "framework/ui/form.h"
#include "framework/ui/message_box.h"
#include "framework/ui/win_control.h"
#include "os/last_error.h"

namespace larkwell {

namespace {

// Posted to the application's message window when another thread queued work.
constexpr UINT kRunQueuedWork = WM_APP + 0x100;
constexpr wchar_t kNotifyClassName[] = L"Larkwell.TApplication";

std::atomic<TQueuedWorkHook> gQueuedWorkHook{nullptr};

ustring ModuleFileName() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ustring name = FromWide(path, length);
  if (const size_t slash = name.find_last_of(u"\\/"); slash != ustring::npos) name.erase(0, slash + 1);
  return name;
}

}  // namespace

void SetQueuedWorkHookForTesting(TQueuedWorkHook hook) noexcept { gQueuedWorkHook = hook; }

TApplication& Application() {
  static TApplication& application = *new TApplication;
  return application;
}

TApplication::TApplication() = default;

TApplication::~TApplication() {
  if (notify_window_) DestroyWindow(notify_window_);
}

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

bool TApplication::IsDialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const auto key = static_cast<UINT>(msg.wParam);
  const bool tab = key == VK_TAB;
  const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
  if (!tab && !arrow && key != VK_RETURN && key != VK_ESCAPE && key != VK_CANCEL && key != VK_EXECUTE) return false;

  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control) return false;
  if (control->Perform(CM_WANTSPECIALKEY, key, 0) != 0) return false;
  const LRESULT code = control->Perform(WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTALLKEYS) return false;
  if (tab && (code & DLGC_WANTTAB)) return false;
  if (arrow && (code & DLGC_WANTARROWS)) return false;
  if (!tab && !arrow) return false;  // no default or cancel buttons: Enter and Escape go on

  TWinControl* form = control;
  while (form->Parent()) form = form->Parent();
  std::vector<TWinControl*> order = form->TabList();
  if (order.empty()) return false;
  const bool backwards = tab ? (GetKeyState(VK_SHIFT) < 0) : (key == VK_LEFT || key == VK_UP);
  size_t at = order.size();
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == control) at = i;
  }
  size_t next;
  if (at == order.size()) {
    next = backwards ? order.size() - 1 : 0;
  } else {
    next = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
  }
  order[next]->SetFocus();
  return true;
}

// ---- error reports -------------------------------------------------------------------------

void TApplication::HandleException(const std::exception_ptr& error) noexcept {
  if (!error) return;
  if (!OnUserInterfaceThread()) {
    QueueException(error);
    return;
  }
  try {
    ++reports_shown_;
    ShowMessageBox(GetActiveWindow(), DefaultErrorReportText(error), title_, MB_OK | MB_ICONERROR);
  } catch (...) {
    // Out of memory while making the text: nothing more can be said.
  }
}

void TApplication::QueueException(const std::exception_ptr& error) noexcept {
  if (error) Post([this, error] { HandleException(error); });
}

void TApplication::RunOnUserInterfaceThread(std::function<void()> work) noexcept {
  if (!OnUserInterfaceThread()) {
    Post(std::move(work));
    return;
  }
  try {
    work();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

void TApplication::Post(std::function<void()> work) noexcept {
  // Queued first, woken second: a wake-up that came first could find the queue empty and leave
  // this work there until some later wake-up, or for ever.
  try {
    std::lock_guard lock(queue_lock_);
    queued_work_.push_back(std::move(work));
  } catch (...) {
    return;
  }
  if (const TQueuedWorkHook hook = gQueuedWorkHook.load()) hook();
  if (notify_window_) PostMessageW(notify_window_, kRunQueuedWork, 0, 0);
}

void TApplication::RunQueuedWork() noexcept {
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard lock(queue_lock_);
      if (queued_work_.empty()) return;
      work = std::move(queued_work_.front());
      queued_work_.pop_front();
    }
    try {
      work();
    } catch (...) {
      HandleException(std::current_exception());
    }
  }
}

LRESULT CALLBACK TApplication::NotifyWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == kRunQueuedWork) {
    Application().RunQueuedWork();
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

void TApplication::ShowLastResortError(const std::exception_ptr& error) noexcept {
  try {
    ++reports_shown_;
    ShowMessageBox(nullptr, LastResortReportText(error, ModuleFileName()), kLastResortCaption,
                   MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
  }
}

int RunProgram(const std::function<void()>& program) noexcept {
  try {
    Application().Initialize();
    program();
    return 0;
  } catch (...) {
    Application().ShowLastResortError(std::current_exception());
    return 1;
  }
}

}  // namespace larkwell
