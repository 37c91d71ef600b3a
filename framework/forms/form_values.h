// Property values as a stored form holds them, and how each framework type becomes one.
//
// A stored value is an integer, a string, an identifier (True/False, an enumeration value, a
// named colour, the name of an event's method) or a set of identifiers. TFormCodec<T> turns a
// C++ value of type T into that form and back; the property mechanism (properties.h) picks the
// codec by the property's type, so a class only names its properties and never writes or parses
// text itself.
//
// Types the codecs know:
//  - bool (True / False), integer types (range-checked), ustring;
//  - enumerations with a TEnumNames<E> specialization (values 0..N-1, written by name);
//  - TSet<E> of such an enumeration, written [a, b];
//  - integer-like types with a TNamedValues<T> specialization (colours, character sets):
//    written by name where the value has one, else as a number.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/exceptions.h"
#include "core/ustring.h"

namespace larkwell {

struct TFormValue {
  enum class TKind { kInteger, kString, kIdentifier, kSet };

  TKind Kind = TKind::kInteger;
  int64_t Integer = 0;
  bool Hex = false;            // an integer written $XXXXXXXX: a 32-bit pattern (colours)
  ustring Text;                // the string, or the identifier
  std::vector<ustring> Items;  // the identifiers of a set, in order

  static TFormValue OfInteger(int64_t value, bool hex = false) {
    TFormValue v;
    v.Integer = value;
    v.Hex = hex;
    return v;
  }
  static TFormValue OfString(ustring text) { return Of(TKind::kString, std::move(text)); }
  static TFormValue OfIdentifier(ustring name) { return Of(TKind::kIdentifier, std::move(name)); }
  static TFormValue OfSet(std::vector<ustring> items) {
    TFormValue v;
    v.Kind = TKind::kSet;
    v.Items = std::move(items);
    return v;
  }

  friend bool operator==(const TFormValue&, const TFormValue&) = default;

 private:
  static TFormValue Of(TKind kind, ustring text) {
    TFormValue v;
    v.Kind = kind;
    v.Text = std::move(text);
    return v;
  }
};

// A stored value that does not fit the property it is meant for. The form reader adds the line.
class EFormValueError : public Exception {
 public:
  using Exception::Exception;
};

// Names in forms (properties, classes, identifiers) compare without regard to ASCII case.
bool SameName(std::u16string_view a, std::u16string_view b) noexcept;

// ---- enumerations and sets ------------------------------------------------------------------

// Specialize for an enumeration E with values 0..N-1:
//   template <> struct TEnumNames<TWindowState> {
//     static constexpr std::u16string_view kNames[] = {u"wsNormal", u"wsMinimized", u"wsMaximized"};
//   };
template <class E>
struct TEnumNames;

template <class E>
concept NamedEnumeration = std::is_enum_v<E> && requires {
  TEnumNames<E>::kNames;
};

// A set of values of an enumeration with at most 64 values.
template <class E>
class TSet {
 public:
  constexpr TSet() noexcept = default;
  constexpr TSet(std::initializer_list<E> values) noexcept {
    for (E value : values) Include(value);
  }

  constexpr bool Contains(E value) const noexcept { return (bits_ & Bit(value)) != 0; }
  constexpr TSet& Include(E value) noexcept {
    bits_ |= Bit(value);
    return *this;
  }
  constexpr TSet& Exclude(E value) noexcept {
    bits_ &= ~Bit(value);
    return *this;
  }
  constexpr bool Empty() const noexcept { return bits_ == 0; }

  friend constexpr bool operator==(const TSet&, const TSet&) = default;

