// Reference counting from many engine threads at once (also run under ThreadSanitizer).
#include <chrono>
#include <vector>

#include "engine_work.h"

namespace larkwell::enginesim::test {
namespace {

using Concurrency = StandInTest;

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

using ConcurrentWork = EngineWork;

TEST_F(ConcurrentWork, LoadsAskedForOnOtherThreadsAreAllHeardInTheSteps) {
  constexpr int kThreads = 2;
  constexpr int kLoads = 50;
  ProgramClient client;
  TCefBrowser* browser = create(client);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      TCefFrame* frame = main_frame(browser);
      for (int i = 0; i < kLoads; ++i) load(frame, u"about:a");
      release(frame);
    });
  }
  // Meanwhile engine threads take and drop references on the browser.
  std::thread churn([&] {
    TCefBase* const structures[] = {&browser->base};
    sim_churn_refs(structures, 1, 2, 200);
  });
  int ends = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (ends < kThreads * kLoads && std::chrono::steady_clock::now() < deadline) {
    step();
    ends = 0;
    for (const ProgramClient::Call& call : client.calls) ends += call.slot == "load_handler.on_load_end" ? 1 : 0;
  }
  for (std::thread& thread : threads) thread.join();
  churn.join();
  step();
  EXPECT_EQ(client.calls.size(), 1u + 4u * kThreads * kLoads);
  EXPECT_EQ(sim_recorded_number(browser, "created_by"), SIM_CREATED_SYNC);
  EXPECT_EQ(sim_get_refct(&browser->base), 1);
  release(browser);
  EXPECT_TRUE(client.released());
}

}  // namespace
}  // namespace larkwell::enginesim::test
