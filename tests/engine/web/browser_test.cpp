// ICefBrowser through TCefBrowserRef, against the stand-in's browser.
#include <array>
#include <cstring>
#include <vector>

#include "tests/engine/web/web_test.h"

// Found by argument-dependent lookup, so they live beside TSimEvent.
static bool operator==(const TSimEvent& a, const TSimEvent& b) {
  return a.kind == b.kind && std::memcmp(a.args, b.args, sizeof a.args) == 0;
}
[[maybe_unused]] static void PrintTo(const TSimEvent& event, std::ostream* out) {
  *out << "{" << event.kind << ": " << event.args[0] << "," << event.args[1] << "," << event.args[2]
       << "," << event.args[3] << "," << event.args[4] << "}";
}

namespace larkwell::testing {
namespace {

TCefWindowHandle Handle(uintptr_t value) { return reinterpret_cast<TCefWindowHandle>(value); }

class BrowserTest : public EngineTest {
 protected:
  void TearDown() override {
    browser.Reset();
    EngineTest::TearDown();
  }
  IPtr<ICefBrowser> browser = MakeBrowser();
};

// Methods that only tell the engine something: each reaches its own member and no other.
struct Command {
  const char* key;
  void (ICefBrowser::*method)();
};
constexpr Command kCommands[] = {
    {"parent_window_will_close", &ICefBrowser::ParentWindowWillClose},
    {"close_browser", &ICefBrowser::CloseBrowser},
    {"reload", &ICefBrowser::Reload},
    {"reload_ignore_cache", &ICefBrowser::ReloadIgnoreCache},
    {"stop_load", &ICefBrowser::StopLoad},
    {"clear_history", &ICefBrowser::ClearHistory},
    {"show_dev_tools", &ICefBrowser::ShowDevTools},
    {"close_dev_tools", &ICefBrowser::CloseDevTools},
};

TEST_F(BrowserTest, EachCommandReachesItsOwnMember) {
  for (const Command& command : kCommands) {
    IPtr<ICefBrowser> fresh = MakeBrowser();
    ((*fresh).*command.method)();
    for (const Command& other : kCommands) {
      EXPECT_EQ(Recorded(fresh, other.key), &other == &command ? 1 : 0)
          << "after calling the method for " << command.key << ", count of " << other.key;
    }
  }
}

TEST_F(BrowserTest, DevToolsOpenAndClose) {
  browser->ShowDevTools();
  EXPECT_EQ(Recorded(browser, "dev_tools_open"), 1);
  browser->CloseDevTools();
  EXPECT_EQ(Recorded(browser, "dev_tools_open"), 0);
}

TEST_F(BrowserTest, HistoryMovesTheMainFrameBackAndForth) {
  EXPECT_FALSE(browser->CanGoBack());
  EXPECT_FALSE(browser->CanGoForward());
  IPtr<ICefFrame> main = browser->GetMainFrame();
  for (const ustring url : {u"about:a", u"about:b", u"about:c"}) main->LoadUrl(url);

  EXPECT_TRUE(browser->CanGoBack());
  EXPECT_FALSE(browser->CanGoForward());
  browser->GoBack();
  browser->GoBack();
  EXPECT_EQ(main->GetUrl(), u"about:a");
  EXPECT_FALSE(browser->CanGoBack());
  EXPECT_TRUE(browser->CanGoForward());
  browser->GoForward();
  EXPECT_EQ(main->GetUrl(), u"about:b");
  EXPECT_TRUE(browser->CanGoBack());

  browser->ClearHistory();
  EXPECT_FALSE(browser->CanGoBack());
  EXPECT_FALSE(browser->CanGoForward());
  EXPECT_EQ(main->GetUrl(), u"about:b");
}

TEST_F(BrowserTest, FixedAnswersComeFromTheBrowsersCreation) {
  for (const TSimBrowserSetup& setup : {TSimBrowserSetup{Handle(0x1000), Handle(0x2000), nullptr, 1, 0, 0},
                                        TSimBrowserSetup{Handle(0x3000), nullptr, nullptr, 0, 1, 0}}) {
    IPtr<ICefBrowser> made = MakeBrowser(setup);
    EXPECT_EQ(made->GetWindowHandle(), setup.window);
    EXPECT_EQ(made->GetOpenerWindowHandle(), setup.opener_window);
    EXPECT_EQ(made->IsPopup(), setup.popup != 0);
    EXPECT_EQ(made->IsWindowRenderingDisabled(), setup.window_rendering_disabled != 0);
  }
}

TEST_F(BrowserTest, HasDocumentOnceTheMainFrameLoaded) {
  AddFrame(browser, "side")->LoadString(u"<p>side</p>", u"http://side/");
  EXPECT_FALSE(browser->HasDocument());
  browser->GetMainFrame()->LoadString(u"<p>main</p>", u"http://main/");
  EXPECT_TRUE(browser->HasDocument());
}

TEST_F(BrowserTest, GetClientAnswersTheProgramsClient) {
  IPtr<TTestClient> client = New<TTestClient>();
  TSimBrowserSetup setup{};
  setup.client = CefWrap<TCefClient>(client);  // the browser takes this reference over
  IPtr<ICefBrowser> with_client = MakeBrowser(setup);
  IPtr<ICefBase> answer = with_client->GetClient();
  ASSERT_TRUE(answer);
  EXPECT_EQ(StructureOf(answer), client->Data());
  EXPECT_EQ(client->RefCount(), 3);  // the test, the browser, the answer's wrapper

  EXPECT_FALSE(browser->GetClient());
}

TEST_F(BrowserTest, FramesByNameAndInTheEnginesOrder) {
  ASSERT_TRUE(AddFrame(browser, "inner", AddFrame(browser, "left")));
  EXPECT_FALSE(AddFrame(browser, "left")) << "a frame name is taken once";

  IPtr<ICefFrame> inner = browser->GetFrame(u"inner");
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->GetName(), u"inner");
  EXPECT_EQ(inner->GetParent()->GetName(), u"left");
  EXPECT_FALSE(browser->GetFrame(u"nowhere"));

