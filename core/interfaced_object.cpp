#include "core/interfaced_object.h"

#include <map>
#include <mutex>
#include <tuple>

#include "core/exceptions.h"

namespace larkwell {
namespace {

struct GuidLess {
  bool operator()(const TGUID& a, const TGUID& b) const noexcept {
    return std::tie(a.D1, a.D2, a.D3) < std::tie(b.D1, b.D2, b.D3) ||
           (std::tie(a.D1, a.D2, a.D3) == std::tie(b.D1, b.D2, b.D3) &&
            std::lexicographical_compare(a.D4, a.D4 + 8, b.D4, b.D4 + 8));
  }
};

struct Registry {
  std::mutex mutex;
  std::map<TGUID, InterfaceCaster, GuidLess> casters;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterInterface(const TGUID& iid, InterfaceCaster caster) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  r.casters.emplace(iid, caster);
}

InterfaceCaster FindInterfaceCaster(const TGUID& iid) noexcept {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  auto it = r.casters.find(iid);
  return it == r.casters.end() ? nullptr : it->second;
}

bool TInterfacedObject::QueryInterface(const TGUID& iid, void** out) noexcept {
  *out = nullptr;
  if (InterfaceCaster caster = FindInterfaceCaster(iid)) *out = caster(this);
  if (!*out) return false;
  AddRef();
  return true;
}

int32_t TInterfacedObject::AddRef() noexcept { return refcount_.fetch_add(1, std::memory_order_relaxed) + 1; }

int32_t TInterfacedObject::Release() noexcept {
  const int32_t count = refcount_.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (count == 0) delete this;
  return count;
}

void TInterfacedObject::Destroy() {
  if (RefCount() != 0) throw EInvalidPointer();
  delete this;
}

}  // namespace larkwell
