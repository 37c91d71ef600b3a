// Publishing properties: one generic mechanism for every class that a stored form describes.
//
// A class describes its published surface once, in its StaticClassInfo():
//
//   const TClassInfo& TMyPanel::StaticClassInfo() {
//     static const TClassInfo info = TClassInfoBuilder<TMyPanel>(u"TMyPanel", TComponent::StaticClassInfo())
//         .Value<&TMyPanel::Caption, &TMyPanel::SetCaption>(u"Caption", u"")   // left out when ''
//         .Value<&TMyPanel::Visible, &TMyPanel::SetVisible>(u"Visible", true)  // left out when True
//         .Value<&TMyPanel::Mode, &TMyPanel::SetMode>(u"Mode", kAlwaysStored)  // always written
//         .Field<&TMyPanel::FUrl>(u"DefaultUrl", u"")                          // a data member
//         .ReadOnly<&TMyPanel::Version>(u"Version")                            // neither read nor written
//         .Object<&TMyPanel::Font>(u"Font")                                    // stored as Font.Name = ...
//         .Event<&TMyPanel::FOnClick>(u"OnClick")                              // bound by method name
//         .Creatable()                                                         // a form may create it
//         .Build();
//     return info;
//   }
//
// The value's type picks its text form (form_values.h); getters and setters may be member
// functions or one data member. A property is written when it differs from its default; one
// given kAlwaysStored is written whatever its value. The default is what the constructor sets:
// a class whose constructor sets an inherited property otherwise publishes it again with that
// default, and it takes the inherited one's place.
#pragma once

#include <concepts>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/forms/component.h"
#include "framework/forms/form_values.h"
#include "framework/forms/persistent.h"

namespace larkwell {

struct TAlwaysStored {};
inline constexpr TAlwaysStored kAlwaysStored{};

namespace properties_detail {

template <auto Get, class C>
using ValueOf = std::remove_cvref_t<std::invoke_result_t<decltype(Get), const C&>>;

template <auto Set, class C, class T>
void WriteVia(C& object, T&& value) {
  if constexpr (std::is_member_function_pointer_v<decltype(Set)>) {
    (object.*Set)(std::forward<T>(value));
  } else {
    object.*Set = std::forward<T>(value);
  }
}

// The object a property belongs to; a property is only ever found through its object's class.
template <class C>
C& As(TPersistent& object) {
  return dynamic_cast<C&>(object);
}
template <class C>
const C& As(const TPersistent& object) {
  return dynamic_cast<const C&>(object);
}

// A value property; a null Set makes it read-only.
template <class C, auto Get, auto Set>
class TValueProperty final : public TPropertyInfo {
 public:
  using T = ValueOf<Get, C>;
  static_assert(FormStorable<T>, "a published value needs a TFormCodec for its type (form_values.h)");
  static constexpr bool kReadOnly = std::is_same_v<decltype(Set), std::nullptr_t>;

  TValueProperty(ustring name, std::optional<T> byDefault)
      : TPropertyInfo(std::move(name)), default_(std::move(byDefault)) {}

  void Load(TPersistent& target, const TFormValue& value, const TMethodTable&) const override {
    if constexpr (kReadOnly) {
      throw EFormValueError(Name() + u" is read-only");
    } else {
      WriteVia<Set>(As<C>(target), TFormCodec<T>::Decode(value));
    }
  }

  std::optional<TFormValue> StoredValue(const TPersistent& source) const override {
    if constexpr (kReadOnly) {
      return std::nullopt;
    } else {
      const T value = std::invoke(Get, As<C>(source));
      if (default_ && *default_ == value) return std::nullopt;
      return TFormCodec<T>::Encode(value);
    }
  }

 private:
  std::optional<T> default_;  // none: always stored
};

// A sub-object whose own properties are stored under "Name.". Get gives T* or T&.
template <class C, auto Get>
class TObjectProperty final : public TPropertyInfo {
 public:
  using TPropertyInfo::TPropertyInfo;

  void Load(TPersistent&, const TFormValue&, const TMethodTable&) const override {
    throw EFormValueError(Name() + u" is an object: give one of its properties, as " + Name() + u".Name");
  }
  std::optional<TFormValue> StoredValue(const TPersistent&) const override { return std::nullopt; }

