// A library of the wrong version (one that lacks the engine's last export) is rejected, and no
// later operation reaches it.
#include "tests/engine/loader/loader_test.h"

#include "core/exceptions.h"

namespace larkwell::testing {
namespace {

class RejectedLibraryTest : public LoaderTest {
 protected:
  void SetUp() override {
    LoaderTest::SetUp();
    // The test's own hold keeps the library, and its call counter, loaded throughout.
    incomplete_ = os::LoadModule(kIncompleteLibrary);
    ASSERT_NE(incomplete_, nullptr) << "the incomplete stand-in engine was not built beside the test";
    *reinterpret_cast<void**>(&callsReceived_) = os::FindExport(incomplete_, "sim_incomplete_calls");
    ASSERT_NE(callsReceived_, nullptr);
    ASSERT_EQ(os::FindExport(incomplete_, "cef_get_web_plugin_info_byname"), nullptr);
    ASSERT_NE(os::FindExport(incomplete_, "cef_get_web_plugin_info"), nullptr);
  }
  void TearDown() override {
    LoaderTest::TearDown();
    if (incomplete_) os::UnloadModule(incomplete_);
  }

  // Calls that reached any export of the incomplete library.
  int CallsReceived() const { return callsReceived_(); }

  os::ModuleHandle incomplete_ = nullptr;
  int(CEF_EXPORT_CALL* callsReceived_)(void) = nullptr;
};

template <class Operation>
void ExpectInvalidLibrary(Operation operation) {
  try {
    operation();
    ADD_FAILURE() << "no error";
  } catch (const ECefException& error) {
    EXPECT_EQ(error.Message(), u"Invalid CEF Library version");
  }
}

TEST_F(RejectedLibraryTest, ItIsRejectedAndNoLaterOperationReachesIt) {
  CefLibraryName = kIncompleteLibrary;
  ExpectInvalidLibrary([] { CefEnsureLoaded(); });
  EXPECT_NE(CefLibraryHandle, nullptr) << "the rejected library stays loaded";

  // Browser creation raises the same error again, and the client's reference meant for the
  // engine is released.
  auto client = New<TCefClientOwn>();
  ExpectInvalidLibrary([&] { CreateBrowser(client, u"http://start.test/"); });
  EXPECT_EQ(client->RefCount(), 1);
  ExpectInvalidLibrary([] { CefEnsureLoaded(); });

  CefDoMessageLoopWork();
  CefUnloadLibrary();  // unloads it without shutting down an engine that never started
  EXPECT_EQ(CefLibraryHandle, nullptr);
  EXPECT_EQ(CallsReceived(), 0);

  // Unloaded, it is no longer in the way: the next load takes the library named now.
  CefLibraryName = kCefDefaultLibraryName;
  CefEnsureLoaded();
  EXPECT_EQ(enginesim::process_counts().initialize, 1);
}

}  // namespace
}  // namespace larkwell::testing
