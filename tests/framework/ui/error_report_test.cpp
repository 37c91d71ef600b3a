// Errors stopped in window procedures, timer procedures and creation handlers reach the default
// error report, read off the screen; an error that escapes start-up gets the last-resort report.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/exceptions.h"
#include "framework/ui/application.h"
#include "framework/ui/application_testing.h"
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

// The system's error icon, which message boxes with MB_ICONERROR show.
HICON ErrorIcon() { return LoadIconW(nullptr, MAKEINTRESOURCEW(32513) /* IDI_ERROR */); }

// The default error report as the user sees it: the application's title, the error icon and the text.
void ExpectDefaultReport(const TDialogSeen& seen, const ustring& text) {
  ASSERT_TRUE(seen.Found);
  EXPECT_EQ(seen.Caption, u"Larkwell 测试");
  EXPECT_NE(seen.Icon, nullptr);
  EXPECT_EQ(seen.Icon, ErrorIcon());
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

std::atomic<int> gQueueStage{0};  // 1: the poster is held between its two steps; 2: let it go
std::atomic<bool> gQueuedRan{false};

void HoldBetweenQueueAndWake() noexcept {
  gQueueStage = 1;
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (gQueueStage != 2 && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
}

// The user-interface thread may handle its messages at any moment while another thread hands it
// work: whenever that happens, the work must not be stranded in the queue.
TEST(QueuedWorkTest, WorkFromAnotherThreadIsQueuedBeforeTheUserInterfaceThreadIsWoken) {
  Application().ProcessMessages();
  gQueueStage = 0;
  gQueuedRan = false;
  SetQueuedWorkHookForTesting(&HoldBetweenQueueAndWake);
  std::thread poster([] { Application().RunOnUserInterfaceThread([] { gQueuedRan = true; }); });
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (gQueueStage != 1 && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
  ASSERT_EQ(gQueueStage, 1);
  // Between the two steps: everything this thread has been sent or posted so far is handled.
  Application().ProcessMessages();
  gQueueStage = 2;
  poster.join();
  SetQueuedWorkHookForTesting(nullptr);
  EXPECT_TRUE(PumpUntil([] { return gQueuedRan.load(); }, 2s)) << "the work stayed queued with nobody woken for it";
}

TEST(ErrorReportTest, AnErrorEscapingStartUpGetsTheLastResortReport) {
  TDialogWatcher watcher;
  const int code = RunProgram([] { throw EOSError(126, u"找不到指定的模块。"); });
  const TDialogSeen seen = watcher.Result();
  EXPECT_EQ(code, 1);
  ASSERT_TRUE(seen.Found);
  EXPECT_EQ(seen.Caption, u"Application Error");
  EXPECT_EQ(seen.Icon, ErrorIcon());
  ASSERT_FALSE(seen.Texts.empty());
  EXPECT_EQ(seen.Texts.back(), ustring(u"Exception EOSError in module framework_ui_tests.exe.\r\n"
                                       u"System Error.  Code: 126.\r\n找不到指定的模块。"));
  EXPECT_EQ(RunProgram([] {}), 0);
}

}  // namespace
}  // namespace larkwell::testing
