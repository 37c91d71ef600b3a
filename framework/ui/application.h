// The application object: its title, its forms, the message loop and the error reports.
//
// One per process (Application()), used on the user-interface thread: the thread that first
// calls Initialize. Only QueueException may be called from any thread.
#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "core/ustring.h"
#include "framework/forms/component.h"
#include "framework/ui/win32.h"

namespace larkwell {

class TForm;

class TApplication : public TComponent {
 public:
  TApplication();
  // Never runs (Application() never destroys its object): the hidden window goes with the process.
  ~TApplication() override = default;

  // Binds the application to the calling thread (the user-interface thread) and makes its
  // hidden message window. Further calls do nothing.
  void Initialize();

  // The text of the application's task-bar entry and the caption of its error report.
  const ustring& Title() const noexcept { return title_; }
  void SetTitle(ustring title) { title_ = std::move(title); }

  // The first form created; closing it ends Run. Null again once that form is destroyed.
  TForm* MainForm() const noexcept { return main_form_; }

  // Creates a form of class F owned by the application (F's constructor reads its stored
  // description and runs its creation handler); the first one becomes the main form.
  template <class F, class... A>
  F& CreateForm(A&&... args) {
    auto form = std::make_unique<F>(std::forward<A>(args)...);
    F& made = *form;
    InsertComponent(std::move(form));
    if (!main_form_) main_form_ = &made;
    return made;
  }
  // Destroys every form the application owns, the last made first.
  void DestroyForms();

  // Shows the main form and runs the message loop until Terminate (closing the main form).
  // The main form is not destroyed when the loop ends.
  void Run();
  // Handles every message waiting for this thread, then returns.
  void ProcessMessages();
  // Ends the message loop once the messages before it are handled.
  void Terminate();
  bool Terminated() const noexcept { return terminated_; }

  // The default error report: a message box with the title as caption, the error icon, an OK
  // button, and the text of DefaultErrorReportText. On the user-interface thread it is shown at
  // once; from another thread it is queued as by QueueException. Never throws.
  void HandleException(const std::exception_ptr& error) noexcept;
  // Hands an error to the user-interface thread, which shows it with the default error report
  // when it next handles messages. Safe from any thread; never throws.
  void QueueException(const std::exception_ptr& error) noexcept;
  // Runs `work` on the user-interface thread: at once when called there, else when that thread
  // next handles messages. Safe from any thread; never throws (work that cannot be queued, for
  // lack of memory, is dropped). What `work` throws goes to the default error report.
  void RunOnUserInterfaceThread(std::function<void()> work) noexcept;

  // The last-resort report for an error that escaped start-up: a task-modal box titled
  // "Application Error" with the error icon, naming the kind of error and its message.
  void ShowLastResortError(const std::exception_ptr& error) noexcept;

  // ---- for tests and diagnostics ----
  // How many error reports have been shown.
  int ReportsShown() const noexcept { return reports_shown_; }

 private:
  friend class TForm;

  bool OnUserInterfaceThread() const noexcept;
  // Tab, arrows, Enter and Escape: asks the control whether it wants the key, else moves the
  // focus through the form's tab order. True when the key was used that way.
  bool IsDialogKey(const MSG& msg);
  // One message: dialog keys first, then translated and dispatched.
  void HandleMessage(MSG& msg);
  // Queues work for the user-interface thread and wakes it.
  void Post(std::function<void()> work) noexcept;
  void RunQueuedWork() noexcept;
  static LRESULT CALLBACK NotifyWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;

  void FormDestroyed(TForm& form) noexcept;

  ustring title_;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  bool quit_pending_ = false;  // Terminate's quit message is still in the queue
  DWORD ui_thread_ = 0;
  HWND notify_window_ = nullptr;  // message-only; errors from other threads are posted to it
  std::mutex queue_lock_;
  std::deque<std::function<void()>> queued_work_;  // for the user-interface thread
  int reports_shown_ = 0;
};

// The application object of the process. Never destroyed: windows and engine threads may report
// errors while the process ends.
TApplication& Application();

// Runs the program's start-up and message loop; an exception that escapes them gets the
// last-resort report. Answers the exit code: 0, or 1 after a last-resort report.
int RunProgram(const std::function<void()>& program) noexcept;

}  // namespace larkwell
