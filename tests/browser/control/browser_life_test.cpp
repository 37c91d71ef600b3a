// The life of the control's browser against the stand-in's real child windows: where its window
// sits, re-creating it, what destroying the control leaves behind, an engine that makes no
// browser, and settings fixed at creation.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "enginesim/control_firing.h"
#include "framework/forms/form_writer.h"
#include "tests/browser/control/chromium_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

// `window`'s rectangle in the client coordinates of its parent.
RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult FillsClientArea(HWND browserWindow, HWND control) {
  RECT client;
  GetClientRect(control, &client);
  const RECT placed = RectInParent(browserWindow);
  if (SameRect(placed, client)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "browser window at (" << placed.left << "," << placed.top << ")-("
                                       << placed.right << "," << placed.bottom << "), client area (0,0)-("
                                       << client.right << "," << client.bottom << ")";
}

TCefBrowser* Structure(const IPtr<ICefBrowser>& browser) {
  TCefBrowser* structure = CefWrap<TCefBrowser>(browser);
  structure->base.release(&structure->base);
  return structure;
}

TEST_F(ChromiumTest, TheBrowsersWindowIsAChildFillingTheClientAreaAfterEveryResize) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  crm.SetBounds(0, 0, 200, 100);
  crm.Load(u"http://start/");
  const HWND window = static_cast<HWND>(crm.BrowserHandle());
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(GetParent(window), crm.Handle());
  // A visible tab stop that clips its siblings and children, and nothing more.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), DWORD{0x56010000});
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
            DWORD{WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP});
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE), 0);
  EXPECT_TRUE(FillsClientArea(window, crm.Handle()));
  for (const auto& [width, height] : {std::pair{320, 240}, {17, 5}, {400, 300}, {1, 1}}) {
    crm.SetBounds(5, 7, width, height);
    EXPECT_TRUE(FillsClientArea(window, crm.Handle())) << width << " x " << height;
  }
}

TEST_F(ChromiumTest, ReCreatingGivesANewBrowserInANewWindowShowingTheAddress) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  crm.Load(u"http://first/");
  const IPtr<ICefBrowser> first = crm.Browser();
  ASSERT_TRUE(first);
  const HWND firstWindow = static_cast<HWND>(crm.BrowserHandle());

  crm.ReCreateBrowser(u"http://second/");
  EXPECT_EQ(Recorded(first, "parent_window_will_close"), 1);
  EXPECT_FALSE(IsWindow(firstWindow));  // the old browser's window is closed with it
  ASSERT_TRUE(crm.Browser());
  EXPECT_NE(Structure(crm.Browser()), Structure(first));
  EXPECT_EQ(Counts().browsers_created, 2);
  const HWND secondWindow = static_cast<HWND>(crm.BrowserHandle());
  EXPECT_NE(secondWindow, firstWindow);
  ASSERT_TRUE(IsWindow(secondWindow));
  EXPECT_EQ(GetParent(secondWindow), crm.Handle());
  EXPECT_TRUE(FillsClientArea(secondWindow, crm.Handle()));
  const IPtr<ICefFrame> frame = crm.Browser()->GetMainFrame();
  EXPECT_TRUE(PumpUntil([&] { return frame->GetUrl() == u"http://second/"; }, 2s)) << UstringToUtf8(frame->GetUrl());
}

TEST_F(ChromiumTest, DestroyingTheControlClosesTheBrowserAndLeavesTheEngineNothingOnceItLetsGo) {
  // The running engine holds the program's application object and its handlers till shutdown.
  CefEnsureLoaded();
  const int32_t programObjects = CefBridgeLiveObjects();
  const int heldByEngine = sim_ledger_held_program_refs();
  const int engineObjects = sim_ledger_live_objects();
  THostForm host(kEmptyHost);
  auto crm = std::make_unique<TTestChromium>();
  crm->SetParent(&host);
  crm->Load(u"http://start/");
  IPtr<ICefBrowser> browser = crm->Browser();
  ASSERT_TRUE(browser);
  const HWND window = static_cast<HWND>(crm->BrowserHandle());
  TCefClient* client = crm->Client();
  // Before: the client answers its handlers.
  TCefLoadHandler* load = client->get_load_handler(client);
  ASSERT_NE(load, nullptr);
  load->base.release(&load->base);
  ASSERT_TRUE(TEnginePump::TimerRunning());

  crm.reset();
  EXPECT_EQ(Recorded(browser, "parent_window_will_close"), 1);
  EXPECT_FALSE(IsWindow(window));
  // The engine's browser still holds the client, which has let go of its handlers.
  TCefBrowser* structure = CefWrap<TCefBrowser>(browser);
  TCefClient* held = structure->get_client(structure);
  structure->base.release(&structure->base);
  ASSERT_EQ(held, client);
  EXPECT_EQ(client->get_load_handler(client), nullptr);
  EXPECT_EQ(client->get_display_handler(client), nullptr);
  held->base.release(&held->base);
  EXPECT_EQ(TEnginePump::Holders(), 1);
  EXPECT_TRUE(TEnginePump::TimerRunning());

  // The engine lets go of the browser, and with it of the client: nothing is left, no timer, no work.
  browser.Reset();
  EXPECT_EQ(TEnginePump::Holders(), 0);
  EXPECT_FALSE(TEnginePump::TimerRunning());
  EXPECT_EQ(CefBridgeLiveObjects(), programObjects);
  EXPECT_EQ(sim_ledger_held_program_refs(), heldByEngine);
  EXPECT_EQ(sim_ledger_live_objects(), engineObjects);
  EXPECT_EQ(sim_ledger_errors(), 0);
  const int32_t work = Counts().message_loop_work;
  PumpFor(150ms);
  EXPECT_EQ(Counts().message_loop_work, work);
}

