// Engine threads and program threads add and release references on the same owned objects and
// wrappers at once; every object must end destroyed exactly once with a clean ledger.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

#include "enginesim/control.h"
#include "engine/cef_base.h"
#include "tests/support/engine_test.h"

namespace larkwell {
namespace {

constexpr int kOwned = 8;
constexpr int kWrapped = 8;
constexpr int kProgramThreads = 3;
constexpr int kEngineThreads = 3;
constexpr int kIterations = 2000;

std::array<std::atomic<int>, kOwned> destructions;

class TCountedOwn : public TCefBaseOwn {
 public:
  explicit TCountedOwn(int index) : TCefBaseOwn(sizeof(TCefBase) + sizeof(void*)), index_(index) {}
  ~TCountedOwn() override { ++destructions[static_cast<size_t>(index_)]; }

 private:
  int index_;
};

class BridgeStressTest : public testing::EngineTest {};

TEST_F(BridgeStressTest, ConcurrentReferencesEndWithEveryObjectDestroyedOnce) {
  for (auto& d : destructions) d = 0;

  std::vector<IPtr<ICefBase>> objects;
  std::vector<TCefBase*> structures;
  for (int i = 0; i < kOwned; ++i) objects.push_back(New<TCountedOwn>(i));
  for (int i = 0; i < kWrapped; ++i) objects.push_back(TCefBaseRef::UnWrap(sim_create_object(1)));
  // The engine keeps one reference to each structure until the end.
  for (const auto& object : objects) {
    structures.push_back(object->Wrap());
    sim_adopt_ref(structures.back());
  }

  std::thread engine([&] {
    sim_churn_refs(structures.data(), static_cast<int>(structures.size()), kEngineThreads, kIterations);
  });
  std::vector<std::thread> program;
  for (int t = 0; t < kProgramThreads; ++t) {
    program.emplace_back([&objects] {
      for (int i = 0; i < kIterations; ++i) {
        const IPtr<ICefBase>& object = objects[static_cast<size_t>(i) % objects.size()];
        IPtr<ICefBase> copy = object;         // a program reference
        TCefBase* handed = copy->Wrap();      // an engine reference, given back at once
        handed->release(handed);
      }
    });
  }
  for (auto& t : program) t.join();
  engine.join();

  // Last references go on both sides at once: the program drops its pointers while engine
  // threads release theirs; whichever is last destroys the object.
  std::thread engine_release([&] {
    for (TCefBase* s : structures) sim_release_on_thread(s);
  });
  objects.clear();
  engine_release.join();

  for (int i = 0; i < kOwned; ++i) EXPECT_EQ(destructions[static_cast<size_t>(i)], 1) << "owned object " << i;
  EXPECT_EQ(sim_ledger_live_objects(), 0);
}

}  // namespace
}  // namespace larkwell