  // Writing reads through the same getter, which hands out the object for changing.
  TPersistent* SubObject(const TPersistent& owner) const override {
    auto& object = const_cast<C&>(As<C>(owner));
    if constexpr (std::is_pointer_v<std::invoke_result_t<decltype(Get), C&>>) {
      return std::invoke(Get, object);
    } else {
      return &std::invoke(Get, object);
    }
  }
};

// An event slot (a std::function or function pointer data member of a component), bound by the
// name of a method that the form's owner offers with exactly the slot's type.
template <class C, auto Slot>
class TEventProperty final : public TPropertyInfo {
 public:
  static_assert(std::is_base_of_v<TComponent, C>, "events belong to components");
  using TEvent = std::remove_cvref_t<decltype(std::declval<C&>().*Slot)>;
  using TPropertyInfo::TPropertyInfo;

  void Load(TPersistent& target, const TFormValue& value, const TMethodTable& methods) const override {
    if (value.Kind != TFormValue::TKind::kIdentifier) form_values_detail::Expected("the name of a method", value);
    const std::any* method = methods.Find(value.Text);
    if (!method) throw EFormValueError(u"unknown method " + value.Text);
    const TEvent* event = std::any_cast<TEvent>(method);
    if (!event) throw EFormValueError(u"method " + value.Text + u" does not fit " + Name());
    auto& component = As<C>(target);
    component.*Slot = *event;
    component.SetBoundMethodName(*this, value.Text);
  }

  // An assigned event is written by the name it was bound with; one assigned in code has none.
  std::optional<TFormValue> StoredValue(const TPersistent& source) const override {
    const auto& component = As<C>(source);
    const ustring& method = component.BoundMethodName(*this);
    if (!static_cast<bool>(component.*Slot) || method.empty()) return std::nullopt;
    return TFormValue::OfIdentifier(method);
  }
};

}  // namespace properties_detail

template <class C>
class TClassInfoBuilder {
  template <auto Get>
  using ValueOf = properties_detail::ValueOf<Get, C>;

 public:
  TClassInfoBuilder(ustring className, const TClassInfo& parent) : name_(std::move(className)), parent_(&parent) {}

  // Read and written through Get and Set; left out of a stored form when equal to `byDefault`.
  template <auto Get, auto Set>
  TClassInfoBuilder& Value(ustring name, std::type_identity_t<ValueOf<Get>> byDefault) {
    return Add<properties_detail::TValueProperty<C, Get, Set>>(std::move(name), std::optional(std::move(byDefault)));
  }
  // Read and written through Get and Set; always written.
  template <auto Get, auto Set>
  TClassInfoBuilder& Value(ustring name, TAlwaysStored) {
    return Add<properties_detail::TValueProperty<C, Get, Set>>(std::move(name), std::optional<ValueOf<Get>>());
  }
  // A data member read and written directly.
  template <auto Member, class Stored>
  TClassInfoBuilder& Field(ustring name, Stored byDefault) {
    return Value<Member, Member>(std::move(name), std::move(byDefault));
  }
  // Published without a setter: a stored form can neither set nor hold it.
  template <auto Get>
  TClassInfoBuilder& ReadOnly(ustring name) {
    return Add<properties_detail::TValueProperty<C, Get, nullptr>>(std::move(name), std::optional<ValueOf<Get>>());
  }
  template <auto Get>
  TClassInfoBuilder& Object(ustring name) {
    return Add<properties_detail::TObjectProperty<C, Get>>(std::move(name));
  }
  template <auto Slot>
  TClassInfoBuilder& Event(ustring name) {
    return Add<properties_detail::TEventProperty<C, Slot>>(std::move(name));
  }
  // The form reader may create objects of this class (by its default constructor).
  TClassInfoBuilder& Creatable() {
    static_assert(std::is_base_of_v<TComponent, C> && std::is_default_constructible_v<C>,
                  "a form creates components by their default constructor");
    factory_ = []() -> std::unique_ptr<TComponent> { return std::make_unique<C>(); };
    return *this;
  }

  // Moves the description out; the builder is spent afterwards.
  TClassInfo Build() { return TClassInfo(std::move(name_), parent_, factory_, std::move(properties_)); }

 private:
  template <class Property, class... A>
  TClassInfoBuilder& Add(A&&... args) {
    properties_.push_back(std::make_unique<Property>(std::forward<A>(args)...));
    return *this;
  }

  ustring name_;
  const TClassInfo* parent_;
  TClassInfo::TFactory factory_ = nullptr;
  std::vector<std::unique_ptr<TPropertyInfo>> properties_;
};

}  // namespace larkwell