TEST_F(ChromiumTest, AnEngineThatMakesNoBrowserLeavesTheControlWithoutOneAndIsReported) {
  sim_process_refuse_browsers(1);
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  const int reports = Application().ReportsShown();
  TDialogWatcher watcher;
  EXPECT_NO_THROW(crm.Load(u"http://start/"));
  const TDialogSeen seen = watcher.Result();
  ASSERT_TRUE(seen.Found);
  EXPECT_EQ(seen.Caption, Application().Title());
  ASSERT_FALSE(seen.Texts.empty());
  EXPECT_NE(seen.Texts.back().find(u"The engine created no browser"), ustring::npos) << UstringToUtf8(seen.Texts.back());
  EXPECT_EQ(Application().ReportsShown(), reports + 1);
  EXPECT_EQ(Counts().browsers_refused, 1);

  EXPECT_TRUE(crm.HandleAllocated());
  EXPECT_FALSE(crm.Browser());
  EXPECT_EQ(crm.BrowserHandle(), kNoBrowserHandle);
  // Without a browser to paint it, the control erases its background in its own colour.
  crm.SetBounds(0, 0, 120, 80);
  const TErased erased = EraseOnBlack(crm);
  EXPECT_NE(erased.Answer, 0);
  EXPECT_EQ(erased.Colour, ColorToRGB(crm.Color()));
  EXPECT_NE(erased.Colour, RGB(0, 0, 0));
  // Nothing asks a missing browser: moving, focusing, loading and re-creating go on quietly.
  crm.SetBounds(0, 0, 150, 90);
  SetFocus(crm.Handle());
  EXPECT_NO_THROW(crm.Load(u"http://again/"));
  EXPECT_NO_THROW(crm.ReCreateBrowser(u"http://again/"));
  PumpFor(50ms);
  EXPECT_EQ(Application().ReportsShown(), reports + 1);
  sim_process_refuse_browsers(0);
}

TEST_F(ChromiumTest, OptionsChangedAfterCreationDoNotReachTheBrowser) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  crm.SetDefaultEncoding(u"gbk");
  crm.Options().SetJavascriptDisabled(true);
  crm.FontOptions().SetDefaultFontSize(13);
  crm.Load(u"http://start/");
  TCefBrowser* browser = Structure(crm.Browser());

  crm.SetDefaultEncoding(u"utf8");
  crm.Options().SetJavascriptDisabled(false);
  crm.FontOptions().SetDefaultFontSize(20);
  crm.Load(u"http://next/");
  crm.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(enginesim::browser_settings_text(browser, "default_encoding"), u"gbk");
  EXPECT_EQ(sim_browser_settings_number(browser, "javascript_disabled"), 1);
  EXPECT_EQ(sim_browser_settings_number(browser, "default_font_size"), 13);
  // A re-created browser is made with what the options say now.
  crm.ReCreateBrowser(u"http://next/");
  TCefBrowser* second = Structure(crm.Browser());
  EXPECT_EQ(enginesim::browser_settings_text(second, "default_encoding"), u"utf8");
  EXPECT_EQ(sim_browser_settings_number(second, "javascript_disabled"), 0);
  EXPECT_EQ(sim_browser_settings_number(second, "default_font_size"), 20);
}

TEST_F(ChromiumTest, TheEngineAnnouncesTheNewBrowserInItsWorkStep) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  int announced = 0;
  IPtr<ICefBrowser> seen;
  crm.SetOnAfterCreated([&](TObject* sender, const IPtr<ICefBrowser>& browser) {
    EXPECT_EQ(sender, &crm);
    ++announced;
    seen = browser;
  });
  crm.Load(u"");
  EXPECT_EQ(announced, 0);  // not inside the create call
  EXPECT_TRUE(PumpUntil([&] { return announced == 1; }, 2s));
  ASSERT_TRUE(seen);
  EXPECT_EQ(Structure(seen), Structure(crm.Browser()));
  seen.Reset();
  PumpFor(50ms);
  EXPECT_EQ(announced, 1);
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

