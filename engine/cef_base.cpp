#include "engine/cef_base.h"

#include <cstring>
#include <new>

namespace larkwell {
namespace {

// The three header functions of every owned structure. They reach the owner through the hidden
// word and share its count; release may destroy the owner and its structure.
int32_t CEF_CALLBACK OwnAddRef(TCefBase* self) noexcept { return CefGetOwner(self)->AddRef(); }
int32_t CEF_CALLBACK OwnRelease(TCefBase* self) noexcept { return CefGetOwner(self)->Release(); }
int32_t CEF_CALLBACK OwnGetRefct(TCefBase* self) noexcept { return CefGetOwner(self)->RefCount(); }

constexpr int kAssertNullDataLine = 6878;

}  // namespace

TCefBaseOwn::TCefBaseOwn(size_t size) {
  // One block: the owner word, then the structure the engine sees.
  auto* block = static_cast<unsigned char*>(::operator new(sizeof(TCefBaseOwn*) + size));
  *reinterpret_cast<TCefBaseOwn**>(block) = this;
  FData = reinterpret_cast<TCefBase*>(block + sizeof(TCefBaseOwn*));
  std::memset(FData, 0, size);
  FData->size = size;
  FData->add_ref = OwnAddRef;
  FData->release = OwnRelease;
  FData->get_refct = OwnGetRefct;
  live_objects_.fetch_add(1);
}

TCefBaseOwn::~TCefBaseOwn() {
  ::operator delete(reinterpret_cast<unsigned char*>(FData) - sizeof(TCefBaseOwn*));
  live_objects_.fetch_sub(1);
}

TCefBase* TCefBaseOwn::Wrap() {
  if (FData->add_ref) FData->add_ref(FData);
  return FData;
}

TCefBaseRef::TCefBaseRef(void* data) : FData(static_cast<TCefBase*>(data)) {
  Assert(data != nullptr, "ceflib", kAssertNullDataLine);
  live_objects_.fetch_add(1);
}

TCefBaseRef::~TCefBaseRef() {
  if (FData->release) FData->release(FData);
  live_objects_.fetch_sub(1);
}

TCefBase* TCefBaseRef::Wrap() {
  if (FData->add_ref) FData->add_ref(FData);
  return FData;
}

IPtr<ICefBase> TCefBaseRef::UnWrap(void* data) { return CefUnWrap<TCefBaseRef, ICefBase>(data); }

}  // namespace larkwell
