// Reference counting from many engine threads at once (also run under ThreadSanitizer).
#include <vector>

#include "engine_test.h"

namespace larkwell::enginesim::test {
namespace {

using Concurrency = EngineTest;

TEST_F(Concurrency, ChurnFromEngineThreadsLeavesEveryCountAsItWas) {
  ProgramStructure programs[3];
  std::vector<TCefBase*> structures;
  for (ProgramStructure& program : programs) structures.push_back(program.header());
  for (int i = 0; i < 3; ++i) structures.push_back(sim_create_object(1));

  sim_churn_refs(structures.data(), static_cast<int>(structures.size()), 4, 2000);

  for (ProgramStructure& program : programs) {
    EXPECT_EQ(program.count, 1);
    EXPECT_FALSE(program.destroyed);
  }
  for (std::size_t i = 3; i < structures.size(); ++i) {
    EXPECT_EQ(sim_get_refct(structures[i]), 1);
    structures[i]->release(structures[i]);
  }
}

TEST_F(Concurrency, LastReleasesRacingOnSeveralThreadsDestroyEachObjectOnce) {
  // Each object starts with one reference per thread; every thread drops one of each.
  constexpr int kThreads = 4;
  std::vector<TCefBase*> objects;
  for (int i = 0; i < 50; ++i) objects.push_back(sim_create_object(kThreads));
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (TCefBase* object : objects) sim_release(object);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(sim_ledger_live_objects(), 0);
}

}  // namespace
}  // namespace larkwell::enginesim::test