 private:
  static constexpr uint64_t Bit(E value) noexcept { return uint64_t{1} << static_cast<unsigned>(value); }
  uint64_t bits_ = 0;
};

// ---- named integer values -------------------------------------------------------------------

template <class T>
struct TNamedValue {
  T Value;
  std::u16string_view Name;
};

// Specialize for an integer-like type T (an integer or an enumeration used as a number):
//   template <> struct TNamedValues<TColor> {
//     static constexpr bool kHex = true;                       // unnamed values as $XXXXXXXX
//     static constexpr TNamedValue<TColor> kValues[] = {{clBlack, u"clBlack"}, ...};
//   };
template <class T>
struct TNamedValues;

template <class T>
concept NamedInteger = requires {
  TNamedValues<T>::kValues;
};

// ---- the codecs -----------------------------------------------------------------------------

template <class T>
struct TFormCodec;

namespace form_values_detail {

[[noreturn]] void Expected(const char* what, const TFormValue& got);

const TFormValue& Require(const TFormValue& value, TFormValue::TKind kind, const char* what);

// The integer of `value` as T: in T's range, or (written in hex) a bit pattern of T's width.
template <class T>
T IntegerAs(const TFormValue& value) {
  const int64_t v = Require(value, TFormValue::TKind::kInteger, "a number").Integer;
  using Limits = std::numeric_limits<T>;
  if (std::in_range<T>(v)) return static_cast<T>(v);
  if constexpr (Limits::is_signed && sizeof(T) < sizeof(int64_t)) {
    using Unsigned = std::make_unsigned_t<T>;
    if (value.Hex && std::in_range<Unsigned>(v)) return static_cast<T>(static_cast<Unsigned>(v));
  }
  throw EFormValueError(u"the number is out of range");
}

// The index of `name` in `names`, or throws.
size_t IndexOfName(std::span<const std::u16string_view> names, const ustring& name);

}  // namespace form_values_detail

template <>
struct TFormCodec<bool> {
  static TFormValue Encode(bool value) { return TFormValue::OfIdentifier(value ? u"True" : u"False"); }
  static bool Decode(const TFormValue& value);
};

template <class T>
requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) struct TFormCodec<T> {
  static TFormValue Encode(T value) { return TFormValue::OfInteger(static_cast<int64_t>(value)); }
  static T Decode(const TFormValue& value) { return form_values_detail::IntegerAs<T>(value); }
};

template <>
struct TFormCodec<ustring> {
  static TFormValue Encode(const ustring& value) { return TFormValue::OfString(value); }
  static ustring Decode(const TFormValue& value) {
    return form_values_detail::Require(value, TFormValue::TKind::kString, "a string").Text;
  }
};

template <NamedEnumeration E>
struct TFormCodec<E> {
  static TFormValue Encode(E value) {
    return TFormValue::OfIdentifier(ustring(TEnumNames<E>::kNames[static_cast<size_t>(value)]));
  }
  static E Decode(const TFormValue& value) {
    const auto& name = form_values_detail::Require(value, TFormValue::TKind::kIdentifier, "a name").Text;
    return static_cast<E>(form_values_detail::IndexOfName(TEnumNames<E>::kNames, name));
  }
};

template <NamedEnumeration E>
struct TFormCodec<TSet<E>> {
  static TFormValue Encode(const TSet<E>& set) {
    std::vector<ustring> items;
    size_t index = 0;
    for (std::u16string_view name : TEnumNames<E>::kNames) {
      if (set.Contains(static_cast<E>(index++))) items.emplace_back(name);
    }
    return TFormValue::OfSet(std::move(items));
  }
  static TSet<E> Decode(const TFormValue& value) {
    TSet<E> set;
    for (const ustring& name : form_values_detail::Require(value, TFormValue::TKind::kSet, "a set [...]").Items) {
      set.Include(static_cast<E>(form_values_detail::IndexOfName(TEnumNames<E>::kNames, name)));
    }
    return set;
  }
};

template <NamedInteger T>
struct TFormCodec<T> {
  using Number = typename std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>, std::type_identity<T>>::type;

  static TFormValue Encode(T value) {
    for (const auto& named : TNamedValues<T>::kValues) {
      if (named.Value == value) return TFormValue::OfIdentifier(ustring(named.Name));
    }
    const auto number = static_cast<Number>(value);
    if constexpr (TNamedValues<T>::kHex) {
      return TFormValue::OfInteger(static_cast<int64_t>(static_cast<std::make_unsigned_t<Number>>(number)), true);
    } else {
      return TFormValue::OfInteger(static_cast<int64_t>(number));
    }
  }
  static T Decode(const TFormValue& value) {
    if (value.Kind == TFormValue::TKind::kIdentifier) {
      for (const auto& named : TNamedValues<T>::kValues) {
        if (SameName(named.Name, value.Text)) return named.Value;
      }
      throw EFormValueError(u"unknown name " + value.Text);
    }
    return static_cast<T>(form_values_detail::IntegerAs<Number>(value));
  }
};

template <class T>
concept FormStorable = requires(const T& value, const TFormValue& stored) {
  { TFormCodec<T>::Encode(value) } -> std::same_as<TFormValue>;
  { TFormCodec<T>::Decode(stored) } -> std::same_as<T>;
};

}  // namespace larkwell