// A browser the engine has not finished making: it has no window yet (handle 0) and hands out
// no main frame.
TEST_F(ChromiumTest, ABrowserWithoutWindowOrMainFrameIsLeftAloneByLoadReCreateAndFocus) {
  sim_process_unfinished_browsers(1);
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  EXPECT_NO_THROW(crm.Load(u"http://start/"));
  ASSERT_TRUE(crm.Browser());
  EXPECT_EQ(crm.BrowserHandle(), nullptr);
  EXPECT_FALSE(crm.Browser()->GetMainFrame());
  const IPtr<ICefBrowser> first = crm.Browser();

  // The address has no frame to go to: dropped.
  EXPECT_NO_THROW(crm.Load(u"http://again/"));
  EXPECT_EQ(Counts().browsers_created, 1);

  // Re-creating needs the old browser's window: without one nothing happens.
  crm.ReCreateBrowser(u"http://second/");
  EXPECT_EQ(Structure(crm.Browser()), Structure(first));
  EXPECT_EQ(crm.BrowserHandle(), nullptr);
  EXPECT_EQ(Recorded(first, "parent_window_will_close"), 0);
  EXPECT_EQ(Counts().browsers_created, 1);

  // Focus is not handed on: posted to window 0 it would be a message to this thread.
  MSG msg;
  while (PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_SETFOCUS, WM_SETFOCUS, PM_REMOVE)) {
  }
  SendMessageW(crm.Handle(), WM_SETFOCUS, reinterpret_cast<WPARAM>(host.Handle()), 0);
  EXPECT_FALSE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_SETFOCUS, WM_SETFOCUS, PM_REMOVE));
  sim_process_unfinished_browsers(0);
}

// An event that engine threads raise may need the user-interface thread (setting a window's
// text is a message sent to that thread); destroying the control must not wait for it forever.
TEST_F(ChromiumTest, AnEngineThreadEventThatSendsToTheControlWhileItIsDestroyedFinishes) {
  THostForm host(kEmptyHost);
  auto crm = std::make_unique<TTestChromium>();
  crm->SetParent(&host);
  crm->Load(u"");
  const HWND window = crm->Handle();
  TCefClient* client = crm->Client();
  TCefBase* request = sim_client_get_handler(client, "request");
  ASSERT_NE(request, nullptr);
  TCefBrowser* browser = CefWrap<TCefBrowser>(crm->Browser());

  std::atomic<bool> inside{false}, destroying{false}, delivered{false};
  crm->SetOnAuthCredentials([&](TObject*, const IPtr<ICefBrowser>&, bool, int, const ustring&, const ustring&,
                                const ustring&, ustring& username, ustring&, bool& result) {
    inside = true;
    while (!destroying) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(100ms);  // the destruction waits for this call by now
    DWORD_PTR answer = 0;
    // Bounded, so that a test that fails ends: a plain SendMessageW would hang.
    delivered = SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"引擎"), SMTO_NORMAL, 5000,
                                    &answer) != 0;
    username = u"user";
    result = true;
  });
  int64_t answered = -1;
  std::thread engineThread([&] {
    using namespace enginesim::fire_args;
    enginesim::Fired fired(request, "request_handler.get_auth_credentials",
                           {Obj(browser), Int(1), Text(u"proxy"), Int(8080), Text(u"realm"), Text(u"basic"),
                            String(u""), String(u"")});
    answered = fired.answer();
  });
  while (!inside) std::this_thread::sleep_for(1ms);
  destroying = true;
  const auto started = std::chrono::steady_clock::now();
  crm.reset();
  const auto took = std::chrono::steady_clock::now() - started;
  engineThread.join();

  EXPECT_TRUE(delivered) << "the message sent during the destruction was not handled";
  EXPECT_LT(took, 3s);
  EXPECT_EQ(answered, 1);
  EXPECT_FALSE(IsWindow(window));
  browser->base.release(&browser->base);
  sim_client_release(client);
}

// The control is made in the window's colour: that colour is what a stored form leaves out.
TEST_F(ChromiumTest, TheControlsColourSurvivesWritingAndReadingItsForm) {
  for (const TColor colour : {clWindow, clBtnFace, clWhite}) {
    THostForm host(kEmptyHost);
    auto& crm = static_cast<TChromium&>(host.InsertComponent(std::make_unique<TChromium>()));
    crm.SetName(u"crm");
    crm.SetParentComponent(&host);
    crm.SetColor(colour);
    const std::string written = WriteForm(host);
    EXPECT_EQ(written.find("    Color = clWindow\n"), std::string::npos) << written;  // the default
    THostForm read(written);
    EXPECT_EQ(read.Child<TChromium>(u"crm").Color(), colour) << written;
  }
  const TChromium fresh;
  EXPECT_EQ(fresh.Color(), clWindow);
}

}  // namespace
}  // namespace larkwell::testing
