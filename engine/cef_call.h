// Calling the engine from the binding, with the boundary's conversions: one mechanism for the
// members of engine structures (CefCall) and for the engine's exports (CefCallExport).
//
//   bool CanGoBack() override { return CefCall<bool, &TCefBrowser::can_go_back>(FData); }
//   return CefCallExport<IPtr<ICefv8Value>>(cef_v8value_create_date, value);
//
// Each argument is converted by its native type and the engine parameter it feeds:
//   ustring ................................ a view valid for the call
//   bool ................................... 1 or 0
//   an interface ........................... its Wrap (one reference for the engine), or null
//   TStrings& for an engine string list .... a fresh engine list, read into the native list
//                                            (appended, not cleared) after the call and freed
//                                            on every path
//   a vector of interfaces for an array .... an array of their Wraps (null for empty entries),
//                                            freed after the call; pass the count beside it
//   TDateTime for a time record ............ the local time as the engine's UTC record
//   CefOut(IPtr<I>&) for an object out ..... a pointer that starts null; afterwards the
//                                            interface holds what the engine stored (adopted),
//                                            empty for null
//   CefOut(ustring&) for a text out ........ an empty engine record; afterwards the ustring
//                                            holds its text and the record is cleared
//   anything else (pointers included) ...... unchanged
// The result comes back as the native type asked for: Boolean from non-zero, ustring from a
// userfree string (freed), an interface from an engine structure (adopted by its wrapper class),
// TDateTime from a time record, everything else unchanged.
#pragma once

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/datetime.h"
#include "core/interface.h"
#include "core/ustring.h"
#include "engine/cef_base.h"
#include "engine/cef_string.h"
#include "engine/cef_time.h"

namespace larkwell {

// Which wrapper class unwraps an engine structure for interface I; each Ref class specialises
// it next to its declaration.
template <class I>
struct CefRefClass;
template <>
struct CefRefClass<ICefBase> {
  using type = TCefBaseRef;
};

// The wrapper of `data` typed as I; empty for null. Takes over the reference of `data`.
template <class I>
IPtr<I> CefUnWrapAs(void* data) {
  return CefUnWrap<typename CefRefClass<I>::type, I>(data);
}

// Marks an argument the engine writes through a pointer (see the table above).
template <class T>
struct CefOutRef {
  T& target;
};
template <class T>
CefOutRef<T> CefOut(T& target) noexcept {
  return {target};
}

namespace cef_call_detail {

template <class T>
struct IsIPtr : std::false_type {};
template <class T>
struct IsIPtr<IPtr<T>> : std::true_type {
  using Interface = T;
};
template <class T>
struct IsIPtrVector : std::false_type {};
template <class T>
struct IsIPtrVector<std::vector<IPtr<T>>> : std::true_type {};
template <class T>
struct IsObjectOut : std::false_type {};
template <class T>
struct IsObjectOut<CefOutRef<IPtr<T>>> : std::true_type {
  using Interface = T;
};

// A text argument: the view lives as long as this temporary, i.e. until the call returns.
struct TextArg {
  TCefString view;
  operator const TCefString*() const noexcept { return &view; }
};

// A time argument: the engine's record, alive until the call returns.
struct TimeArg {
  TCefTime record;
  operator const TCefTime*() const noexcept { return &record; }
};

// A string list the engine fills; appended to `out` once the engine has returned.
class ListArg {
 public:
  explicit ListArg(TStrings& out) : out_(out) {}
  operator TCefStringList() const noexcept { return list_.get(); }
  void Finish() { CefStringListReadInto(list_.get(), out_); }

 private:
  CefStringListHandle list_;
  TStrings& out_;
};

// Interfaces as an array of engine pointers, each carrying one reference for the engine.
template <class Struct>
class ArrayArg {
 public:
  template <class Vector>
  explicit ArrayArg(const Vector& items) {
    pointers_.reserve(items.size());
    for (const auto& item : items) pointers_.push_back(CefWrap<Struct>(item));
  }
  operator Struct* const*() const noexcept { return pointers_.data(); }

 private:
  std::vector<Struct*> pointers_;
};

// An object the engine stores through a pointer; the interface adopts it after the call.
template <class I, class Struct>
class OutObject {
 public:
  explicit OutObject(IPtr<I>& target) noexcept : target_(target) {}
  OutObject(const OutObject&) = delete;
  OutObject& operator=(const OutObject&) = delete;
  ~OutObject() {  // only when Finish did not run: the engine's reference is still ours
    TCefStructRef::Adopt(std::exchange(data_, nullptr)).Reset();
  }
  operator Struct**() noexcept { return &data_; }
  void Finish() { target_ = CefUnWrapAs<I>(std::exchange(data_, nullptr)); }

 private:
  IPtr<I>& target_;
  Struct* data_ = nullptr;
};

// A text the engine writes into a record that starts empty; taken and cleared after the call.
class OutText {
 public:
  explicit OutText(ustring& target) noexcept : target_(target) {}
  OutText(const OutText&) = delete;
  OutText& operator=(const OutText&) = delete;
  ~OutText() {
    if (record_.str || record_.dtor) cef_string_clear(&record_);
  }
  operator TCefString*() noexcept { return &record_; }
  void Finish() { target_ = CefStringTakeAndClear(&record_); }

