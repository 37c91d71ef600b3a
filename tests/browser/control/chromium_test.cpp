// The browser control against the stand-in engine: the raise family, browser creation and
// loading, window messages, and the shared engine pump.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <tuple>
#include <type_traits>

#include "enginesim/control_firing.h"
#include "framework/forms/form_writer.h"
#include "tests/browser/chromium_event_table.h"
#include "tests/browser/control/chromium_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

// ---- the raise family ----------------------------------------------------------------------

// Calls a raise method with default-made arguments (empty objects, zero numbers, null records).
template <class R, class... P>
R CallWithDefaults(TCustomChromium& crm, R (TCustomChromium::*method)(P...)) {
  std::tuple<std::remove_cvref_t<P>...> args{};
  return std::apply([&](auto&... a) { return (crm.*method)(a...); }, args);
}

template <class T>
bool* AsResult(T&) {
  return nullptr;
}
bool* AsResult(bool& flag) { return &flag; }
// Sets the last bool& of an event's arguments, its Result.
template <class... A>
void Answer(bool value, A&... args) {
  bool* result = nullptr;
  ((result = AsResult(args) ? AsResult(args) : result), ...);
  if (result) *result = value;
}

TObject* gSender = nullptr;
bool gCalled = false;

// A handler for an event of type Event: records Sender, answers true.
template <class Event>
struct TRecordingHandler {
  static Event Make() {
    return [](TObject* sender, auto&&... rest) {
      gSender = sender;
      gCalled = true;
      Answer(true, rest...);
    };
  }
};
// An event that is a plain function.
template <class... P>
struct TRecordingHandler<void (*)(TObject*, P...)> {
  static void Call(TObject* sender, P... rest) {
    gSender = sender;
    gCalled = true;
    Answer(true, rest...);
  }
  static auto Make() { return &Call; }
};

// One raise method: false while unassigned (when it answers); with a handler, the handler is
// called with the control as Sender and its answer comes back.
template <auto Fire, class Event, class Install>
void CheckRaise(TCustomChromium& crm, Install install) {
  using R = decltype(CallWithDefaults(crm, Fire));
  if constexpr (std::is_same_v<R, bool>) {
    EXPECT_FALSE(CallWithDefaults(crm, Fire));
  }
  gSender = nullptr;
  gCalled = false;
  install(TRecordingHandler<Event>::Make());
  if constexpr (std::is_same_v<R, bool>) {
    EXPECT_TRUE(CallWithDefaults(crm, Fire));
  } else {
    CallWithDefaults(crm, Fire);
  }
  EXPECT_TRUE(gCalled);
  EXPECT_EQ(gSender, &crm);
}

TEST(ChromiumRaiseTest, EveryRaiseAnswersFalseUnassignedAndTheHandlersValueAssigned) {
  TTestChromium crm(/*designing=*/true);
  int raised = 0;
#define CHECK_RAISE(Name, EventType, Result, Parameters, Arguments)                                    \
  {                                                                                                    \
    SCOPED_TRACE(#Name);                                                                               \
    CheckRaise<&TCustomChromium::Fire##Name, EventType>(crm, [&](EventType h) { crm.SetOn##Name(h); }); \
    ++raised;                                                                                          \
  }
#define SKIP_RENDER(...)
  LARKWELL_CHROMIUM_EVENTS(CHECK_RAISE, CHECK_RAISE, SKIP_RENDER)
#undef CHECK_RAISE
#undef SKIP_RENDER
  EXPECT_EQ(raised, 41);
}

TEST(ChromiumRaiseTest, ARedirectStartsWithAnEmptyAddressAndRenderingAsksNothing) {
  TTestChromium crm(/*designing=*/true);
  ustring newurl = u"http://engine-preset/";
  crm.FireResourceRedirect(nullptr, u"http://old/", newurl);
  EXPECT_EQ(newurl, u"");
  crm.SetOnResourceRedirect([](TObject*, const IPtr<ICefBrowser>&, const ustring& old, ustring& url) {
    url = old + u"moved";
  });
  newurl = u"http://engine-preset/";
  crm.FireResourceRedirect(nullptr, u"http://old/", newurl);
  EXPECT_EQ(newurl, u"http://old/moved");

  int x = 5, y = 6;
  EXPECT_FALSE(crm.FireGetScreenPoint(nullptr, 1, 2, x, y));
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 6);
  TCefRect rect{7, 8, 9, 10};
  EXPECT_FALSE(crm.FireGetViewRect(nullptr, &rect));
  EXPECT_FALSE(crm.FireGetScreenRect(nullptr, &rect));
  EXPECT_EQ(rect.x, 7);
  EXPECT_EQ(rect.height, 10);
}

