// Letting go of the handlers while the engine is inside the control: the release waits for
// calls of engine threads, but not for a call of its own thread, and goes on doing its own
// thread's work while it waits. Runs under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "browser/client_handler.h"
#include "engine/cef_error_report.h"
#include "tests/browser/recording_events.h"
#include "tests/support/engine_side.h"
#include "tests/browser/recording_events.h"
#include "tests/support/engine_test.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

class EventsLinkTest : public EngineTest {
 protected:
  void SetUp() override { ResetCefReportedErrors(); }
  void TearDown() override {
    engine.reset();
    client.Reset();
    control.reset();
    EngineTest::TearDown();
    ResetCefReportedErrors();
  }

  // On an engine thread (engineThread), asks `request` for a proxy's credentials: `answer` gets
  // what it answered, `userRecord` is the record it passed for the user name.
  void AskForCredentials(TCefRequestHandler* request) {
    EngineSide& e = *engine;
    userRecord = e.InOut(u"");
    TCefString* password = e.InOut(u"");
    const TCefString* host = e.In(u"proxy");
    const TCefString* realm = e.In(u"realm");
    const TCefString* scheme = e.In(u"basic");
    TCefBrowser* browser = e.Give(e.browser);
    engineThread = std::thread([=, this] {
      answer = request->get_auth_credentials(request, browser, 1, host, 8080, realm, scheme, userRecord, password);
    });
  }

  // A control that is really destroyed at the end of a test: a call after that is a use after free.
  std::unique_ptr<TRecordingEvents> control = std::make_unique<TRecordingEvents>();
  IPtr<TCustomClientHandler> client = New<TCustomClientHandler>(IPtr<IChromiumEvents>::CopyFrom(control.get()));
  std::unique_ptr<EngineSide> engine = std::make_unique<EngineSide>();
  std::thread engineThread;
  int answer = -1;
  TCefString* userRecord = nullptr;
};

void WaitFor(const std::atomic<bool>& flag) {
  while (!flag) std::this_thread::sleep_for(1ms);
}

TEST_F(EventsLinkTest, ReleasingWaitsUntilAnEngineThreadsCallHasLeftTheControl) {
  EngineSide& e = *engine;
  TCefRequestHandler* request = e.Get(*client, &TCefClient::get_request_handler);
  std::atomic<bool> inside{false}, releasing{false}, left{false};
  control->OnAuthCredentials = [&](auto&, bool, int, auto&, auto&, auto&, ustring& username, ustring&) {
    inside = true;
    WaitFor(releasing);
    std::this_thread::sleep_for(50ms);  // the release is waiting by now
    username = u"late";
    control->answer = true;  // still touches the control
    left = true;
    return true;
  };
  AskForCredentials(request);

  WaitFor(inside);
  releasing = true;
  Query<ICefClientTeardown>(client)->ReleaseHandlers();
  EXPECT_TRUE(left) << "the release returned while an engine thread was still inside the control";
  control.reset();
  engineThread.join();

  EXPECT_EQ(answer, 1);
  EXPECT_EQ(CefStringToNative(userRecord), u"late");
  EXPECT_EQ(CefReportedErrorCount(), 0);
}

// A client whose releasing thread has work of its own that others wait for (on Windows: the
// messages other threads send to its windows).
class TServingClient : public TCustomClientHandler {
 public:
  using TCustomClientHandler::TCustomClientHandler;
  std::atomic<int> served{0};

 protected:
  void WhileWaitingForCalls() noexcept override { ++served; }
};

TEST_F(EventsLinkTest, ReleasingKeepsDoingItsThreadsWorkWhileItWaitsForAnEngineThread) {
  EngineSide& e = *engine;
  auto serving = New<TServingClient>(IPtr<IChromiumEvents>::CopyFrom(control.get()));
  TCefRequestHandler* request = e.Get(*serving, &TCefClient::get_request_handler);
  std::atomic<bool> inside{false}, releasing{false}, servedInTime{false};
  control->OnAuthCredentials = [&](auto&, bool, int, auto&, auto&, auto&, ustring&, ustring&) {
    inside = true;
    WaitFor(releasing);
    std::this_thread::sleep_for(50ms);  // the release is waiting by now
    // This call needs the releasing thread, as a window's text set from here would: bounded, so
    // that the test ends when the release does not serve it.
    const int before = serving->served;
    const auto until = std::chrono::steady_clock::now() + 5s;
    while (serving->served == before && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
    servedInTime = serving->served != before;
    return true;
  };
  AskForCredentials(request);

  WaitFor(inside);
  releasing = true;
  const auto started = std::chrono::steady_clock::now();
  Query<ICefClientTeardown>(serving)->ReleaseHandlers();
  const auto took = std::chrono::steady_clock::now() - started;
  engineThread.join();
  EXPECT_TRUE(servedInTime) << "the release did not do its thread's work while it waited";
  EXPECT_LT(took, 3s);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(CefReportedErrorCount(), 0);

  // A release that waits for nobody does none of that work.
  auto idle = New<TServingClient>(IPtr<IChromiumEvents>::CopyFrom(control.get()));
  Query<ICefClientTeardown>(idle)->ReleaseHandlers();
  EXPECT_EQ(idle->served, 0);
}

TEST_F(EventsLinkTest, AnEventThatReleasesTheHandlersDoesNotWaitForItself) {
  EngineSide& e = *engine;
  TCefLoadHandler* load = e.Get(*client, &TCefClient::get_load_handler);
  TCefDisplayHandler* display = e.Get(*client, &TCefClient::get_display_handler);
  int released = 0;
  control->OnLoadStart = [&](auto&, auto&) {
    // The control goes from inside one of its events, on an engine thread as well as on this one.
    Query<ICefClientTeardown>(client)->ReleaseHandlers();
    ++released;
  };
  load->on_load_start(load, e.Give(e.browser), e.Give(e.frame));
  EXPECT_EQ(released, 1);

  // On another thread, inside a call it nests on the same link.
  auto second = std::make_unique<TRecordingEvents>();
  auto secondClient = New<TCustomClientHandler>(IPtr<IChromiumEvents>::CopyFrom(second.get()));
  TCefLoadHandler* secondLoad = e.Get(*secondClient, &TCefClient::get_load_handler);
  second->OnLoadEnd = [&](auto&, auto&, int) {
    Query<ICefClientTeardown>(secondClient)->ReleaseHandlers();
    ++released;
    return true;
  };
  second->OnLoadStart = [&](auto&, auto&) {
    secondLoad->on_load_end(secondLoad, e.Give(e.browser), e.Give(e.frame), 200);
  };
  std::thread([&] { secondLoad->on_load_start(secondLoad, e.Give(e.browser), e.Give(e.frame)); }).join();
  EXPECT_EQ(released, 2);
  second.reset();
  control.reset();
  // Cut off: nothing reaches the destroyed control any more.
  TCefString* tip = e.InOut(u"tip");
  EXPECT_EQ(display->on_tooltip(display, e.Give(e.browser), tip), 0);
  EXPECT_EQ(CefStringToNative(tip), u"tip");
  EXPECT_EQ(CefReportedErrorCount(), 0);
}

}  // namespace
}  // namespace larkwell::testing
