// The error reports: the default one (a message box on the user-interface thread, queued there
// from other threads) and the last-resort one for an error that escaped start-up.
#include <exception>

#include "core/exceptions.h"
#include "framework/error_texts.h"
#include "framework/ui/application.h"
#include "framework/ui/message_box.h"

namespace larkwell {

namespace {

ustring ModuleFileName() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ustring name = FromWide(path, length);
  if (const size_t slash = name.find_last_of(u"\\/"); slash != ustring::npos) name.erase(0, slash + 1);
  return name;
}

}  // namespace

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
