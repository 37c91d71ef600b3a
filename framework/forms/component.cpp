#include "framework/forms/component.h"

#include <algorithm>

#include "framework/forms/properties.h"

namespace larkwell {

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() noexcept {
  // Each leaves the list before it is destroyed, so its destructor sees a consistent owner.
  while (!components_.empty()) {
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
  }
}

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info = TClassInfoBuilder<TComponent>(u"TComponent", TPersistent::StaticClassInfo())
                                     .Value<&TComponent::Tag, &TComponent::SetTag>(u"Tag", 0)
                                     .Build();
  return info;
}

TComponent& TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  component->owner_ = this;
  components_.push_back(std::move(component));
  return *components_.back();
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent& component) {
  auto it = std::find_if(components_.begin(), components_.end(), [&](const auto& c) { return c.get() == &component; });
  if (it == components_.end()) return nullptr;
  std::unique_ptr<TComponent> removed = std::move(*it);
  components_.erase(it);
  removed->owner_ = nullptr;
  return removed;
}

TComponent* TComponent::FindComponent(std::u16string_view name) const noexcept {
  for (const auto& component : components_) {
    if (!component->name_.empty() && SameName(component->name_, name)) return component.get();
  }
  return nullptr;
}

void TComponent::MissingChild(std::u16string_view name, const TComponent* found) const {
  const ustring owner = name_.empty() ? ClassName() : name_;
  if (!found) throw EComponentError(u"Component " + ustring(name) + u" not found in " + owner);
  throw EComponentError(u"Component " + ustring(name) + u" of " + owner + u" is a " + found->ClassName() +
                        u", not the class its code expects");
}

const ustring& TComponent::BoundMethodName(const TPropertyInfo& event) const noexcept {
  static const ustring kNone;
  for (const auto& [property, method] : bound_methods_) {
    if (property == &event) return method;
  }
  return kNone;
}

void TComponent::SetBoundMethodName(const TPropertyInfo& event, ustring method) {
  for (auto& [property, known] : bound_methods_) {
    if (property == &event) {
      known = std::move(method);
      return;
    }
  }
  bound_methods_.emplace_back(&event, std::move(method));
}

}  // namespace larkwell