 private:
  ustring& target_;
  TCefString record_{};
};

// The engine form of `value` for an engine parameter of type Param.
template <class Param, class Native>
decltype(auto) ToEngine(Native&& value) {
  using N = std::remove_cvref_t<Native>;
  if constexpr (std::is_same_v<N, ustring>) {
    static_assert(std::is_lvalue_reference_v<Native>, "a view of a temporary would dangle");
    return TextArg{CefStringView(value)};
  } else if constexpr (IsIPtr<N>::value) {
    return CefWrap<std::remove_pointer_t<Param>>(value);
  } else if constexpr (std::is_same_v<N, bool>) {
    return value ? 1 : 0;
  } else if constexpr (std::is_same_v<N, TStrings>) {
    static_assert(std::is_same_v<Param, TCefStringList>, "a native list crosses as an engine string list");
    return ListArg(value);
  } else if constexpr (IsIPtrVector<N>::value) {
    return ArrayArg<std::remove_cv_t<std::remove_pointer_t<std::remove_pointer_t<Param>>>>(value);
  } else if constexpr (std::is_same_v<Param, const TCefTime*> && std::is_same_v<N, TDateTime>) {
    return TimeArg{DateTimeToCefTime(value)};
  } else if constexpr (std::is_same_v<N, CefOutRef<ustring>>) {
    return OutText(value.target);
  } else if constexpr (IsObjectOut<N>::value) {
    return OutObject<typename IsObjectOut<N>::Interface, std::remove_pointer_t<std::remove_pointer_t<Param>>>(
        value.target);
  } else {
    return N(value);
  }
}

// Runs what an argument needs after the engine has returned (reading lists and out values).
template <class Arg>
void Finish(Arg& arg) {
  if constexpr (requires { arg.Finish(); }) arg.Finish();
}

template <class R, class Engine>
R FromEngine(Engine value) {
  if constexpr (std::is_same_v<R, bool>) {
    return value != 0;
  } else if constexpr (std::is_same_v<R, ustring>) {
    static_assert(std::is_same_v<Engine, PCefStringUserFree>, "a text result comes back as a userfree string");
    return CefStringTakeUserFree(value);
  } else if constexpr (IsIPtr<R>::value) {
    return CefUnWrapAs<typename IsIPtr<R>::Interface>(value);
  } else if constexpr (std::is_same_v<Engine, TCefTime>) {
    static_assert(std::is_same_v<R, TDateTime>, "a time record comes back as a TDateTime");
    return CefTimeToDateTime(value);
  } else {
    return static_cast<R>(value);
  }
}

// Calls `call` with the converted arguments (alive until this returns), finishes them and
// converts the engine's result. The result is converted first, so an engine object or string
// is owned natively before anything else can fail.
template <class R, class Call, class... EngineArgs>
R Invoke(Call&& call, EngineArgs&&... args) {
  if constexpr (std::is_void_v<R>) {
    call(args...);
    (Finish(args), ...);
  } else {
    R result = FromEngine<R>(call(args...));
    (Finish(args), ...);
    return result;
  }
}

template <class Member>
struct MemberTraits;
template <class Struct, class Result, class... Params>
struct MemberTraits<Result(CEF_CALLBACK* Struct::*)(Struct*, Params...)> {
  using Self = Struct;
  using ParamList = std::tuple<Params...>;
};

template <class Function>
struct ExportTraits;
template <class Result, class... Params>
struct ExportTraits<Result(CEF_EXPORT_CALL*)(Params...)> {
  using ParamList = std::tuple<Params...>;
};

template <class ParamList, class R, class Call, class... Args, size_t... I>
R InvokeConverted(Call&& call, std::index_sequence<I...>, Args&&... args) {
  static_assert(sizeof...(Args) == std::tuple_size_v<ParamList>, "one argument per engine parameter");
  return Invoke<R>(call, ToEngine<std::tuple_element_t<I, ParamList>>(std::forward<Args>(args))...);
}

}  // namespace cef_call_detail

// Calls member `Member` of the engine structure `data` with `data` first and the converted
// arguments after it, and converts the result to R.
template <class R, auto Member, class... Args>
R CefCall(TCefBase* data, Args&&... args) {
  using Traits = cef_call_detail::MemberTraits<decltype(Member)>;
  auto* self = reinterpret_cast<typename Traits::Self*>(data);
  auto call = [self](auto&&... engine_args) { return (self->*Member)(self, engine_args...); };
  return cef_call_detail::InvokeConverted<typename Traits::ParamList, R>(call, std::index_sequence_for<Args...>{},
                                                                         std::forward<Args>(args)...);
}

// Calls the engine export `function` (an entry point) with the converted arguments and
// converts the result to R.
template <class R, class Function, class... Args>
R CefCallExport(Function function, Args&&... args) {
  using ParamList = typename cef_call_detail::ExportTraits<Function>::ParamList;
  auto call = [function](auto&&... engine_args) { return function(engine_args...); };
  return cef_call_detail::InvokeConverted<ParamList, R>(call, std::index_sequence_for<Args...>{},
                                                         std::forward<Args>(args)...);
}

}  // namespace larkwell
