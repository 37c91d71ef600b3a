#include "framework/forms/persistent.h"

#include <algorithm>
#include <mutex>

#include "framework/forms/component.h"

namespace larkwell {

const std::any* TMethodTable::Find(std::u16string_view name) const noexcept {
  for (const auto& [known, method] : methods_) {
    if (SameName(known, name)) return &method;
  }
  return nullptr;
}

TClassInfo::TClassInfo(ustring name, const TClassInfo* parent, TFactory factory,
                       std::vector<std::unique_ptr<TPropertyInfo>> properties)
    : name_(std::move(name)), parent_(parent), factory_(factory), properties_(std::move(properties)) {}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const noexcept {
  for (const TClassInfo* c = this; c; c = c->parent_) {
    if (c == &other) return true;
  }
  return false;
}

const TPropertyInfo* TClassInfo::FindProperty(std::u16string_view name) const noexcept {
  for (const TClassInfo* c = this; c; c = c->parent_) {
    for (const auto& property : c->properties_) {
      if (SameName(property->Name(), name)) return property.get();
    }
  }
  return nullptr;
}

std::vector<const TPropertyInfo*> TClassInfo::Properties() const {
  std::vector<const TPropertyInfo*> all = parent_ ? parent_->Properties() : std::vector<const TPropertyInfo*>{};
  for (const auto& property : properties_) {
    // Published again (with the default this class makes its objects with): in the inherited place.
    const auto sameName = [&](const TPropertyInfo* known) { return SameName(known->Name(), property->Name()); };
    auto inherited = std::find_if(all.begin(), all.end(), sameName);
    if (inherited != all.end()) {
      *inherited = property.get();
    } else {
      all.push_back(property.get());
    }
  }
  return all;
}

std::unique_ptr<TComponent> TClassInfo::Create() const { return factory_ ? factory_() : nullptr; }

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info(u"TPersistent", nullptr, nullptr, {});
  return info;
}

namespace {

struct ClassRegistry {
  std::mutex mutex;
  std::vector<const TClassInfo*> classes;
};

ClassRegistry& TheClassRegistry() {
  static ClassRegistry registry;
  return registry;
}

}  // namespace

void RegisterClass(const TClassInfo& info) {
  ClassRegistry& registry = TheClassRegistry();
  std::lock_guard lock(registry.mutex);
  for (const TClassInfo* known : registry.classes) {
    if (SameName(known->Name(), info.Name())) return;
  }
  registry.classes.push_back(&info);
}

const TClassInfo* FindClass(std::u16string_view name) noexcept {
  ClassRegistry& registry = TheClassRegistry();
  std::lock_guard lock(registry.mutex);
  for (const TClassInfo* known : registry.classes) {
    if (SameName(known->Name(), name)) return known;
  }
  return nullptr;
}

}  // namespace larkwell
