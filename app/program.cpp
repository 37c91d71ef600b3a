#include "app/program.h"

#include <exception>

#include "app/download_handler.h"
#include "app/main_form.h"
#include "app/progress.h"
#include "engine/cef_error_report.h"
#include "engine/loader.h"
#include "framework/ui/application.h"

namespace larkwell {

int RunLarkwell() noexcept {
  // Heap operations and reference counts are thread-safe in this runtime already, so the engine's
  // own threads need no switch; the progress window does not exist yet.
  const int exitCode = RunProgram([] {
    CefCachePath = u"cache";  // before the main window: the engine reads it when it starts
    Application().Initialize();
    Application().SetTitle(u"Larkwell");
    // Errors stopped at the engine boundary reach the user on this thread, after the engine's work.
    SetCefErrorReportHandler([](const std::exception_ptr& error) { Application().QueueException(error); });
    // Creating it creates the browser control, its browser and the engine, then runs FormCreate.
    Application().CreateForm<TfrmMain>();
    Application().Run();
  });
  ShutDownLarkwell();
  return exitCode;
}

void ShutDownLarkwell() noexcept {
  // The user closed the program: a download still running ends quietly from here on.
  TCefStreamDownloadHandler::SetProgramEnding(true);
  try {
    Application().DestroyForms();
  } catch (...) {
    // A form's destruction failed: say so, and still shut the engine down.
    Application().ShowLastResortError(std::current_exception());
  }
  TfrmProgress::DestroyInstance();
  SetCefErrorReportHandler({});
  CefFinalizeBinding();
}

}  // namespace larkwell
