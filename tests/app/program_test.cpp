// The shell's shut-down as Larkwell.exe runs it after its message loop, with the stand-in engine.
#include <gtest/gtest.h>

#include "app/download_handler.h"
#include "app/main_form.h"
#include "app/program.h"
#include "app/progress.h"
#include "engine/loader.h"
#include "enginesim/control_process.h"
#include "framework/ui/application.h"
#include "tests/framework/ui/ui_test_support.h"
#include "tests/support/engine_test.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

class ProgramTest : public LoadedEngineTest {
 protected:
  void TearDown() override {
    TCefStreamDownloadHandler::SetProgramEnding(false);
    Application().DestroyForms();
    TfrmProgress::DestroyInstance();
    LoadedEngineTest::TearDown();
  }
};

// The windows go first, so that the engine, shut down last and once, finds every reference the
// program held released; afterwards nothing reaches the engine any more.
TEST_F(ProgramTest, ShutDownClosesTheWindowsThenTheEngineOnceAndNothingAfter) {
  Application().CreateForm<TfrmMain>();
  TfrmProgress::showProgress(u"下载文件", u"正在下载，请稍候......", 10);
  PumpFor(100ms);
  ASSERT_EQ(enginesim::process_counts().initialised, 1);

  ShutDownLarkwell();

  EXPECT_EQ(Application().MainForm(), nullptr);
  EXPECT_EQ(TfrmProgress::Instance(), nullptr);
  const TSimProcessCounts counts = enginesim::process_counts();
  EXPECT_EQ(counts.shutdown, 1);
  EXPECT_EQ(counts.ledger_clean_at_shutdown, 1) << "a window still held an engine reference";
  EXPECT_EQ(CefLibraryHandle, nullptr);
  PumpFor(100ms);  // no timer of the control is left to call the engine
  EXPECT_EQ(enginesim::process_counts().message_loop_work, counts.message_loop_work);
}

}  // namespace
}  // namespace larkwell::testing