class TCountedOptions : public TChromiumOptions {
 public:
  explicit TCountedOptions(int& destroyed) : destroyed_(destroyed) {}
  ~TCountedOptions() override { ++destroyed_; }

 private:
  int& destroyed_;
};

TEST(ChromiumRaiseTest, TheControlOwnsTheOptionsItIsHanded) {
  int destroyed = 0;
  {
    TTestChromium crm(/*designing=*/true);
    crm.SetOptions(std::make_unique<TCountedOptions>(destroyed));
    crm.Options().SetJavascriptDisabled(true);
    crm.SetOptions(std::make_unique<TCountedOptions>(destroyed));  // the first one goes now
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(crm.Options().JavascriptDisabled());
    crm.SetOptions(nullptr);  // no object: the current one stays
    EXPECT_EQ(destroyed, 1);
  }
  EXPECT_EQ(destroyed, 2);  // and the last one with the control
}

// ---- browser creation and loading ----------------------------------------------------------

TEST_F(ChromiumTest, LoadMakesWindowAndBrowserFirstThenLoadsTheMainFrame) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  EXPECT_EQ(crm.BrowserHandle(), kNoBrowserHandle);
  EXPECT_FALSE(crm.Browser());
  crm.SetParent(&host);
  EXPECT_EQ(Counts().browsers_created, 0);

  crm.Load(u"http://start/");
  EXPECT_TRUE(crm.HandleAllocated());
  EXPECT_TRUE(host.HandleAllocated());
  ASSERT_TRUE(crm.Browser());
  EXPECT_EQ(Counts().browsers_created, 1);
  EXPECT_NE(crm.BrowserHandle(), kNoBrowserHandle);
  IPtr<ICefFrame> frame = crm.Browser()->GetMainFrame();
  ASSERT_TRUE(frame);
  EXPECT_EQ(Recorded(frame, "load_url"), 1);
  PumpUntil([&] { return frame->GetUrl() == u"http://start/"; }, 2s);
  EXPECT_EQ(frame->GetUrl(), u"http://start/");
}

TEST_F(ChromiumTest, ADesigningControlLoadsNothingAndMakesNoClient) {
  THostForm host(kEmptyHost);
  TTestChromium crm(/*designing=*/true);
  crm.SetParent(&host);
  const int32_t clients = TEnginePump::Holders();
  EXPECT_NO_THROW(crm.Load(u"http://start/"));
  EXPECT_FALSE(crm.HandleAllocated());
  EXPECT_FALSE(crm.Browser());
  EXPECT_EQ(crm.BrowserHandle(), kNoBrowserHandle);
  EXPECT_EQ(Counts().browsers_created, 0);
  EXPECT_EQ(TEnginePump::Holders(), clients);
}

TEST_F(ChromiumTest, AControlReadFromAFormLoadsItsEmptyDefaultAddress) {
  THostForm host(R"(object Host: THostForm
  ClientHeight = 300
  ClientWidth = 400
  object crm: TChromium
    Left = 0
    Top = 0
    Width = 400
    Height = 300
    Align = alClient
    DefaultEncoding = 'utf8'
    Options.AcceleratedPaintingDisabled = False
  end
end
)");
  auto& crm = dynamic_cast<TChromium&>(*host.FindComponent(u"crm"));
  ASSERT_TRUE(crm.Browser());
  EXPECT_EQ(crm.DefaultEncoding(), u"utf8");
  EXPECT_EQ(Counts().browsers_created, 1);
  EXPECT_EQ(Recorded(crm.Browser()->GetMainFrame(), "load_url"), 1);
}

