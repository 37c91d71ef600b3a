// Every callback slot of the browser control's fourteen handlers, called as the engine calls it:
// each reaches its IChromiumEvents method with the engine's arguments unchanged, answers reach
// the engine where the callback has an answer, and what the event changes goes back.
#include <gtest/gtest.h>

#include "engine/cef_error_report.h"
#include "tests/browser/handler_slot_table.h"

namespace larkwell::testing {
namespace {

using HandlerSlotsTest = RecordingClientTest;

TEST_F(HandlerSlotsTest, EveryCallbackReachesItsEventWithTheEnginesArgumentsAndAnswers) {
  for (bool answer : {false, true}) {
    events.answer = answer;
    for (const Slot& slot : kSlots) {
      const int got = slot.fire(h, *engine);
      EXPECT_EQ(events.TakeCalls(), slot.call) << slot.member;
      if (got != kNoAnswer) {
        EXPECT_EQ(got, answer ? 1 : 0) << slot.member;
      }
    }
  }
}

TEST_F(HandlerSlotsTest, AFailingEventGivesTheEngineTheNeutralAnswer) {
  events.answer = true;
  events.fail = true;
  int fired = 0;
  for (const Slot& slot : kSlots) {
    const int got = slot.fire(h, *engine);
    if (got != kNoAnswer) {
      EXPECT_EQ(got, 0) << slot.member;
    }
    EXPECT_EQ(CefReportedErrorCount(), ++fired) << slot.member;
  }
}

TEST_F(HandlerSlotsTest, AfterReleaseHandlersNoCallbackReachesTheControl) {
  events.answer = true;
  client->ReleaseHandlers();
  for (const Slot& slot : kSlots) {
    const int got = slot.fire(h, *engine);
    EXPECT_EQ(events.TakeCalls(), "") << slot.member;
    if (got != kNoAnswer) {
      EXPECT_EQ(got, 0) << slot.member;
    }
  }
  EXPECT_EQ(CefReportedErrorCount(), 0);
}

}  // namespace
}  // namespace larkwell::testing
