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

// What the shipped description (app/forms/progress.lfm, carried by this program as by the shell)
// makes: a small tool window, the label in a Chinese font of its own, a navy gauge.
TEST_F(ProgressTest, TheShippedDescriptionMakesASmallToolWindowWithAChineseLabelAndANavyGauge) {
  TfrmProgress::hideProgress();
  TfrmProgress& window = *TfrmProgress::Instance();
  EXPECT_NE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  RECT client{};
  GetClientRect(window.Handle(), &client);
  EXPECT_EQ(client.right, 414);
  EXPECT_EQ(client.bottom, 163);
  EXPECT_EQ(window.Color(), clBtnFace);
  EXPECT_FALSE(window.Label1->ParentFont());
  EXPECT_EQ(window.Label1->Font().Name, u"微软雅黑");
  EXPECT_EQ(window.Label1->Font().Height, -16);
  EXPECT_EQ(window.Label1->Font().Charset, fcGb2312);
  EXPECT_EQ(window.Label1->Font().Color, clBlack);
  EXPECT_EQ(window.Gauge1->Left(), 8);
  EXPECT_EQ(window.Gauge1->Top(), 64);
  EXPECT_EQ(window.Gauge1->Width(), 400);
  EXPECT_EQ(window.Gauge1->Height(), 41);
  EXPECT_EQ(window.Gauge1->ForeColor(), clNavy);
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

// Raised over another stay-on-top window that came up after it, at the next call that is due;
// due every 10 ms, as lively as the engine's own pump (pinned here, not read from the code).
TEST_F(ProgressTest, TheNextDueCallBringsItOverAnotherTopWindow) {
  EXPECT_EQ(TfrmProgress::kServeInterval, std::chrono::milliseconds(10));
  TfrmProgress::showProgress(u"下载文件", kText, 1);
  HWND progress = TfrmProgress::Instance()->Handle();
  HWND other = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0,
                               50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  // Which of the two stands higher, reading the windows from the top.
  auto progressOnTop = [&] {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == progress) return true;
      if (w == other) return false;
    }
    return false;
  };
  EXPECT_FALSE(progressOnTop());
  Sleep(30);
  TfrmProgress::showProgress(u"下载文件", kText, 2);
  const bool raised = progressOnTop();
  DestroyWindow(other);
  EXPECT_TRUE(raised);
}

// Whether a message posted to this thread is still waiting.
bool Waiting(UINT message) {
  MSG msg;
  return PeekMessageW(&msg, nullptr, message, message, PM_NOREMOVE) != 0;
}

// Waiting messages are handled when the window appears and then at most every serve interval,
// never left for longer; the texts and the bar follow every call.
TEST_F(ProgressTest, WaitingMessagesAreHandledWhenItAppearsAndThenOncePerServeInterval) {
  constexpr UINT kProbe = WM_APP + 7;
  PostThreadMessageW(GetCurrentThreadId(), kProbe, 0, 0);
  TfrmProgress::showProgress(u"下载文件", kText, 1);
  EXPECT_FALSE(Waiting(kProbe)) << "not handled when the window appeared";

  // A call right after a served one leaves the queue alone (tried a few times: a loaded
  // machine may let the interval pass between the two calls).
  bool leftAlone = false;
  for (int attempt = 0; attempt < 5 && !leftAlone; ++attempt) {
    Sleep(static_cast<DWORD>(TfrmProgress::kServeInterval.count()) + 5);
    TfrmProgress::showProgress(u"下载文件", kText, 2);  // due: served
    const auto served = std::chrono::steady_clock::now();
    PostThreadMessageW(GetCurrentThreadId(), kProbe, 0, 0);
    TfrmProgress::showProgress(u"下载文件", u"新的一行", 3 + attempt);
    const bool quick = std::chrono::steady_clock::now() - served < TfrmProgress::kServeInterval;
    leftAlone = quick && Waiting(kProbe);
    if (quick) {
      EXPECT_TRUE(Waiting(kProbe)) << "an empty-handed call asked the queue";
    }
    EXPECT_EQ(TfrmProgress::Instance()->Label1->Caption(), u"新的一行");
    EXPECT_EQ(TfrmProgress::Instance()->Gauge1->Progress(), 3 + attempt);
  }
  EXPECT_TRUE(leftAlone);

  Sleep(static_cast<DWORD>(TfrmProgress::kServeInterval.count()) + 5);
  TfrmProgress::showProgress(u"下载文件", kText, 50);
  EXPECT_FALSE(Waiting(kProbe)) << "not handled once the interval had passed";

  // Hidden by the user, it appears again with the next call and is served at once.
  SendMessageW(TfrmProgress::Instance()->Handle(), WM_CLOSE, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), kProbe, 0, 0);
  TfrmProgress::showProgress(u"下载文件", kText, 51);
  EXPECT_TRUE(IsWindowVisible(TfrmProgress::Instance()->Handle()));
  EXPECT_FALSE(Waiting(kProbe));
}

}  // namespace
}  // namespace larkwell::testing
