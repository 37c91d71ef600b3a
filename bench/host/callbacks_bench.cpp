// The engine calling a handler slot through its generic entry (engine/cef_callback.h) against a
// direct virtual call of the same method: a download block (received_data, the hot path of a
// download, which passes the engine's buffer through untouched) and a load end with an engine
// browser and frame (each becomes a wrapper for the call).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/host/figures.h"
#include "engine/browser_ref.h"
#include "engine/frame_ref.h"
#include "engine/handlers_own.h"
#include "enginesim/control_web.h"

namespace larkwell::bench {
namespace {

// --- received_data ---------------------------------------------------------------------------

constexpr int kBlockSize = 4096;
unsigned char block[kBlockSize];

class CountingDownloadHandler : public TCefDownloadHandlerOwn {
 public:
  int ReceivedData(void* data, int DataSize) override {
    benchmark::DoNotOptimize(data);
    received_ += DataSize;
    return 1;
  }
  void Complete() override {}
  int64_t received() const { return received_; }

 private:
  int64_t received_ = 0;
};

// Every block must have arrived, and every call must have answered "continue".
void CheckReceived(benchmark::State& state, const CountingDownloadHandler& handler, int64_t continued) {
  const auto calls = static_cast<int64_t>(state.iterations());
  if (handler.received() != calls * kBlockSize || continued != calls)
    state.SkipWithError("the handler did not get every block");
}

void ReceivedDataThroughEntry(benchmark::State& state) {
  const IPtr<CountingDownloadHandler> handler = New<CountingDownloadHandler>();
  TCefDownloadHandler* structure = handler->DataAs<TCefDownloadHandler>();
  benchmark::DoNotOptimize(structure);
  int64_t continued = 0;
  for (auto _ : state) continued += structure->received_data(structure, block, kBlockSize);
  CheckReceived(state, *handler, continued);
}

void ReceivedDataDirect(benchmark::State& state) {
  const IPtr<CountingDownloadHandler> handler = New<CountingDownloadHandler>();
  ICefDownloadHandler* method_owner = handler.get();
  // A virtual call, as the entry makes it (bench/host/CMakeLists.txt keeps GCC from inlining it).
  benchmark::DoNotOptimize(method_owner);
  int64_t continued = 0;
  for (auto _ : state) continued += method_owner->ReceivedData(block, kBlockSize);
  CheckReceived(state, *handler, continued);
}

// --- on_load_end -----------------------------------------------------------------------------

constexpr int kHttpOk = 200;

class CountingLoadHandler : public TCefLoadHandlerOwn {
 public:
  void OnLoadEnd(const IPtr<ICefBrowser>& browser, const IPtr<ICefFrame>& frame, int httpStatusCode) override {
    if (browser && frame && httpStatusCode == kHttpOk) ++ends_;
  }
  int64_t ends() const { return ends_; }

 private:
  int64_t ends_ = 0;
};

// A stand-in browser and its main frame; one reference each, released at the end.
struct LoadedPage {
  LoadedPage() : browser(sim_create_browser(&setup)), frame(browser->get_main_frame(browser)) {}
  ~LoadedPage() {
    frame->base.release(&frame->base);
    browser->base.release(&browser->base);
  }
  LoadedPage(const LoadedPage&) = delete;
  LoadedPage& operator=(const LoadedPage&) = delete;

  // The engine hands each object argument over with a reference of its own.
  void GiveReferences() {
    browser->base.add_ref(&browser->base);
    frame->base.add_ref(&frame->base);
  }
  void DropReferences() {
    frame->base.release(&frame->base);
    browser->base.release(&browser->base);
  }

  TSimBrowserSetup setup{};
  TCefBrowser* browser;
  TCefFrame* frame;
};

void CheckEnds(benchmark::State& state, const CountingLoadHandler& handler) {
  if (handler.ends() != static_cast<int64_t>(state.iterations()))
    state.SkipWithError("the handler did not see every load end with its browser and frame");
}

void LoadEndThroughEntry(benchmark::State& state) {
  LoadedPage page;
  const IPtr<CountingLoadHandler> handler = New<CountingLoadHandler>();
  TCefLoadHandler* structure = handler->DataAs<TCefLoadHandler>();
  benchmark::DoNotOptimize(structure);
  for (auto _ : state) {
    page.GiveReferences();  // the entry's wrappers release them
    structure->on_load_end(structure, page.browser, page.frame, kHttpOk);
  }
  CheckEnds(state, *handler);
}

void LoadEndDirect(benchmark::State& state) {
  LoadedPage page;
  const IPtr<CountingLoadHandler> handler = New<CountingLoadHandler>();
  TCefLoadHandlerOwn* method_owner = handler.get();
  benchmark::DoNotOptimize(method_owner);
  // Wrappers made once, outside the loop: making them per call is the entry's work.
  page.GiveReferences();
  const IPtr<ICefBrowser> browser = TCefBrowserRef::UnWrap(page.browser);
  const IPtr<ICefFrame> frame = TCefFrameRef::UnWrap(page.frame);
  for (auto _ : state) {
    page.GiveReferences();
    method_owner->OnLoadEnd(browser, frame, kHttpOk);
    page.DropReferences();
  }
  CheckEnds(state, *handler);
}

const FigureRegistration kReceivedData{
    {"callbacks", "callback_received_data", "received_data (a 4 KiB download block)", "<= 2",
     "no allocation and no copy: the owner is found through the hidden word by a static conversion"},
    &ReceivedDataThroughEntry, &ReceivedDataDirect};

const FigureRegistration kLoadEnd{
    {"callbacks", "callback_load_end", "on_load_end (browser, frame, status)", "<= 3",
     "the entry makes and frees one wrapper per engine object, each holding the reference the "
     "engine passed; the engine's references are given and dropped on both sides"},
    &LoadEndThroughEntry, &LoadEndDirect};

}  // namespace
}  // namespace larkwell::bench
