// Errors stopped in window procedures, timer procedures and creation handlers reach the default
// error report, read off the screen; an error that escapes start-up gets the last-resort report.
#include <gtest/gtest.h>

#include <thread>

#include "core/exceptions.h"
#include "framework/ui/application.h"
#include "framework/ui/timer_proc.h"
#include "tests/framework/ui/test_forms.h"
#include "tests/framework/ui/ui_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kOneControl[] = R"(object frmErrors: TTestForm
  ClientHeight = 100
  ClientWidth = 200
  OnCreate = FormCreate
  object Control: TTestControl
    Width = 50
    Height = 50
  end
end
)";

// The default error report as the user sees it: the application's title and the text.
void ExpectDefaultReport(const TDialogSeen& seen, const ustring& text) {
  ASSERT_TRUE(seen.Found);
  EXPECT_EQ(seen.Caption, u"Larkwell 测试");
  ASSERT_FALSE(seen.Texts.empty());
  EXPECT_EQ(seen.Texts.back(), text);
}

TEST(ErrorReportTest, AnErrorInAWindowProcedureIsShownAndTheProgramGoesOn) {
  TTestForm form(kOneControl);
  form.Show();
  HWND control = form.Child<TTestControl>(u"Control").Handle();
  TDialogWatcher watcher;
  const int shown = Application().ReportsShown();
  const LRESULT answer = SendMessageW(control, kThrowMessage, 0, 0);
  EXPECT_EQ(Application().ReportsShown(), shown + 1);
  ExpectDefaultReport(watcher.Result(), u"thrown in a window procedure.");
  EXPECT_EQ(answer, 0);
  // Still alive and answering.
  EXPECT_TRUE(IsWindow(control));
  EXPECT_EQ(SendMessageW(control, WM_NULL, 0, 0), 0);
}

UINT_PTR gTimer = 0;
int gTicks = 0;
void ThrowingTick() {
  ++gTicks;
  KillTimer(nullptr, gTimer);
  throw Exception(u"计时器出错");
}

TEST(ErrorReportTest, AnErrorInATimerProcedureIsShown) {
  const int shown = Application().ReportsShown();
  TDialogWatcher watcher;
  gTimer = SetTimer(nullptr, 0, 10, &GuardedTimerProc<&ThrowingTick>);
  ASSERT_NE(gTimer, 0u);
  EXPECT_TRUE(PumpUntil([&] { return Application().ReportsShown() > shown; }));
  ExpectDefaultReport(watcher.Result(), u"计时器出错.");
  EXPECT_EQ(gTicks, 1);
}

TEST(ErrorReportTest, AnErrorInTheCreationHandlerIsShownAndTheFormIsBuiltAllTheSame) {
  TDialogWatcher watcher;
  TTestForm form(kOneControl, [](TTestForm&) { throw EFCreateError(u"C:\\x.xls", u"拒绝访问。"); });
  ExpectDefaultReport(watcher.Result(), u"Cannot create file \"C:\\x.xls\". 拒绝访问。.");
  EXPECT_EQ(form.CreateCalls, 1);
  EXPECT_NE(form.FindComponent(u"Control"), nullptr);
}

TEST(ErrorReportTest, AnErrorFromAnotherThreadIsShownOnTheUserInterfaceThread) {
  const int shown = Application().ReportsShown();
  TDialogWatcher watcher;
  DWORD reportedOn = 0;
  std::thread worker([&] {
    reportedOn = GetCurrentThreadId();
    Application().HandleException(std::make_exception_ptr(std::runtime_error("from a worker")));
  });
  worker.join();
  EXPECT_EQ(Application().ReportsShown(), shown);  // not on the worker
  EXPECT_TRUE(PumpUntil([&] { return Application().ReportsShown() > shown; }));
  ExpectDefaultReport(watcher.Result(), u"from a worker.");
  EXPECT_NE(reportedOn, GetCurrentThreadId());
}

TEST(ErrorReportTest, AnErrorEscapingStartUpGetsTheLastResortReport) {
  TDialogWatcher watcher;
  const int code = RunProgram([] { throw EOSError(126, u"找不到指定的模块。"); });
  const TDialogSeen seen = watcher.Result();
  EXPECT_EQ(code, 1);
  ASSERT_TRUE(seen.Found);
  EXPECT_EQ(seen.Caption, u"Application Error");
  ASSERT_FALSE(seen.Texts.empty());
  EXPECT_EQ(seen.Texts.back(), ustring(u"Exception EOSError in module framework_ui_tests.exe.\r\n"
                                       u"System Error.  Code: 126.\r\n找不到指定的模块。"));
  EXPECT_EQ(RunProgram([] {}), 0);
}

}  // namespace
}  // namespace larkwell::testing
