// A component: a named object that a stored form creates, owns and binds events of.
//
// The root of a form (the form itself) owns every component read with it; each component also
// has a parent component, the object it stands inside in the stored form (for a control, its
// parent window). Ownership decides lifetime, the parent decides where it is written.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "core/exceptions.h"
#include "core/ustring.h"
#include "framework/forms/form_values.h"
#include "framework/forms/persistent.h"

namespace larkwell {

enum class TComponentStateFlag {
  csLoading,    // being read from a stored form; cleared by Loaded
  csDesigning,  // shown in a designer: behaviour stays inert
};
using TComponentState = TSet<TComponentStateFlag>;

// A component a form's code needs is not in its stored description, or is of another class.
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

class TComponent : public TPersistent {
 public:
  TComponent() = default;
  // Destroys the owned components, the last inserted first.
  ~TComponent() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const ustring& Name() const noexcept { return name_; }
  void SetName(ustring name) { name_ = std::move(name); }
  int32_t Tag() const noexcept { return tag_; }
  void SetTag(int32_t tag) noexcept { tag_ = tag; }

  TComponent* Owner() const noexcept { return owner_; }
  int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)).get(); }
  // Destroys the owned components now, the last inserted first.
  void DestroyComponents() noexcept;
  // Takes `component` over; it lives until this component is destroyed or it is removed again.
  TComponent& InsertComponent(std::unique_ptr<TComponent> component);
  // Hands `component` back to the caller, without owner; null when this does not own it.
  std::unique_ptr<TComponent> RemoveComponent(TComponent& component);
  // The owned component named `name` (any ASCII case), or null.
  TComponent* FindComponent(std::u16string_view name) const noexcept;
  // The owned component named `name`, of class T: what a form's code reaches the components of
  // its stored description by. A missing one, or one of another class, is a named error
  // (EComponentError), never a null dereference.
  template <class T>
  T& Child(std::u16string_view name) const {
    TComponent* found = FindComponent(name);
    if (auto* child = dynamic_cast<T*>(found)) return *child;
    MissingChild(name, found);
  }

  TComponent* ParentComponent() const noexcept { return parent_; }
  // Makes `parent` the object this component stands inside. Controls override it to take the
  // parent as their parent window; they call this base as well.
  virtual void SetParentComponent(TComponent* parent) { parent_ = parent; }

  TComponentState ComponentState() const noexcept { return state_; }
  void SetDesigning(bool designing) noexcept {
    designing ? state_.Include(TComponentStateFlag::csDesigning) : state_.Exclude(TComponentStateFlag::csDesigning);
  }

  // Runs once the whole stored form has been read and every property set, in reading order
  // (the root first). Overrides call this base, which ends the loading state.
  virtual void Loaded() { state_.Exclude(TComponentStateFlag::csLoading); }

  // The name of the method that the stored form bound to `event` of this component, or empty.
  const ustring& BoundMethodName(const TPropertyInfo& event) const noexcept;
  void SetBoundMethodName(const TPropertyInfo& event, ustring method);

 private:
  friend class TFormReader;

  [[noreturn]] void MissingChild(std::u16string_view name, const TComponent* found) const;

  ustring name_;
  int32_t tag_ = 0;
  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
  TComponentState state_;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::vector<std::pair<const TPropertyInfo*, ustring>> bound_methods_;
};

}  // namespace larkwell
