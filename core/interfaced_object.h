// The reference-counted object base.
//
// The count changes atomically: engine threads add and release references while the program
// does so on the user-interface thread. The count is held at 1 while the constructor runs and
// drops to 0 afterwards without destroying the object; the first reference is taken by New().
// A release that reaches 0 destroys the object at once, on the releasing thread.
#pragma once

#include <atomic>
#include <cstdint>
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
  template <class T, class... Args>
  friend IPtr<T> New(Args&&... args);

  std::atomic<int32_t> refcount_{1};  // held at 1 until construction completes
};

// Creates a counted object and takes its first reference. Counted objects are made only here.
template <class T, class... Args>
IPtr<T> New(Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  static_cast<TInterfacedObject*>(object)->refcount_.fetch_sub(1, std::memory_order_relaxed);
  return IPtr<T>::CopyFrom(object);
}

}  // namespace larkwell