TEST_F(ChromiumTest, TheControlClaimsEveryKeyButTheArrowsAndWantsArrowsInDialogs) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  crm.Load(u"");
  for (WPARAM arrow = VK_LEFT; arrow <= VK_DOWN; ++arrow) EXPECT_EQ(crm.Perform(CM_WANTSPECIALKEY, arrow), 0);
  for (WPARAM key : {WPARAM{VK_TAB}, WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}, WPARAM{'A'}}) {
    EXPECT_EQ(crm.Perform(CM_WANTSPECIALKEY, key), 1) << key;
  }
  EXPECT_EQ(crm.Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
  // With a browser the background is the browser's to paint: nothing is erased.
  const TErased erased = EraseOnBlack(crm);
  EXPECT_EQ(erased.Answer, 0);
  EXPECT_EQ(erased.Colour, RGB(0, 0, 0));
}

TEST_F(ChromiumTest, FocusIsPostedOnToTheBrowsersWindowWithTheWindowThatLostIt) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  crm.Load(u"");
  const HWND browserWindow = static_cast<HWND>(crm.BrowserHandle());
  ASSERT_TRUE(IsWindow(browserWindow));
  MSG msg;
  while (PeekMessageW(&msg, browserWindow, WM_SETFOCUS, WM_SETFOCUS, PM_REMOVE)) {
  }
  const HWND lost = host.Handle();
  // The browser hears of the window that lost the focus, and nothing else (lParam 0).
  EXPECT_EQ(SendMessageW(crm.Handle(), WM_SETFOCUS, reinterpret_cast<WPARAM>(lost), 0x5A5A), 0);
  ASSERT_TRUE(PeekMessageW(&msg, browserWindow, WM_SETFOCUS, WM_SETFOCUS, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, browserWindow);
  EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(lost));
  EXPECT_EQ(msg.lParam, 0);
  EXPECT_FALSE(PeekMessageW(&msg, browserWindow, WM_SETFOCUS, WM_SETFOCUS, PM_REMOVE));  // once
  EXPECT_FALSE(PeekMessageW(&msg, crm.Handle(), WM_SETFOCUS, WM_SETFOCUS, PM_REMOVE));   // not to itself
}

// ---- the engine pump -----------------------------------------------------------------------

TEST_F(ChromiumTest, ControlsShareOneTimerThatGoesWithTheLastClient) {
  THostForm host(kEmptyHost);
  auto first = std::make_unique<TTestChromium>();
  auto second = std::make_unique<TTestChromium>();
  first->SetParent(&host);
  second->SetParent(&host);
  first->Load(u"");
  second->Load(u"");
  EXPECT_EQ(TEnginePump::Holders(), 2);
  ASSERT_TRUE(TEnginePump::TimerRunning());

  const auto workAfter = [](std::chrono::milliseconds wait) {
    const int32_t before = Counts().message_loop_work;
    PumpFor(wait);
    return Counts().message_loop_work - before;
  };
  EXPECT_GE(workAfter(300ms), 5);
  // One 10 ms timer for both: at most one tick per 10 ms (a timer per control would tick twice).
  const int64_t ticksBefore = TEnginePump::Ticks();
  const auto started = std::chrono::steady_clock::now();
  PumpFor(500ms);
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  const int64_t ticks = TEnginePump::Ticks() - ticksBefore;
  EXPECT_GE(ticks, 5);
  EXPECT_LE(ticks, elapsed.count() / 10 + 2) << "ticks in " << elapsed.count() << " ms";

  first.reset();
  EXPECT_TRUE(TEnginePump::TimerRunning());
  EXPECT_GE(workAfter(300ms), 5);

  second.reset();
  // The engine let go of both clients with their browsers: the timer is gone, and with it the work.
  EXPECT_EQ(TEnginePump::Holders(), 0);
  EXPECT_FALSE(TEnginePump::TimerRunning());
  const int64_t ticksAtEnd = TEnginePump::Ticks();
  EXPECT_EQ(workAfter(300ms), 0);
  EXPECT_EQ(TEnginePump::Ticks(), ticksAtEnd);  // no timer left ticking
}

struct TModalDuringWork {
  TCefBase* display = nullptr;
  TCefBrowser* browser = nullptr;
};

