// Every engine callback the client's handlers receive ends in the control's event property, with
// the engine's arguments unchanged, and the property's answer goes back to the engine.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "browser/chromium.h"
#include "tests/browser/chromium_event_table.h"
#include "tests/browser/handler_slot_table.h"

namespace larkwell::testing {
namespace {

TRecordingEvents* gRecording = nullptr;

// Calls the recording's method Fire with `all`; for an answering event the last of `all` is the
// Result, which gets the recording's answer.
template <auto Fire, bool Answering, class... A>
void ToRecording(A&... all) {
  if constexpr (Answering) {
    auto arguments = std::forward_as_tuple(all...);
    constexpr size_t kLast = sizeof...(A) - 1;
    [&]<size_t... I>(std::index_sequence<I...>) {
      std::get<kLast>(arguments) = ((*gRecording).*Fire)(std::get<I>(arguments)...);
    }(std::make_index_sequence<kLast>());
  } else {
    ((*gRecording).*Fire)(all...);
  }
}

// An event property that hands every call to the recording.
template <auto Fire, bool Answering, class Event>
struct TToRecording {
  static Event Make() {
    return [](TObject*, auto&&... all) { ToRecording<Fire, Answering>(all...); };
  }
};
template <auto Fire, bool Answering, class... P>
struct TToRecording<Fire, Answering, void (*)(TObject*, P...)> {
  static void Call(TObject*, P... all) { ToRecording<Fire, Answering>(all...); }
  static auto Make() { return &Call; }
};

// The client of RecordingClientTest, but forwarding to a control whose properties record.
class EventRoadTest : public EngineTest {
 protected:
  void SetUp() override {
    ResetCefReportedErrors();
    events.names = engine->Names();
    // The engine hands a pop-up's settings over sized: the control fills them before the event.
    engine->settings.size = sizeof(TCefBrowserSettings);
    gRecording = &events;
#define ROUTE(Name, EventType, Result, Parameters, Arguments) \
  crm.SetOn##Name(TToRecording<&IChromiumEvents::Fire##Name, std::is_same_v<Result, bool>, EventType>::Make());
#define NO_ROUTE(...)
    LARKWELL_CHROMIUM_EVENTS(ROUTE, ROUTE, NO_ROUTE)
#undef ROUTE
#undef NO_ROUTE
  }
  void TearDown() override {
    events.ClearReactions();
    engine.reset();
    client.Reset();
    gRecording = nullptr;
    EngineTest::TearDown();
    ResetCefReportedErrors();
  }

  TRecordingEvents events;
  TChromium crm{/*designing=*/true};  // its own client stays out of the way
  IPtr<TCustomClientHandler> client = New<TCustomClientHandler>(IPtr<IChromiumEvents>::CopyFrom(&crm));
  std::unique_ptr<EngineSide> engine = std::make_unique<EngineSide>();
  Handlers h = Fetch(*engine, *client);
};

TEST_F(EventRoadTest, EveryCallbackReachesItsEventPropertyWithTheEnginesArgumentsAndAnswers) {
  // The control fills a pop-up's settings itself, and does no off-screen rendering (those
  // callbacks answer false and reach nothing); everything else reaches its property.
  const std::string ownFill = "FillBrowserSettings(settings) ";
  std::vector<std::string> rendering;
#define IGNORE_EVENT(...)
#define RENDERING(Name, ...) rendering.push_back(#Name "(");
  LARKWELL_CHROMIUM_EVENTS(IGNORE_EVENT, IGNORE_EVENT, RENDERING)
#undef IGNORE_EVENT
#undef RENDERING
  ASSERT_EQ(rendering.size(), 7u);
  for (bool answer : {false, true}) {
    events.answer = answer;
    for (const Slot& slot : kSlots) {
      std::string expected = slot.call;
      if (expected.starts_with(ownFill)) expected.erase(0, ownFill.size());
      bool renders = false;
      for (const std::string& name : rendering) renders |= expected.starts_with(name);
      const int got = slot.fire(h, *engine);
      EXPECT_EQ(events.TakeCalls(), renders ? "" : expected) << slot.member;
      if (got != kNoAnswer) {
        EXPECT_EQ(got, answer && !renders ? 1 : 0) << slot.member;
      }
    }
  }
  EXPECT_EQ(CefReportedErrorCount(), 0);
}

TEST_F(EventRoadTest, WhatAPropertyChangesReachesTheEngine) {
  events.OnLoadError = [](auto&, auto&, int, auto&, ustring& errorText) {
    errorText = u"由程序处理";
    return true;
  };
  TCefString* errorText = engine->InOut(u"refused");
  EXPECT_EQ(h.load->on_load_error(h.load, engine->Give(engine->browser), engine->Give(engine->frame), -102,
                                  engine->In(u"http://x/"), errorText),
            1);
  EXPECT_EQ(CefStringToNative(errorText), u"由程序处理");

  events.OnAuthCredentials = [](auto&, bool, int, auto&, auto&, auto&, ustring& user, ustring& password) {
    user = u"用户";
    password = u"secret";
    return true;
  };
  TCefString* user = engine->InOut(u"");
  TCefString* password = engine->InOut(u"");
  EXPECT_EQ(h.request->get_auth_credentials(h.request, engine->Give(engine->browser), 0, engine->In(u"host"), 80,
                                            engine->In(u"realm"), engine->In(u"basic"), user, password),
            1);
  EXPECT_EQ(CefStringToNative(user), u"用户");
  EXPECT_EQ(CefStringToNative(password), u"secret");
}

}  // namespace
}  // namespace larkwell::testing
