// The object bridge between the engine's counted C structures and the program's counted objects.
//
//  - TCefBaseOwn: an object the program implements for the engine. It owns a C structure whose
//    add_ref/release/get_refct drive the object's own count, so engine and program share one
//    count. In front of the structure sits a hidden word holding the owner's address.
//  - TCefBaseRef: a wrapper around a structure the engine implements. It holds exactly one engine
//    reference for its whole life.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <utility>

#include "core/exceptions.h"
#include "core/interfaced_object.h"
#include "engine/cef_api.h"
#include "engine/cef_interface_ids.h"

namespace larkwell {

// The root of every engine interface.
class ICefBase : public virtual IInterface {
 public:
  static constexpr TGUID IID = IID_ICefBase;
  // Returns the engine structure with one added engine reference, which the engine takes over.
  virtual TCefBase* Wrap() = 0;
};
inline const InterfaceRegistration<ICefBase> kRegisterICefBase;

// The structure behind `object` with one engine reference for the receiver, or null for none.
template <class Struct = TCefBase, class I>
Struct* CefWrap(const IPtr<I>& object) {
  return object ? reinterpret_cast<Struct*>(static_cast<ICefBase*>(object.get())->Wrap()) : nullptr;
}

class TCefBaseOwn : public TInterfacedObject, public virtual ICefBase {
 public:
  // Adds an engine reference through the structure's own add_ref and returns the structure.
  TCefBase* Wrap() override;

  // Serialise callbacks that arrive on several engine threads at once (re-entrant).
  void Lock() { FCriticalSection.lock(); }
  void Unlock() { FCriticalSection.unlock(); }

  // The structure as the engine sees it; no reference is added.
  TCefBase* Data() const noexcept { return FData; }
  template <class Struct>
  Struct* DataAs() const noexcept {
    return reinterpret_cast<Struct*>(FData);
  }

  // Objects of this family alive in the process (tests prove nothing leaked).
  static int32_t LiveObjects() noexcept { return live_objects_.load(); }

 protected:
  // Allocates the structure of `size` bytes (including its header) behind the hidden owner
  // word, zero-fills it and sets the header. Subclasses then store their callbacks.
  explicit TCefBaseOwn(size_t size);
  ~TCefBaseOwn() override;

 private:
  TCefBase* FData;
  std::recursive_mutex FCriticalSection;
  static inline std::atomic<int32_t> live_objects_{0};
};

// The owning object of a structure made by TCefBaseOwn, read from the word just before it.
// Every callback stored in an owned structure starts here.
inline TCefBaseOwn* CefGetOwner(const void* structure) noexcept {
  return *(reinterpret_cast<TCefBaseOwn* const*>(structure) - 1);
}

// One engine reference to a raw structure, given back when the holder goes unless it was handed
// on first. Every place that holds such a reference for a while holds it here, not by hand.
class TCefStructRef {
 public:
  TCefStructRef() noexcept = default;
  // Takes over the reference that came with `structure` (null: holds nothing).
  static TCefStructRef Adopt(void* structure) noexcept { return TCefStructRef(static_cast<TCefBase*>(structure)); }
  // Adds a reference of its own to `structure` (null: holds nothing).
  static TCefStructRef AddRef(void* structure) noexcept {
    auto* base = static_cast<TCefBase*>(structure);
    if (base && base->add_ref) base->add_ref(base);
    return TCefStructRef(base);
  }
  TCefStructRef(TCefStructRef&& other) noexcept : base_(other.Release()) {}
  TCefStructRef& operator=(TCefStructRef&& other) noexcept {
    if (this != &other) {
      Reset();
      base_ = other.Release();
    }
    return *this;
  }
  ~TCefStructRef() { Reset(); }

  // Gives the reference back to the engine now.
  void Reset() noexcept {
    if (TCefBase* base = std::exchange(base_, nullptr); base && base->release) base->release(base);
  }
  // Hands the reference on (to a wrapper that adopts it) and holds nothing.
  [[nodiscard]] TCefBase* Release() noexcept { return std::exchange(base_, nullptr); }

 private:
  explicit TCefStructRef(TCefBase* base) noexcept : base_(base) {}
  TCefBase* base_ = nullptr;
};

// Holds Lock() for a scope.
class TCefOwnLock {
 public:
  explicit TCefOwnLock(TCefBaseOwn& owner) : owner_(owner) { owner_.Lock(); }
  ~TCefOwnLock() { owner_.Unlock(); }
  TCefOwnLock(const TCefOwnLock&) = delete;
  TCefOwnLock& operator=(const TCefOwnLock&) = delete;

 private:
  TCefBaseOwn& owner_;
};

class TCefBaseRef : public TInterfacedObject, public virtual ICefBase {
 public:
  // Adopts the one reference that came with `data` (no add_ref). A null `data` fails the
  // assertion "Assertion failure (ceflib, line 6878)".
  explicit TCefBaseRef(void* data);
  // Releases the adopted reference.
  ~TCefBaseRef() override;

  // Adds an engine reference and returns the structure; the engine takes that reference over.
  TCefBase* Wrap() override;

  // A generic wrapper typed ICefBase; empty for null. Takes over the reference of `data`.
  static IPtr<ICefBase> UnWrap(void* data);

  static int32_t LiveObjects() noexcept { return live_objects_.load(); }

 protected:
  template <class Struct>
  Struct* DataAs() const noexcept {
    return reinterpret_cast<Struct*>(FData);
  }

  TCefBase* FData;

 private:
  static inline std::atomic<int32_t> live_objects_{0};
};

// Builds wrapper class `Class` around `data` and returns it as interface `I`, which Class
// implements: the conversion is static and checked by the compiler (a query by identifier would
// look the interface up at run time on every wrapper the engine's callbacks make). Empty for
// null. The wrapper takes over the reference that came with `data`; no cache: unwrapping the
// same structure twice gives two wrappers with a reference each.
template <class Class, class I>
IPtr<I> CefUnWrap(void* data) {
  if (!data) return {};
  return IPtr<I>(New<Class>(data));  // the wrapper's one reference moves over, none is added
}

// Objects of the bridge (owned objects and wrappers) alive in the process.
inline int32_t CefBridgeLiveObjects() noexcept { return TCefBaseOwn::LiveObjects() + TCefBaseRef::LiveObjects(); }

}  // namespace larkwell
