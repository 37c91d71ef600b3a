// Calling one member of a program structure from a firing record, for any member type.
//
// The member's function type R(CEF_CALLBACK*)(Self*, A...) says what each argument must become:
// fire_member<&TCefLoadHandler::on_load_error> checks every tagged argument against its
// parameter, converts it, calls, and hands the answer and the arguments' afterlife to the
// record. Nothing is called unless every argument fits.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

#include "engine/cef_api.h"
#include "enginesim/core/ledger.h"
#include "enginesim/firing/firing_record.h"

namespace larkwell::enginesim::firing {

// Whether `arg` can stand for a parameter of type P.
template <class P>
bool fits(const TSimArg& arg) {
  if constexpr (std::is_integral_v<P>) {
    return arg.kind == SIM_ARG_INT && std::in_range<P>(arg.number);
  } else if constexpr (std::is_floating_point_v<P>) {
    return arg.kind == SIM_ARG_DOUBLE;
  } else {
    static_assert(std::is_pointer_v<P>, "a member parameter is a number or a pointer");
    using T = std::remove_pointer_t<P>;
    switch (arg.kind) {
      case SIM_ARG_POINTER:
        return true;
      case SIM_ARG_OBJECT:
        return std::is_class_v<T> && !std::is_const_v<T> && !std::is_same_v<T, TCefString>;
      case SIM_ARG_TEXT:
        return std::is_same_v<T, const TCefString>;
      case SIM_ARG_STRING:
        return std::is_same_v<T, TCefString>;
      case SIM_ARG_INT_OUT:
        return std::is_same_v<T, int>;
      case SIM_ARG_OBJECT_OUT:
        if constexpr (std::is_pointer_v<T>) return std::is_class_v<std::remove_pointer_t<T>>;
        return false;
      default:
        return false;
    }
  }
}

// The C value of `arg` for a parameter of type P; `arg` fits P.
template <class P>
P pass(Argument& arg) {
  const TSimArg& given = arg.given();
  if constexpr (std::is_integral_v<P>) {
    return static_cast<P>(given.number);
  } else if constexpr (std::is_floating_point_v<P>) {
    return static_cast<P>(given.real);
  } else {
    using T = std::remove_pointer_t<P>;
    if constexpr (std::is_same_v<T, const TCefString>) {
      if (given.kind == SIM_ARG_TEXT) return arg.text_record();
    }
    if constexpr (std::is_same_v<T, TCefString>) {
      if (given.kind == SIM_ARG_STRING) return arg.string_record();
    }
    if constexpr (std::is_same_v<T, int>) {
      if (given.kind == SIM_ARG_INT_OUT) return arg.int_out();
    }
    if (given.kind == SIM_ARG_OBJECT) return reinterpret_cast<P>(arg.object_for_call());
    if (given.kind == SIM_ARG_OBJECT_OUT) return reinterpret_cast<P>(arg.object_out());
    return static_cast<P>(given.pointer);
  }
}

template <class Result>
void take_answer(Record& record, Result answer) {
  if constexpr (std::is_pointer_v<Result>) {
    record.answer_object(reinterpret_cast<TCefBase*>(answer));
  } else {
    static_assert(std::is_integral_v<Result>, "a member answers nothing, a number or an object");
    record.answer_number(static_cast<int64_t>(answer));
  }
}

template <class R, class Self, class... A, std::size_t... I>
void call_indexed(R(CEF_CALLBACK* function)(Self*, A...), Self* self, Record& record, const char* name,
                  std::index_sequence<I...>) {
  if (record.count() != sizeof...(A)) {
    ledger().record_error(std::string(name) + " takes " + std::to_string(sizeof...(A)) + " arguments");
    return;
  }
  const std::array<bool, sizeof...(A)> fit{fits<A>(record.arg(I).given())...};
  for (std::size_t i = 0; i < fit.size(); ++i) {
    if (fit[i]) continue;
    ledger().record_error(std::string(name) + ": argument " + std::to_string(i) +
                          " is of a kind its parameter cannot take");
    return;
  }
  if constexpr (std::is_void_v<R>) {
    function(self, pass<A>(record.arg(I))...);
  } else {
    take_answer(record, function(self, pass<A>(record.arg(I))...));
  }
  record.set_status(SIM_FIRE_CALLED);
  (record.arg(I).collect(), ...);
}

template <class R, class Self, class... A>
void call_member(R(CEF_CALLBACK* function)(Self*, A...), Self* self, Record& record, const char* name) {
  call_indexed(function, self, record, name, std::index_sequence_for<A...>{});
}

template <class MemberPointer>
struct MemberOf;
template <class Struct, class Function>
struct MemberOf<Function Struct::*> {
  using Structure = Struct;
};

// Calls member `Member` of `structure` as the firing `record` describes; `name` is the
// member's name for the ledger.
template <auto Member>
void fire_member(void* structure, Record& record, const char* name) {
  auto* self = static_cast<typename MemberOf<decltype(Member)>::Structure*>(structure);
  const auto function = self->*Member;
  if (function == nullptr) {
    record.set_status(SIM_FIRE_EMPTY_SLOT);
    return;
  }
  call_member(function, self, record, name);
}

template <auto Member>
bool member_present(const void* structure) {
  return static_cast<const typename MemberOf<decltype(Member)>::Structure*>(structure)->*Member != nullptr;
}

}  // namespace larkwell::enginesim::firing
