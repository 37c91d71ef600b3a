// A wrapper method of the binding (through CefCall) against a direct call of the same engine
// member through its function pointer: SetFlags on a request, once on the stand-in's request and
// once on a minimal request whose member only stores the value, which shows the mechanism alone.
#include <benchmark/benchmark.h>

#include "bench/host/figures.h"
#include "engine/entry_points.h"
#include "engine/request_ref.h"

namespace larkwell::bench {
namespace {

constexpr int kFlagMask = 0xff;

// Both sides store the same sequence of flags; afterwards the request must hold the last one.
void CheckLastFlags(benchmark::State& state, int stored, int flags) {
  if (stored != (flags & kFlagMask)) state.SkipWithError("the request does not hold the last flags");
}

// --- the stand-in's request ------------------------------------------------------------------

void WrapperCallStandIn(benchmark::State& state) {
  const IPtr<ICefRequest> request = TCefRequestRef::New();
  int flags = 0;
  for (auto _ : state) request->SetFlags(++flags & kFlagMask);
  CheckLastFlags(state, request->GetFlags(), flags);
}

void DirectCallStandIn(benchmark::State& state) {
  TCefRequest* request = cef_request_create();
  int flags = 0;
  for (auto _ : state) request->set_flags(request, ++flags & kFlagMask);
  CheckLastFlags(state, request->get_flags(request), flags);
  request->base.release(&request->base);
}

// --- a minimal request -----------------------------------------------------------------------

struct MinimalRequest {
  TCefRequest structure;  // first: the structure's address is the object's
  int flags = 0;
};

void CEF_CALLBACK StoreFlags(TCefRequest* self, int flags) { reinterpret_cast<MinimalRequest*>(self)->flags = flags; }

// Counting is not measured here: the minimal request has no add_ref or release.
MinimalRequest* NewMinimalRequest() {
  auto* request = new MinimalRequest{};
  request->structure.base.size = sizeof(TCefRequest);
  request->structure.set_flags = StoreFlags;
  // The optimiser may not assume it knows the function pointers.
  benchmark::DoNotOptimize(request);
  return request;
}

void WrapperCallMinimal(benchmark::State& state) {
  MinimalRequest* minimal = NewMinimalRequest();
  {
    const IPtr<ICefRequest> request = TCefRequestRef::UnWrap(&minimal->structure);
    int flags = 0;
    for (auto _ : state) request->SetFlags(++flags & kFlagMask);
    CheckLastFlags(state, minimal->flags, flags);
  }
  delete minimal;
}

void DirectCallMinimal(benchmark::State& state) {
  MinimalRequest* minimal = NewMinimalRequest();
  TCefRequest* request = &minimal->structure;
  int flags = 0;
  for (auto _ : state) request->set_flags(request, ++flags & kFlagMask);
  CheckLastFlags(state, minimal->flags, flags);
  delete minimal;
}

const FigureRegistration kStandIn{
    {"engine calls", "call_standin", "SetFlags on the stand-in's request", "<= 1.25",
     "the stand-in's member finds its object in the ledger and takes the request's lock"},
    &WrapperCallStandIn, &DirectCallStandIn};

const FigureRegistration kMinimal{
    {"engine calls", "call_minimal", "SetFlags on a minimal request", "",
     "the member only stores the value: what remains is the wrapper's virtual call"},
    &WrapperCallMinimal, &DirectCallMinimal};

}  // namespace
}  // namespace larkwell::bench
