// The progress window as the download handler drives it, on the real screen.
#include <gtest/gtest.h>

#include "app/progress.h"
#include "framework/ui/application.h"
#include "tests/framework/ui/ui_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

constexpr char16_t kText[] = u"正在下载，请稍候......";

class ProgressTest : public ::testing::Test {
 protected:
  void TearDown() override { TfrmProgress::DestroyInstance(); }
};

TEST_F(ProgressTest, HidingFirstMakesTheWindowHidden) {
  ASSERT_EQ(TfrmProgress::Instance(), nullptr);
  TfrmProgress::hideProgress();
  ASSERT_NE(TfrmProgress::Instance(), nullptr);
  EXPECT_FALSE(IsWindowVisible(TfrmProgress::Instance()->Handle()));
  EXPECT_EQ(WindowText(TfrmProgress::Instance()->Handle()), u"下载进度");
}

TEST_F(ProgressTest, ShowingSetsCaptionTextAndAClampedStepOnATopmostWindow) {
  TfrmProgress::showProgress(u"下载文件", kText, 250);
  TfrmProgress& window = *TfrmProgress::Instance();
  HWND handle = window.Handle();
  EXPECT_TRUE(IsWindowVisible(handle));
  EXPECT_NE(GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(WindowText(handle), u"下载文件");
  EXPECT_EQ(window.Label1->Caption(), kText);
  EXPECT_EQ(window.Gauge1->Progress(), 100);
  TfrmProgress::showProgress(u"下载文件", kText, -5);
  EXPECT_EQ(window.Gauge1->Progress(), 0);
  EXPECT_EQ(TfrmProgress::Instance(), &window);  // one window, never replaced
}

TEST_F(ProgressTest, TheSameStepTwicePaintsOnceButStillSetsTheTexts) {
  TfrmProgress::showProgress(u"下载文件", kText, 30);
  PumpFor(200ms);
  TfrmProgress& window = *TfrmProgress::Instance();
  const int paints = window.Gauge1->PaintCount();
  TfrmProgress::showProgress(u"第二次", u"另一行", 30);
  EXPECT_EQ(window.Gauge1->PaintCount(), paints);
  EXPECT_EQ(WindowText(window.Handle()), u"第二次");
  EXPECT_EQ(window.Label1->Caption(), u"另一行");
}

TEST_F(ProgressTest, AfterHidingItComesBackWhereItWasLeft) {
  TfrmProgress::showProgress(u"下载文件", kText, 10);
  HWND handle = TfrmProgress::Instance()->Handle();
  SetWindowPos(handle, nullptr, 21, 34, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  TfrmProgress::hideProgress();
  EXPECT_FALSE(IsWindowVisible(handle));
  // The close button only hides it too.
  TfrmProgress::showProgress(u"下载文件", kText, 20);
  SendMessageW(handle, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(handle));
  TfrmProgress::showProgress(u"下载文件", kText, 40);
  RECT bounds;
  GetWindowRect(handle, &bounds);
  EXPECT_EQ(bounds.left, 21);
  EXPECT_EQ(bounds.top, 34);
  EXPECT_EQ(TfrmProgress::Instance()->Gauge1->Progress(), 40);
}

}  // namespace
}  // namespace larkwell::testing
