// Every member of every handler family, driven through the engine with its standard arguments.
#include "tests/engine/handlers/handler_test.h"

namespace larkwell::handler_test {
namespace {

int64_t ExpectedAnswer(Answers answers, bool answer) {
  switch (answers) {
    case Answers::kBoolean: return answer ? 1 : 0;
    case Answers::kCount: return answer ? 4096 : 0;
    default: return 0;
  }
}

TEST_F(HandlerTest, EveryMemberReachesItsMethodWithTheArgumentsConvertedAndAnswers) {
  for (const MemberCase& c : MemberCases()) {
    SCOPED_TRACE(c.slot);
    auto [recorder, structure] = Family(c.slot);
    for (bool answer : {true, false}) {
      std::vector<int32_t> counts_before;
      for (const TSimArg& arg : c.args) counts_before.push_back(sim_get_refct(arg.object));
      recorder->calls.clear();
      recorder->browser_window = nullptr;
      recorder->answer = answer;
      recorder->count_answer = answer ? 4096 : 0;

      Fired fired(structure, c.slot, c.args);
      ASSERT_TRUE(fired.called());
      EXPECT_EQ(recorder->calls, std::vector<std::string>{c.method});
      EXPECT_EQ(recorder->seen, c.seen);
      EXPECT_EQ(fired.answer(), ExpectedAnswer(c.answers, answer));
      EXPECT_EQ(fired.answer_object(), nullptr);
      if (!c.args.empty() && c.args[0].object == o.browser.base()) {
        EXPECT_EQ(recorder->browser_window, kWindow);  // a working browser wrapper
      }
      // The wrappers made for the call released the references the engine passed.
      for (size_t i = 0; i < c.args.size(); ++i) {
        if (c.args[i].kind == SIM_ARG_OBJECT) {
          EXPECT_EQ(fired.refct(static_cast<int>(i)), counts_before[i]) << i;
        }
      }
    }
  }
}

TEST_F(HandlerTest, AThrowingHandlerInEveryFamilyGivesTheNeutralAnswerWritesNothingAndIsReported) {
  int reported = 0;
  for (const MemberCase& c : MemberCases()) {
    SCOPED_TRACE(c.slot);
    auto [recorder, structure] = Family(c.slot);
    recorder->fail = true;
    recorder->answer = true;
    recorder->count_answer = 4096;

    Fired fired(structure, c.slot, c.args);
    ASSERT_TRUE(fired.called());
    EXPECT_EQ(fired.answer(), 0);
    EXPECT_EQ(fired.answer_object(), nullptr);
    for (size_t i = 0; i < c.args.size(); ++i) {
      const int index = static_cast<int>(i);
      switch (c.args[i].kind) {
        case SIM_ARG_STRING:
          if (std::string(c.slot) == "display_handler.on_tooltip") {
            // The tooltip was taken out of the engine's record before the call; the failure
            // gives the engine its own text back.
            EXPECT_TRUE(fired.sentinel_released(index));
            EXPECT_EQ(fired.text(index), u"tip");
          } else {
            EXPECT_TRUE(fired.untouched(index)) << i;
          }
          break;
        case SIM_ARG_INT_OUT:
        case SIM_ARG_OBJECT_OUT:
          EXPECT_TRUE(fired.untouched(index)) << i;
          break;
        default:
          break;
      }
    }
    EXPECT_EQ(CefReportedErrorCount(), ++reported);
    EXPECT_EQ(CefLastReportedErrorMessage(), Utf8ToUstring(std::string(c.method) + " failed"));
    recorder->fail = false;
  }
}

}  // namespace
}  // namespace larkwell::handler_test