  TStrings names{u"kept"};
  browser->GetFrameNames(names);
  EXPECT_EQ(names, (TStrings{u"kept", u"", u"left", u"inner"}));  // the main frame is unnamed
}

TEST_F(BrowserTest, FrameNamesOfALoneUnnamedMainFrame) {
  TStrings names{u"a", u"b"};
  browser->GetFrameNames(names);
  EXPECT_EQ(names, (TStrings{u"a", u"b", u""}));
}

TEST_F(BrowserTest, EveryFrameResultIsANewWrapperOfTheSameEngineFrame) {
  IPtr<ICefFrame> first = browser->GetMainFrame();
  IPtr<ICefFrame> second = browser->GetMainFrame();
  EXPECT_NE(first.get(), second.get());
  EXPECT_EQ(StructureOf(first), StructureOf(second));
  EXPECT_TRUE(first->IsMain());
  EXPECT_EQ(StructureOf(browser->GetFocusedFrame()), StructureOf(first));
}

TEST_F(BrowserTest, FocusedFrameFollowsTheEngine) {
  IPtr<ICefFrame> form = AddFrame(browser, "form");
  sim_frame_focus(StructureOf<TCefFrame>(form));
  EXPECT_EQ(browser->GetFocusedFrame()->GetName(), u"form");
}

TEST_F(BrowserTest, FindPassesItsArgumentsInTheEnginesOrder) {
  struct Case {
    const char16_t* text;
    bool identifier, forward, match_case, find_next;
  };
  // Each flag differs from its neighbours in both rows, so a swap of two shows.
  for (const Case& c : {Case{u"needle", true, false, true, false}, Case{u"hay", false, true, false, true}}) {
    browser->Find(c.text, c.identifier, c.forward, c.match_case, c.find_next);
    EXPECT_EQ(RecordedText(browser, "find.search_text"), c.text);
    EXPECT_EQ(Recorded(browser, "find.identifier"), c.identifier);
    EXPECT_EQ(Recorded(browser, "find.forward"), c.forward);
    EXPECT_EQ(Recorded(browser, "find.match_case"), c.match_case);
    EXPECT_EQ(Recorded(browser, "find.find_next"), c.find_next);
  }
  EXPECT_EQ(Recorded(browser, "find"), 2);

  for (const bool clear : {true, false}) {
    browser->StopFinding(clear);
    EXPECT_EQ(Recorded(browser, "stop_finding.clear_selection"), clear);
  }
}

TEST_F(BrowserTest, SetFocusPassesItsFlag) {
  browser->SetFocus(true);
  EXPECT_EQ(Recorded(browser, "set_focus.enable"), 1);
  browser->SetFocus(false);
  EXPECT_EQ(Recorded(browser, "set_focus.enable"), 0);
  EXPECT_EQ(Recorded(browser, "set_focus"), 2);
}

TEST_F(BrowserTest, ZoomLevelRoundTrips) {
  EXPECT_EQ(browser->GetZoomLevel(), 0.0);
  browser->SetZoomLevel(-1.25);
  EXPECT_EQ(browser->GetZoomLevel(), -1.25);
}

TEST_F(BrowserTest, SizeIsKeptPerPaintType) {
  int width = -1, height = -1;
  EXPECT_FALSE(browser->GetSize(0, width, height));
  EXPECT_EQ(width, -1);
  browser->SetSize(0, 640, 480);
  browser->SetSize(1, 120, 30);
  EXPECT_TRUE(browser->GetSize(1, width, height));
  EXPECT_EQ(width, 120);
  EXPECT_EQ(height, 30);
  EXPECT_TRUE(browser->GetSize(0, width, height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
}

TEST_F(BrowserTest, GetImagePaintsIntoTheCallersBuffer) {
  constexpr int kWidth = 3, kHeight = 2, kType = 1;
  browser->SetSize(kType, kWidth, kHeight);
  std::vector<uint8_t> buffer(kWidth * kHeight * 4 + 1, 0xEE);  // one guard byte
  ASSERT_TRUE(browser->GetImage(kType, kWidth, kHeight, buffer.data()));
  for (size_t i = 0; i + 1 < buffer.size(); ++i) {
    ASSERT_EQ(buffer[i], enginesim::image_byte(kType, i)) << "byte " << i;
  }
  EXPECT_EQ(buffer.back(), 0xEE);
  EXPECT_FALSE(browser->GetImage(kType, kWidth + 1, kHeight, buffer.data()));
}

TEST_F(BrowserTest, PopupVisibility) {
  EXPECT_FALSE(browser->IsPopupVisible());
  sim_browser_set_popup_visible(StructureOf<TCefBrowser>(browser), 1);
  EXPECT_TRUE(browser->IsPopupVisible());
  browser->HidePopup();
  EXPECT_FALSE(browser->IsPopupVisible());
}

TEST_F(BrowserTest, InputAndInvalidationReachTheEngineInOrder) {
  const TCefRect dirty{1, 2, 30, 40};
  browser->SendKeyEvent(2, 65, 4, true, false);
  browser->SendKeyEvent(1, 66, 0, false, true);
  browser->SendMouseClickEvent(10, 20, 1, true, 2);
  browser->SendMouseMoveEvent(5, 6, true);
  browser->SendMouseWheelEvent(7, 8, -120);
  browser->SendFocusEvent(true);
  browser->SendCaptureLostEvent();
  browser->Invalidate(&dirty);

  const std::vector<TSimEvent> expected{
      {SIM_EVENT_KEY, {2, 65, 4, 1, 0}},
      {SIM_EVENT_KEY, {1, 66, 0, 0, 1}},
      {SIM_EVENT_MOUSE_CLICK, {10, 20, 1, 1, 2}},
      {SIM_EVENT_MOUSE_MOVE, {5, 6, 1, 0, 0}},
      {SIM_EVENT_MOUSE_WHEEL, {7, 8, -120, 0, 0}},
      {SIM_EVENT_FOCUS, {1, 0, 0, 0, 0}},
      {SIM_EVENT_CAPTURE_LOST, {0, 0, 0, 0, 0}},
      {SIM_EVENT_INVALIDATE, {1, 2, 30, 40, 0}},
  };
  std::vector<TSimEvent> received(expected.size() + 1);
  auto* structure = StructureOf<TCefBrowser>(browser);
  received.resize(sim_browser_events(structure, received.data(), static_cast<int>(received.size())));
  EXPECT_EQ(received, expected);
}

}  // namespace
}  // namespace larkwell::testing