void CEF_EXPORT_CALL FireTitleChange(void* data) {
  auto* work = static_cast<TModalDuringWork*>(data);
  using namespace enginesim::fire_args;
  enginesim::Fired fired(work->display, "display_handler.on_title_change",
                         {Obj(work->browser), Text(u"标题")});
}

TEST_F(ChromiumTest, AModalDialogInsideTheEnginesWorkStopsTheWorkButNotTheTimer) {
  THostForm host(kEmptyHost);
  TTestChromium crm;
  crm.SetParent(&host);
  crm.Load(u"");
  int32_t workAtDialog = -1;
  int64_t ticksAtDialog = -1;
  int32_t workAfterDialog = -1;
  int64_t ticksAfterDialog = -1;
  crm.SetOnTitleChange([&](TObject*, const IPtr<ICefBrowser>&, const ustring& title, bool& result) {
    workAtDialog = Counts().message_loop_work;
    ticksAtDialog = TEnginePump::Ticks();
    TDialogWatcher watcher([](HWND dialog) {
      std::this_thread::sleep_for(400ms);
      TDialogWatcher::PressButton(IDOK)(dialog);
    });
    MessageBoxW(crm.Handle(), Wide(title), L"modal", MB_OK);
    workAfterDialog = Counts().message_loop_work;
    ticksAfterDialog = TEnginePump::Ticks();
    result = true;
  });

  TModalDuringWork work;
  work.display = sim_client_get_handler(crm.Client(), "display");
  ASSERT_NE(work.display, nullptr);
  work.browser = CefWrap<TCefBrowser>(crm.Browser());
  sim_post_work(&FireTitleChange, &work);
  ASSERT_TRUE(PumpUntil([&] { return workAfterDialog >= 0; }, 10s));
  work.browser->base.release(&work.browser->base);
  sim_client_release(crm.Client());

  EXPECT_EQ(workAfterDialog, workAtDialog);        // no engine work while the handler waited
  EXPECT_GE(ticksAfterDialog - ticksAtDialog, 10);  // while the timer went on ticking
  EXPECT_GE([&] {
    const int32_t before = Counts().message_loop_work;
    PumpFor(200ms);
    return Counts().message_loop_work - before;
  }(), 3);  // and the work goes on once it returned
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

constexpr char kMainLikeForm[] = R"(object Host: THostForm
  ClientHeight = 300
  ClientWidth = 400
  object crm: TChromium
    Left = 0
    Top = 0
    Width = 400
    Height = 300
    Align = alClient
    Color = clWhite
    TabOrder = 0
    OnBeforeMenu = crmBeforeMenu
    Options.AcceleratedPaintingDisabled = False
    Options.AcceleratedFiltersDisabled = False
    Options.AcceleratedPluginsDisabled = False
    FontOptions.DefaultFontSize = 14
    DefaultEncoding = 'utf8'
  end
end
)";

