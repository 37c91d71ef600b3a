// Forms built from their stored descriptions, shown as real windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/forms/form_reader.h"
#include "framework/forms/form_writer.h"
#include "framework/ui/application.h"
#include "tests/framework/ui/test_forms.h"
#include "tests/framework/ui/ui_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

class FormTest : public ::testing::Test {
 protected:
  void TearDown() override { Application().DestroyForms(); }
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT ClientOf(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r;
}

// Whether the window was zoomed each time it became visible: a maximised form must never be
// seen at its design size first, not even for a moment.
struct ShownStates {
  static inline HWND Watched = nullptr;
  static inline std::vector<bool> ZoomedWhenShown;
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == Watched && message->message == WM_WINDOWPOSCHANGED) {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(message->lParam);
      if (position->flags & SWP_SHOWWINDOW) ZoomedWhenShown.push_back(IsZoomed(message->hwnd) != FALSE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

TEST_F(FormTest, TheMainFormHasWhatItsDescriptionSays) {
  auto& form = Application().CreateForm<TTestForm>(StoredForm(L"MAIN_TEST"));
  EXPECT_EQ(Application().MainForm(), &form);
  EXPECT_EQ(form.Name(), u"frmMainTest");

  // The creation handler ran once, after the children were read, with the form as Sender.
  EXPECT_EQ(form.CreateCalls, 1);
  EXPECT_EQ(form.CreatedWithChildren, 1);
  EXPECT_EQ(form.Sender, &form);

  // Before it is shown the window has the design client size (96 dpi here).
  HWND window = form.Handle();
  EXPECT_TRUE(SameRect(ClientOf(window), RECT{0, 0, 784, 481}));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(WindowText(window), u"Larkwell 测试");
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, DWORD{WS_OVERLAPPEDWINDOW});
  EXPECT_EQ(style & WS_CHILD, 0u);
  EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0u);
  EXPECT_NE(exStyle & WS_EX_APPWINDOW, 0u);  // a task-bar entry

  EXPECT_EQ(form.Color(), clBtnFace);
  LOGFONTW font{};
  GetObjectW(form.FontHandle(), sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
  EXPECT_EQ(font.lfHeight, -11);
  EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);

  ShownStates::Watched = window;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, ShownStates::Hook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  form.Show();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(ShownStates::ZoomedWhenShown, std::vector<bool>{true});
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_GT(form.ClientWidth(), 784);

  // The child paints the colour its description gives.
  auto& panel = form.Child<TTestControl>(u"pnlClient");
  PumpFor(200ms);
  const TPixels pixels = GrabClient(panel.Handle());
  ASSERT_GT(pixels.Width, 10);
  EXPECT_EQ(pixels.At(pixels.Width / 2, pixels.Height / 2), Rgb(255, 255, 255));
}

TEST_F(FormTest, AnAlignedChildFillsTheClientAreaAndFollowsEveryResize) {
  auto& form = Application().CreateForm<TTestForm>(StoredForm(L"MAIN_TEST"));
  auto& panel = form.Child<TTestControl>(u"pnlClient");
  form.SetWindowState(TWindowState::wsNormal);
  form.Show();
  const auto expectFilled = [&](const char* when) {
    RECT inForm;
    GetWindowRect(panel.Handle(), &inForm);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&inForm), 2);
    EXPECT_TRUE(SameRect(inForm, ClientOf(form.Handle()))) << when;
    ASSERT_FALSE(panel.Resizes.empty()) << when;
    EXPECT_TRUE(SameRect(panel.Resizes.back(), ClientOf(form.Handle()))) << when;
  };
  expectFilled("shown");
  for (const SIZE size : {SIZE{500, 300}, SIZE{901, 533}, SIZE{320, 200}}) {
    const size_t before = panel.Resizes.size();
    form.SetBounds(10, 10, size.cx, size.cy);
    EXPECT_GT(panel.Resizes.size(), before);
    expectFilled(std::to_string(size.cx).c_str());
  }
  form.SetWindowState(TWindowState::wsMaximized);
  expectFilled("maximised");
}

