// The stand-in's firing itself: what it refuses to call.
#include "tests/engine/handlers/handler_test.h"

namespace larkwell::handler_test {
namespace {

TEST_F(HandlerTest, AFiringThatDoesNotFitItsMemberCallsNothing) {
  const struct {
    const char* why;
    TCefBase* structure;
    const char* slot;
    std::vector<TSimArg> args;
  } cases[] = {
      {"unknown member", o.load->Data(), "load_handler.on_load_finished", {Obj(o.browser), Obj(o.frame)}},
      {"null structure", nullptr, "load_handler.on_load_start", {Obj(o.browser), Obj(o.frame)}},
      {"structure of another kind", o.client->Data(), "load_handler.on_load_start", {Obj(o.browser), Obj(o.frame)}},
      {"too few arguments", o.load->Data(), "load_handler.on_load_start", {Obj(o.browser)}},
      {"text for a number", o.load->Data(), "load_handler.on_load_end", {Obj(o.browser), Obj(o.frame), Text(u"1")}},
      {"number out of range", o.load->Data(), "load_handler.on_load_end",
       {Obj(o.browser), Obj(o.frame), Int(int64_t{1} << 40)}},
      {"object for a text", o.display->Data(), "display_handler.on_title_change", {Obj(o.browser), Obj(o.frame)}},
      {"read-only text for a string the handler writes", o.display->Data(), "display_handler.on_tooltip",
       {Obj(o.browser), Text(u"tip")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const int32_t browser_count = o.browser.refct();
    Fired fired(c.structure, c.slot, c.args);
    EXPECT_EQ(fired.status(), SIM_FIRE_REFUSED);
    EXPECT_EQ(sim_ledger_errors(), 1) << testing::LedgerProblems();
    EXPECT_EQ(o.browser.refct(), browser_count);  // no reference was handed over
    testing::ResetLedger();
  }
  EXPECT_TRUE(o.load->calls.empty());
  EXPECT_TRUE(o.display->calls.empty());
}

}  // namespace
}  // namespace larkwell::handler_test