TEST_F(ChromiumTest, AStoredControlIsReadWithItsOptionsBindsItsEventsAndIsWrittenBack) {
  int menus = 0;
  THostForm host(kMainLikeForm, TMethodTable().Add<TOnBeforeMenu>(
                                    u"crmBeforeMenu", [&](TObject*, const IPtr<ICefBrowser>&, PCefMenuInfo, bool& result) {
                                      ++menus;
                                      result = true;
                                    }));
  auto& crm = dynamic_cast<TChromium&>(*host.FindComponent(u"crm"));
  EXPECT_EQ(crm.FontOptions().DefaultFontSize(), 14);
  EXPECT_EQ(crm.Color(), clWhite);
  EXPECT_EQ(crm.Align(), TAlign::alClient);

  // The engine asks the menu handler; the bound method answers for the control.
  TCefClient* client = CefWrap<TCefClient>(Query<ICefBase>(crm.Browser()->GetClient()));
  TCefBase* menu = sim_client_get_handler(client, "menu");
  ASSERT_NE(menu, nullptr);
  TCefBrowser* browser = CefWrap<TCefBrowser>(crm.Browser());
  TCefMenuInfo info{};
  {
    using namespace enginesim::fire_args;
    enginesim::Fired fired(menu, "menu_handler.on_before_menu", {Obj(browser), Ptr(&info)});
    EXPECT_TRUE(fired.called());
    EXPECT_EQ(fired.answer(), 1);
  }
  EXPECT_EQ(menus, 1);
  browser->base.release(&browser->base);
  sim_client_release(client);
  client->base.release(&client->base);

  const std::string written = WriteForm(host);
  for (const char* line : {"object crm: TChromium", "OnBeforeMenu = crmBeforeMenu", "Align = alClient",
                           "Options.AcceleratedPaintingDisabled = False", "FontOptions.DefaultFontSize = 14",
                           "DefaultEncoding = 'utf8'"}) {
    EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
  }
  EXPECT_EQ(written.find("OnLoadEnd"), std::string::npos);  // unbound events are left out
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

TEST_F(ChromiumTest, TheLastClientReleasedOnAnEngineThreadStillKillsTheTimer) {
  TTestChromium sink(/*designing=*/true);
  IPtr<TVCLClientHandler> client = New<TVCLClientHandler>(IPtr<IChromiumEvents>::CopyFrom(&sink));
  ASSERT_EQ(TEnginePump::Holders(), 1);
  ASSERT_TRUE(TEnginePump::TimerRunning());
  std::thread engineThread([released = std::move(client)]() mutable { released.Reset(); });
  engineThread.join();
  EXPECT_EQ(TEnginePump::Holders(), 0);
  // The timer belongs to the user-interface thread: it goes when that thread handles its messages.
  EXPECT_TRUE(PumpUntil([] { return !TEnginePump::TimerRunning(); }, 2s));
  const int64_t ticks = TEnginePump::Ticks();
  PumpFor(150ms);
  EXPECT_EQ(TEnginePump::Ticks(), ticks);  // really gone, not only forgotten
}

// A client made while the kill of the last one's timer is still queued keeps that timer: one
// timer at all times, and none once the new client goes too.
TEST_F(ChromiumTest, AClientMadeBeforeAQueuedTimerKillRunsKeepsTheOneTimer) {
  TTestChromium sink(/*designing=*/true);
  IPtr<TVCLClientHandler> first = New<TVCLClientHandler>(IPtr<IChromiumEvents>::CopyFrom(&sink));
  std::thread engineThread([released = std::move(first)]() mutable { released.Reset(); });
  engineThread.join();
  ASSERT_EQ(TEnginePump::Holders(), 0);
  ASSERT_TRUE(TEnginePump::TimerRunning());  // its kill waits for this thread

  IPtr<TVCLClientHandler> second = New<TVCLClientHandler>(IPtr<IChromiumEvents>::CopyFrom(&sink));
  PumpFor(50ms);  // the queued kill runs and finds a client again
  ASSERT_TRUE(TEnginePump::TimerRunning());
  const int64_t before = TEnginePump::Ticks();
  PumpFor(300ms);
  // One 10 ms timer ticks about 30 times here; two would tick about 60.
  EXPECT_LT(TEnginePump::Ticks() - before, 45);
  second.Reset();
  EXPECT_TRUE(PumpUntil([] { return !TEnginePump::TimerRunning(); }, 2s));
  const int64_t ticks = TEnginePump::Ticks();
  PumpFor(150ms);
  EXPECT_EQ(TEnginePump::Ticks(), ticks);  // no timer left behind
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

TEST_F(ChromiumTest, AnAlignedControlFollowsItsFormWhenShownMaximised) {
  THostForm host(R"(object Host: THostForm
  ClientHeight = 300
  ClientWidth = 400
  WindowState = wsMaximized
  object crm: TChromium
    Width = 400
    Height = 300
    Align = alClient
  end
end
)");
  auto& crm = dynamic_cast<TChromium&>(*host.FindComponent(u"crm"));
  host.Show();
  RECT client;
  GetClientRect(host.Handle(), &client);
  EXPECT_GT(client.right, 400);
  EXPECT_EQ(crm.Width(), client.right);
  EXPECT_EQ(crm.Height(), client.bottom);
  RECT own;
  GetClientRect(crm.Handle(), &own);
  EXPECT_EQ(own.right, client.right);
}

}  // namespace
}  // namespace larkwell::testing
