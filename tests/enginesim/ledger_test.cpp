// Engine objects and the reference ledger: counting, destruction, late calls, program holds.
#include <string>
#include <thread>

#include "stand_in_test.h"

namespace larkwell::enginesim::test {
namespace {

using Ledger = StandInTest;

TSimProbe* probe_of(TCefBase* header) { return reinterpret_cast<TSimProbe*>(header); }

TEST_F(Ledger, EngineObjectLivesUntilItsLastRelease) {
  TCefBase* object = sim_create_object(1);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->size, sizeof(TSimProbe));
  EXPECT_EQ(sim_ledger_live_objects(), 1);
  EXPECT_EQ(object->get_refct(object), 1);
  EXPECT_EQ(object->add_ref(object), 2);
  EXPECT_EQ(sim_add_ref(object), 3) << "the engine's own references count the same way";
  EXPECT_EQ(sim_get_refct(object), 3);
  EXPECT_EQ(sim_release(object), 2);
  EXPECT_EQ(object->release(object), 1);
  EXPECT_EQ(probe_of(object)->ping(probe_of(object)), 1);
  EXPECT_EQ(object->release(object), 0);
  EXPECT_EQ(sim_ledger_live_objects(), 0);
  EXPECT_EQ(sim_create_object(-1), nullptr);
}

TEST_F(Ledger, CallsOnADestroyedObjectAreRecordedAndAnswerZero) {
  TCefBase* object = sim_create_object(1);
  object->release(object);
  // The structure stays in quarantine, so these land in the stand-in.
  EXPECT_EQ(probe_of(object)->ping(probe_of(object)), 0);
  EXPECT_EQ(object->add_ref(object), 0);
  EXPECT_EQ(object->release(object), 0);
  EXPECT_EQ(sim_ledger_errors(), 3);
  EXPECT_NE(ledger_report().find("destroyed probe"), std::string::npos) << ledger_report();
  expect_errors_then_forget(3);
}

TEST_F(Ledger, ReleaseBelowZeroIsRecordedAndTheCountStaysAtZero) {
  TCefBase* object = sim_create_object(0);
  EXPECT_EQ(object->release(object), 0);
  EXPECT_EQ(object->get_refct(object), 0);
  EXPECT_EQ(sim_ledger_live_objects(), 1) << "not destroyed by a release it never had";
  EXPECT_NE(ledger_report().find("below zero"), std::string::npos) << ledger_report();
  expect_errors_then_forget(1);
  object->add_ref(object);
  object->release(object);
}

TEST_F(Ledger, EngineHoldsOnProgramStructuresAreCounted) {
  ProgramStructure program;
  EXPECT_EQ(sim_add_ref(program.header()), 2);
  EXPECT_EQ(sim_ledger_held_program_refs(), 1);
  // The program hands a reference over (its Wrap) and the engine takes it over.
  program.header()->add_ref(program.header());
  EXPECT_EQ(sim_adopt_ref(program.header()), 3);
  EXPECT_EQ(sim_ledger_held_program_refs(), 2);
  EXPECT_NE(ledger_report().find("holds 2 reference"), std::string::npos) << ledger_report();
  EXPECT_EQ(sim_release(program.header()), 2);
  EXPECT_EQ(sim_release(program.header()), 1);
  EXPECT_EQ(sim_ledger_held_program_refs(), 0);

  // One more engine release would be below zero: recorded, and never passed to the program.
  EXPECT_EQ(sim_release(program.header()), 0);
  EXPECT_EQ(program.count, 1);
  EXPECT_FALSE(program.destroyed);
  expect_errors_then_forget(1);
}

TEST_F(Ledger, ReportNamesWhatIsOutstandingAndFitsAnyBuffer) {
  TCefBase* object = sim_create_object(2);
  TCefStringList list = cef_string_list_alloc();
  const std::string report = ledger_report();
  EXPECT_NE(report.find("probe"), std::string::npos) << report;
  EXPECT_NE(report.find("count 2"), std::string::npos) << report;
  EXPECT_NE(report.find("string list"), std::string::npos) << report;
  EXPECT_EQ(sim_ledger_clean(), 0);

  char small[8];
  EXPECT_EQ(sim_ledger_report(small, sizeof small), static_cast<int>(report.size()));
  EXPECT_EQ(std::string(small), report.substr(0, sizeof small - 1));
  cef_string_list_free(list);
  object->release(object);
  object->release(object);
}

TEST_F(Ledger, ResetForgetsLeftoversWithoutBreakingThem) {
  ProgramStructure program;
  TCefBase* object = sim_create_object(1);
  TCefString text{};
  cef_string_utf16_set(u"kept", 4, &text, 1);
  sim_add_ref(program.header());
  sim_ledger_reset();
  EXPECT_EQ(sim_ledger_clean(), 1) << ledger_report();

  // What was left over still works, and releasing it later is no error.
  EXPECT_EQ(object->release(object), 0);
  cef_string_utf16_clear(&text);
  EXPECT_EQ(sim_release(program.header()), 1);
}

TEST_F(Ledger, ReleaseOnAnEngineThreadDestroysThere) {
  auto* program = new ProgramStructure;
  sim_adopt_ref(program->header());  // the program's only reference goes to the engine
  EXPECT_EQ(sim_release_on_thread(program->header()), 0);
  EXPECT_TRUE(program->destroyed);
  EXPECT_NE(program->destroyed_on, std::this_thread::get_id());
  delete program;

  TCefBase* object = sim_create_object(1);
  EXPECT_EQ(sim_release_on_thread(object), 0);
  EXPECT_EQ(sim_ledger_live_objects(), 0);
}

}  // namespace
}  // namespace larkwell::enginesim::test
