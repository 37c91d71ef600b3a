// The object bridge in both directions, against the stand-in engine's reference ledger.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "enginesim/control.h"
#include "engine/cef_base.h"
#include "tests/support/engine_test.h"

namespace larkwell {
namespace {

class BridgeTest : public testing::EngineTest {};

constexpr size_t kThreeSlots = sizeof(TCefBase) + 3 * sizeof(void*);

std::atomic<int> owned_destroyed{0};

// A program object with a structure of three member slots, like a small handler.
class TThreeSlotOwn : public TCefBaseOwn {
 public:
  TThreeSlotOwn() : TCefBaseOwn(kThreeSlots) { owned_destroyed = 0; }
  ~TThreeSlotOwn() override { ++owned_destroyed; }
};

TEST_F(BridgeTest, OwnedStructureSitsOnePointerAfterTheOwnerWordAndStartsClean) {
  IPtr<TThreeSlotOwn> own = New<TThreeSlotOwn>();
  TCefBase* data = own->Data();
  EXPECT_EQ(CefGetOwner(data), own.get());
  EXPECT_EQ(*reinterpret_cast<TCefBaseOwn**>(reinterpret_cast<char*>(data) - sizeof(void*)), own.get());
  EXPECT_EQ(data->size, kThreeSlots);
  EXPECT_NE(data->add_ref, nullptr);
  EXPECT_NE(data->release, nullptr);
  EXPECT_NE(data->get_refct, nullptr);
  void* const* slots = reinterpret_cast<void* const*>(data + 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(slots[i], nullptr) << "slot " << i;
}

TEST_F(BridgeTest, WrapSharesOneCountWithTheEngine) {
  IPtr<TThreeSlotOwn> own = New<TThreeSlotOwn>();
  TCefBase* first = own->Wrap();
  EXPECT_EQ(own->RefCount(), 2);
  EXPECT_EQ(sim_get_refct(first), 2);
  TCefBase* second = own->Wrap();
  EXPECT_EQ(second, first);
  EXPECT_EQ(sim_get_refct(first), 3);
  // Wrapping twice handed the engine two references: it must release twice.
  EXPECT_EQ(first->release(first), 2);
  EXPECT_EQ(first->release(first), 1);
  EXPECT_EQ(owned_destroyed, 0);
}

// The engine reads the answers of add_ref and release (the ledger, a last release): each must
// be the count after the change, the same count the program's references see.
TEST_F(BridgeTest, TheStructuresAddRefAndReleaseAnswerTheNewCount) {
  IPtr<TThreeSlotOwn> own = New<TThreeSlotOwn>();
  TCefBase* data = own->Data();
  EXPECT_EQ(data->add_ref(data), 2);
  EXPECT_EQ(data->add_ref(data), 3);
  EXPECT_EQ(own->AddRef(), 4);
  EXPECT_EQ(data->get_refct(data), 4);
  EXPECT_EQ(own->Release(), 3);
  EXPECT_EQ(data->release(data), 2);
  EXPECT_EQ(data->release(data), 1);
  EXPECT_EQ(data->get_refct(data), 1);
  EXPECT_EQ(own->RefCount(), 1);
  data->add_ref(data);
  own.Reset();
  EXPECT_EQ(owned_destroyed, 0);
  EXPECT_EQ(data->release(data), 0);  // the last one destroys the object
  EXPECT_EQ(owned_destroyed, 1);
}

TEST_F(BridgeTest, OwnedObjectDroppedByTheProgramLivesUntilTheEnginesLastRelease) {
  IPtr<TThreeSlotOwn> own = New<TThreeSlotOwn>();
  TCefBase* data = own->Wrap();
  sim_add_ref(data);  // the engine keeps a second reference of its own
  own.Reset();
  EXPECT_EQ(owned_destroyed, 0);
  EXPECT_EQ(sim_get_refct(data), 2);
  EXPECT_EQ(sim_release(data), 1);
  EXPECT_EQ(owned_destroyed, 0);
  EXPECT_EQ(data->release(data), 0);  // the engine's last reference destroys the object
  EXPECT_EQ(owned_destroyed, 1);
}

TEST_F(BridgeTest, WrapperAdoptsOneReferenceAndReleasesExactlyThatOne) {
  TCefBase* engine_object = sim_create_object(1);
  sim_add_ref(engine_object);  // 2: one for the wrapper, one the test keeps
  {
    IPtr<ICefBase> wrapper = TCefBaseRef::UnWrap(engine_object);
    ASSERT_TRUE(wrapper);
    EXPECT_EQ(sim_get_refct(engine_object), 2);  // adopted, not added
    TCefBase* handed = wrapper->Wrap();
    EXPECT_EQ(handed, engine_object);
    EXPECT_EQ(sim_get_refct(engine_object), 3);
    sim_release(handed);  // the engine gives back what Wrap handed it
  }
  EXPECT_EQ(sim_get_refct(engine_object), 1);
  EXPECT_EQ(sim_ledger_live_objects(), 1);
  sim_release(engine_object);
  EXPECT_EQ(sim_ledger_live_objects(), 0);
}

TEST_F(BridgeTest, UnwrappingTwiceGivesTwoWrappersWithAReferenceEach) {
  TCefBase* engine_object = sim_create_object(1);
  sim_add_ref(engine_object);
  IPtr<ICefBase> a = TCefBaseRef::UnWrap(engine_object);
  IPtr<ICefBase> b = TCefBaseRef::UnWrap(engine_object);
  EXPECT_NE(a.get(), b.get());
  EXPECT_EQ(CefBridgeLiveObjects(), 2);
  a.Reset();
  EXPECT_EQ(sim_ledger_live_objects(), 1);
  b.Reset();
  EXPECT_EQ(sim_ledger_live_objects(), 0);
}

TEST_F(BridgeTest, UnwrapOfNullIsEmptyAndAWrapperOfNullFailsTheAssertion) {
  EXPECT_FALSE(TCefBaseRef::UnWrap(nullptr));
  try {
    New<TCefBaseRef>(nullptr);
    FAIL() << "a wrapper of null must not be built";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), u"Assertion failure (ceflib, line 6878)");
  }
  EXPECT_EQ(CefBridgeLiveObjects(), 0);
}

TEST_F(BridgeTest, CefWrapHandsOverAReferenceOrNull) {
  IPtr<TThreeSlotOwn> own = New<TThreeSlotOwn>();
  TCefBase* data = CefWrap(own);
  EXPECT_EQ(data, own->Data());
  EXPECT_EQ(own->RefCount(), 2);
  sim_adopt_ref(data);  // the engine takes the handed reference over
  sim_release(data);
  EXPECT_EQ(CefWrap(IPtr<ICefBase>()), nullptr);
}

TEST_F(BridgeTest, WrapperQueriedByIdentifierIsTheSameObject) {
  IPtr<ICefBase> wrapper = TCefBaseRef::UnWrap(sim_create_object(1));
  void* out = nullptr;
  ASSERT_TRUE(wrapper->QueryInterface(IID_ICefBase, &out));
  EXPECT_EQ(static_cast<ICefBase*>(out), wrapper.get());
  static_cast<ICefBase*>(out)->Release();
}

TEST_F(BridgeTest, LockIsReentrantForTheOwningThread) {
  IPtr<TThreeSlotOwn> own = New<TThreeSlotOwn>();
  // On a thread of its own, so that a lock that is not reentrant fails here in seconds instead
  // of hanging the test program. The thread lets go of its reference before it says it is done;
  // a stuck thread keeps it, so the object never dies under it.
  std::promise<void> locked;
  std::future<void> done = locked.get_future();
  std::thread([own, locked = std::move(locked)]() mutable {
    {
      TCefOwnLock outer(*own);
      TCefOwnLock inner(*own);  // a callback that calls another locked callback
    }
    own.Reset();
    locked.set_value();
  }).detach();
  ASSERT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "the owning thread could not take the lock a second time";
}

}  // namespace
}  // namespace larkwell