// Every alignment takes its share of what the earlier ones left free, in the order top, bottom,
// left, right, client; unaligned children follow the edges they are anchored to.
TEST_F(FormTest, AlignedChildrenShareTheFreeAreaAndAnchoredChildrenFollowTheirEdges) {
  TTestForm form(R"(object frmAligned: TTestForm
  ClientHeight = 300
  ClientWidth = 400
  object pnlTop: TTestControl
    Left = 50
    Top = 60
    Width = 10
    Height = 30
    Align = alTop
  end
  object pnlHidden: TTestControl
    Height = 25
    Align = alTop
    Visible = False
  end
  object pnlBottom: TTestControl
    Left = 1
    Top = 2
    Width = 10
    Height = 20
    Align = alBottom
  end
  object pnlLeft: TTestControl
    Width = 40
    Height = 5
    Align = alLeft
  end
  object pnlRight: TTestControl
    Width = 50
    Height = 5
    Align = alRight
  end
  object pnlClient: TTestControl
    Width = 5
    Height = 5
    Align = alClient
  end
  object pnlCorner: TTestControl
    Left = 300
    Top = 200
    Width = 20
    Height = 10
    Anchors = [akRight, akBottom]
  end
  object pnlStretched: TTestControl
    Left = 100
    Top = 100
    Width = 80
    Height = 60
    Anchors = [akLeft, akTop, akRight, akBottom]
  end
  object pnlRightEdge: TTestControl
    Left = 200
    Top = 150
    Width = 10
    Height = 10
    Anchors = [akTop, akRight]
  end
  object pnlFixed: TTestControl
    Left = 60
    Top = 70
    Width = 8
    Height = 9
  end
end
)");
  ASSERT_TRUE(SameRect(ClientOf(form.Handle()), RECT{0, 0, 400, 300}));
  // Where a child's window is, as left, top, width, height in the form's client area.
  const auto placed = [&](const char16_t* name) {
    RECT r;
    GetWindowRect(form.Child<TTestControl>(name).Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  using Box = std::vector<LONG>;
  for (const SIZE grown : {SIZE{0, 0}, SIZE{100, 50}, SIZE{-60, -40}}) {
    SCOPED_TRACE(std::to_string(grown.cx) + " x " + std::to_string(grown.cy));
    form.SetClientWidth(400 + grown.cx);
    form.SetClientHeight(300 + grown.cy);
    const RECT client = ClientOf(form.Handle());
    ASSERT_TRUE(SameRect(client, RECT{0, 0, 400 + grown.cx, 300 + grown.cy}));
    const LONG w = client.right, h = client.bottom;
    EXPECT_EQ(placed(u"pnlTop"), (Box{0, 0, w, 30}));  // its own height, the free width
    EXPECT_EQ(placed(u"pnlBottom"), (Box{0, h - 20, w, 20}));
    EXPECT_EQ(placed(u"pnlLeft"), (Box{0, 30, 40, h - 50}));  // its own width, the height left
    EXPECT_EQ(placed(u"pnlRight"), (Box{w - 50, 30, 50, h - 50}));
    EXPECT_EQ(placed(u"pnlClient"), (Box{40, 30, w - 90, h - 50}));
    EXPECT_EQ(placed(u"pnlCorner"), (Box{300 + grown.cx, 200 + grown.cy, 20, 10}));
    EXPECT_EQ(placed(u"pnlStretched"), (Box{100, 100, 80 + grown.cx, 60 + grown.cy}));
    EXPECT_EQ(placed(u"pnlRightEdge"), (Box{200 + grown.cx, 150, 10, 10}));
    EXPECT_EQ(placed(u"pnlFixed"), (Box{60, 70, 8, 9}));
  }
}

// A label is made showing its parent's colour, a form hidden; that is what their stored forms leave out.
TEST_F(FormTest, ALabelsParentColourSurvivesWritingAndReadingItsForm) {
  constexpr char kLabelForm[] = R"(object frmLabel: TTestForm
  ClientHeight = 100
  ClientWidth = 200
  object lblText: TLabel
    Left = 8
    Top = 8
    Caption = 'text'
  end
end
)";
  EXPECT_TRUE(TTestForm(kLabelForm).Child<TLabel>(u"lblText").ParentColor());
  for (const bool parentColour : {true, false}) {
    TTestForm form(kLabelForm);
    auto& label = form.Child<TLabel>(u"lblText");
    label.SetParentColor(parentColour);
    const std::string written = WriteForm(form);
    TTestForm read(written);
    EXPECT_EQ(read.Child<TLabel>(u"lblText").ParentColor(), parentColour) << written;
    EXPECT_EQ(read.Child<TLabel>(u"lblText").Color(), label.Color()) << written;
    // A form is made hidden too: its hidden state is no value of its own to write.
    EXPECT_EQ(written.find("\n  Visible ="), std::string::npos) << written;
  }
}

TEST_F(FormTest, TheToolWindowIsThinFixedTopmostAndOffTheTaskBarAndComesBackWhereItWasLeft) {
  auto main = std::make_unique<TTestForm>(StoredForm(L"MAIN_TEST"));
  // Made without owner: whoever made it frees it.
  auto tool = std::make_unique<TTestForm>(StoredForm(L"TOOL_TEST"));
  EXPECT_NE(Application().MainForm(), tool.get());
  HWND window = tool->Handle();
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), DWORD{WS_CAPTION | WS_SYSMENU});
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0u);
  EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0u);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0u);
  EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0u);
  EXPECT_TRUE(SameRect(ClientOf(window), RECT{0, 0, 414, 163}));
  EXPECT_EQ(WindowText(window), u"下载进度");

  // The label is sized to its text in its own font.
  auto& label = tool->Child<TLabel>(u"Label1");
  LOGFONTW font{};
  GetObjectW(label.FontHandle(), sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"微软雅黑");
  EXPECT_EQ(font.lfHeight, -16);
  EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
  const SIZE text = MeasureText(label.Caption(), label.FontHandle());
  EXPECT_EQ(label.Width(), text.cx);
  EXPECT_EQ(label.Height(), text.cy);
  EXPECT_EQ(label.Left(), 8);
  EXPECT_EQ(label.Top(), 37);
  EXPECT_EQ(tool->Child<TGauge>(u"Gauge1").Progress(), 20);
  // Its window text is the caption, also after a change, for tools that read windows.
  EXPECT_EQ(WindowText(label.Handle()), label.Caption());
  label.SetCaption(u"正在下载");
  EXPECT_EQ(WindowText(label.Handle()), u"正在下载");

  // Centred on the desktop at first showing.
  tool->Show();
  RECT bounds;
  GetWindowRect(window, &bounds);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((bounds.left + bounds.right) / 2, screenWidth / 2, 1);
  EXPECT_NEAR((bounds.top + bounds.bottom) / 2, screenHeight / 2, 1);

  // Moved by the user, closed (only hidden) and shown again: where it was left.
  SetWindowPos(window, nullptr, 33, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  tool->Show();
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.left, 33);
  EXPECT_EQ(bounds.top, 44);
}

