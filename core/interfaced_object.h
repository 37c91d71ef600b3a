// The reference-counted object base.
//
// The count changes atomically: engine threads add and release references while the program
// does so on the user-interface thread. The count is held at 1 while the constructor runs, so a
// reference taken and dropped there does not destroy the object; that first reference is the
// one New() hands over. A release that reaches 0 destroys the object at once, on the releasing
// thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "core/interface.h"

namespace larkwell {

class TInterfacedObject : public virtual IInterface {
 public:
  TInterfacedObject(const TInterfacedObject&) = delete;
  TInterfacedObject& operator=(const TInterfacedObject&) = delete;

  bool QueryInterface(const TGUID& iid, void** out) noexcept override;
  int32_t AddRef() noexcept override;
  int32_t Release() noexcept override;

  // The current count, read without synchronisation.
  int32_t RefCount() const noexcept { return refcount_.load(std::memory_order_relaxed); }

  // Destroys the object explicitly. Raises EInvalidPointer ("Invalid pointer operation") and
  // leaves the object alone while it still has references.
  void Destroy();

 protected:
  TInterfacedObject() noexcept = default;
  ~TInterfacedObject() override = default;

 private:
  std::atomic<int32_t> refcount_{1};  // the first reference, which New() hands over
};

// Creates a counted object and hands over its first reference, the one its count has held since
// construction began (none is added). Counted objects are made only here.
template <class T, class... Args>
IPtr<T> New(Args&&... args) {
  static_assert(std::is_base_of_v<TInterfacedObject, T>, "New makes counted objects");
  return IPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

}  // namespace larkwell
