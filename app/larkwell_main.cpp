// Larkwell.exe: start-up and shut-down, in a fixed order.
//
// The order is kept by this one function, step by step, rather than by the order in which the
// runtime constructs static objects (which depends on link order): nothing here is a static
// object with work to do, and no static object holds an engine reference.
#include <exception>

#include "app/download_handler.h"
#include "app/main_form.h"
#include "app/progress.h"
#include "engine/cef_error_report.h"
#include "engine/loader.h"
#include "framework/ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace larkwell;
  // Start-up. Heap operations and reference counts are thread-safe in this runtime already, so
  // the engine's own threads need no switch; the progress window does not exist yet.
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
  // Shut-down, also after a failed start: the main window with its control, the progress
  // window if it was ever made, then the engine, exactly once, at the very end.
  // The user closed the program: a download still running ends quietly from here on.
  TCefStreamDownloadHandler::SetProgramEnding(true);
  Application().DestroyForms();
  TfrmProgress::DestroyInstance();
  SetCefErrorReportHandler({});
  CefFinalizeBinding();
  return exitCode;
}
