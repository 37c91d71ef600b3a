// The root interface, the counted interface pointer and query by identifier.
//
// Interfaces derive virtually from IInterface (and from each other), so an object that
// implements several of them has one count and one root. Every interface declares
// `static constexpr TGUID IID` and is registered once with an
// `inline const InterfaceRegistration<I>` next to it, which makes it reachable by identifier.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "core/guid.h"

namespace larkwell {

class IInterface {
 public:
  // Asks for the interface `iid`. On success stores the interface pointer in *out with one
  // added reference and answers true; otherwise stores null and answers false.
  virtual bool QueryInterface(const TGUID& iid, void** out) noexcept = 0;
  // Adds one reference; returns the new count.
  virtual int32_t AddRef() noexcept = 0;
  // Releases one reference, destroying the object when it was the last; returns the new count.
  virtual int32_t Release() noexcept = 0;

 protected:
  virtual ~IInterface() = default;
};

// A counted pointer to an interface or object: exactly one pointer, one reference.
// Adopting takes over a reference (no AddRef); copying adds one; moving empties the source.
template <class T>
class IPtr {
 public:
  IPtr() noexcept = default;
  IPtr(std::nullptr_t) noexcept {}

  // Takes over the reference that comes with `p`; adds none.
  static IPtr Adopt(T* p) noexcept {
    IPtr r;
    r.p_ = p;
    return r;
  }
  // Adds a reference to `p` for the new pointer.
  static IPtr CopyFrom(T* p) noexcept {
    if (p) p->AddRef();
    return Adopt(p);
  }

  IPtr(const IPtr& other) noexcept : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  IPtr(IPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  IPtr(const IPtr<U>& other) noexcept : p_(other.get()) {
    if (p_) p_->AddRef();
  }
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  IPtr(IPtr<U>&& other) noexcept : p_(other.Detach()) {}

  IPtr& operator=(IPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~IPtr() { Reset(); }

  // Releases the reference held, if any; the pointer is empty before Release runs.
  void Reset() noexcept {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  // Gives up the reference without releasing it; the caller now owns it.
  [[nodiscard]] T* Detach() noexcept { return std::exchange(p_, nullptr); }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  T& operator*() const noexcept { return *p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  friend bool operator==(const IPtr& a, const IPtr& b) noexcept { return a.p_ == b.p_; }
  friend bool operator==(const IPtr& a, std::nullptr_t) noexcept { return a.p_ == nullptr; }

 private:
  T* p_ = nullptr;
};

// Identifier registry: how an object is turned into an interface named only by its identifier.
using InterfaceCaster = void* (*)(IInterface*);
void RegisterInterface(const TGUID& iid, InterfaceCaster caster);
InterfaceCaster FindInterfaceCaster(const TGUID& iid) noexcept;

template <class I>
struct InterfaceRegistration {
  InterfaceRegistration() {
    RegisterInterface(I::IID, [](IInterface* object) -> void* { return dynamic_cast<I*>(object); });
  }
};

// Queries `object` for I by I's identifier; empty when the object does not implement it.
template <class I>
IPtr<I> Query(IInterface* object) noexcept {
  void* out = nullptr;
  if (object && object->QueryInterface(I::IID, &out)) return IPtr<I>::Adopt(static_cast<I*>(out));
  return {};
}
template <class I, class T>
IPtr<I> Query(const IPtr<T>& object) noexcept {
  return Query<I>(static_cast<IInterface*>(object.get()));
}

}  // namespace larkwell