TEST_F(FormTest, DesignSizesAreScaledToTheDesktopsDpi) {
  // Designed at 48 dpi, shown at 96: everything twice as large.
  const std::string description = R"(object frmScaled: TTestForm
  ClientHeight = 100
  ClientWidth = 200
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 48
  object pnlLeft: TTestControl
    Left = 5
    Top = 6
    Width = 50
    Height = 40
    Font.Height = -8
    ParentFont = False
  end
end
)";
  TTestForm form(description);
  EXPECT_EQ(form.PixelsPerInch(), 96);
  EXPECT_TRUE(SameRect(ClientOf(form.Handle()), RECT{0, 0, 400, 200}));
  auto& panel = form.Child<TTestControl>(u"pnlLeft");
  EXPECT_EQ(panel.Left(), 10);
  EXPECT_EQ(panel.Top(), 12);
  EXPECT_EQ(panel.Width(), 100);
  EXPECT_EQ(panel.Height(), 80);
  EXPECT_EQ(panel.Font().Height, -16);
  EXPECT_EQ(form.Font().Height, -22);
}

TEST_F(FormTest, ClosingTheMainFormEndsTheMessageLoopAndKeepsTheWindow) {
  auto& form = Application().CreateForm<TTestForm>(StoredForm(L"MAIN_TEST"));
  HWND window = form.Handle();
  std::thread closer([window] {
    for (int i = 0; i < 500 && !IsWindowVisible(window); ++i) std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(100ms);
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  const auto started = std::chrono::steady_clock::now();
  Application().Run();
  closer.join();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  EXPECT_TRUE(Application().Terminated());
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(Application().MainForm(), &form);
}

TEST_F(FormTest, OwnedComponentsGoWithTheirFormAndTheNextFormBecomesMain) {
  auto* form = &Application().CreateForm<TTestForm>(StoredForm(L"MAIN_TEST"));
  HWND child = form->Child<TTestControl>(u"pnlClient").Handle();
  const int destroyed = TTestControl::Destroyed();
  Application().DestroyForms();
  EXPECT_EQ(TTestControl::Destroyed(), destroyed + 1);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(Application().MainForm(), nullptr);
  auto& next = Application().CreateForm<TTestForm>(StoredForm(L"MAIN_TEST"));
  EXPECT_EQ(Application().MainForm(), &next);
}

TEST_F(FormTest, AFaultyDescriptionIsRaisedAndLeavesNothingBehind) {
  const int destroyed = TTestControl::Destroyed();
  EXPECT_THROW(TTestForm(R"(object f: TTestForm
  object p: TTestControl
    Colour = clRed
  end
end
)"),
               EFormError);
  EXPECT_EQ(TTestControl::Destroyed(), destroyed + 1);
  EXPECT_EQ(Application().MainForm(), nullptr);
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

TEST(ProgramResourcesTest, TheProgramIsDpiAwareAndCarriesItsManifestAndVersion) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC manifest = FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(self, manifest))),
                         SizeofResource(self, manifest));
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(text.find("<dpiAware"), std::string::npos);
  EXPECT_TRUE(IsProcessDPIAware());
  EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)), nullptr);  // the version
}

}  // namespace
}  // namespace larkwell::testing
