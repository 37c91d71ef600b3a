// The one way the engine calls the program: a generic entry stored in a structure slot. The
// class that owns the structure fills its slots in its constructor, through a table bound to
// `this`:
//
//   auto slots = CefSlots<TCefLoadHandler>(this);
//   slots.Set<&TCefLoadHandler::on_load_start, &TCefLoadHandlerOwn::OnLoadStart>();
//   slots.Set<&TCefLoadHandler::on_load_error, &TCefLoadHandlerOwn::OnLoadError,
//             ByType, ByType, ByType, ByType, TextInOut<kWhenTrue, kSet>>();
//
// The entry has exactly the slot's type (the compiler checks it; nothing is cast) and:
//  1. recovers the owning object from the hidden word in front of the structure, as the class
//     that filled the table (see "Finding the owner" below);
//  2. turns each engine argument into the method's parameter, by the rule given for its
//     position (ByType when none is given): an engine object becomes its wrapper (which takes
//     over the reference the engine passed), text becomes a ustring copy, an int becomes a
//     Boolean where the method takes one, a pointer becomes a reference where the method takes
//     one, everything else is passed unchanged;
//  3. calls the method (parameters in the engine's order unless an Order<...> comes first);
//  4. returns its result: a Boolean as exactly 0 or 1, an interface as its Wrap (one reference
//     for the engine) or null, other values unchanged;
//  5. writes in/out arguments back under their rule's condition;
//  6. releases every wrapper and string it made, on every path.
// An exception never reaches the engine: it is reported (cef_error_report.h) and the engine
// gets the neutral answer (0 or null) with nothing written back. A slot whose 0 means success
// names its failure answer with a leading AnswerOnError<value>.
//
// A slot whose arguments do not map one-to-one onto the method (one record feeding two
// parameters) uses SetBody with a small static function that takes the owner as its first
// parameter; it still gets step 1 and the exception stop from here.
//
// Finding the owner. The table knows the class `Own` that fills it (the type of `this`), and
// every entry it stores is made for that class, so the object behind the hidden word is an Own
// (or derives from it): the entry converts the word with static_cast from TCefBaseOwn down to
// Own, which compiles only where TCefBaseOwn is an unambiguous, non-virtual base of Own. The
// method may belong to Own, to a base class or to an interface Own implements; the entry calls
// it on Own, so the compiler converts to the method's class (and refuses a method of a class
// Own does not derive from). No run-time type test, no cross-cast, no cast of a pointer.
#pragma once

#include <cstddef>
#include <exception>
#include <tuple>
#include <type_traits>
#include <utility>

#include "core/interface.h"
#include "core/ustring.h"
#include "engine/cef_api.h"
#include "engine/cef_base.h"
#include "engine/cef_call.h"
#include "engine/cef_error_report.h"
#include "engine/cef_string.h"

namespace larkwell {

// When an in/out argument is written back (combine with |).
enum TCefWriteWhen : unsigned {
  kAlways = 0,
  kWhenTrue = 1,      // only when the method answered true
  kWhenFalse = 2,     // only when the method answered false
  kWhenNotEmpty = 4,  // only when the value is not empty
};

// How text is written back:
//  kSet      set: the engine's record gets a copy through the engine's set (old content released);
//            skipped for a null record;
//  kReplace  replace: a fresh engine copy is stored over the whole 12-byte record;
enum TCefTextForm { kSet, kReplace };

// What a text or object local starts as.
enum TCefLocalInit {
  kFromEngine,    // a copy of what the engine passed
  kEmpty,         // empty; the engine's value is not read
  kTakeAndClear,  // the engine's text, which is then cleared in the engine's record
};

// Position rules.
struct ByType {};
template <unsigned When, TCefTextForm Form, TCefLocalInit Init = kFromEngine>
struct TextInOut {};
template <unsigned When>
struct FlagInOut {};
template <unsigned When, TCefLocalInit Init = kFromEngine>
struct ObjectInOut {};
// The method's parameters in terms of engine argument positions (0 = first after the structure).
template <size_t... EngineIndex>
struct Order {};
// What the engine gets when the method fails, for a slot where the neutral 0 would read as
// success; comes before an Order<...>.
template <auto Value>
struct AnswerOnError {};

namespace cef_callback_detail {

using cef_call_detail::IsIPtr;

template <class T>
using Bare = std::remove_cvref_t<T>;

// What the write-back rules see of a method that answers nothing: a condition on its answer does
// not compile, rather than always holding.
struct NoAnswer {};

template <unsigned When, class MethodResult>
bool ShouldWrite(const MethodResult& result, bool not_empty) {
  if constexpr ((When & (kWhenTrue | kWhenFalse)) != 0) {
    static_assert(std::is_same_v<MethodResult, bool>, "a condition on the answer needs a Boolean method");
    if ((When & kWhenTrue) && !result) return false;
    if ((When & kWhenFalse) && result) return false;
  }
  if ((When & kWhenNotEmpty) && !not_empty) return false;
  return true;
}

// ---- one local per engine argument ------------------------------------------------------------

template <class Rule, class EngineArg, class Param>
class Local;

// Conversion by type.
template <class EngineArg, class Param>
constexpr bool kPassesStorage =
    std::is_lvalue_reference_v<Param> && std::is_pointer_v<EngineArg> &&
    std::is_same_v<std::remove_cv_t<std::remove_pointer_t<EngineArg>>, Bare<Param>>;

template <class Param, class EngineArg>
auto ConvertByType(EngineArg arg) {
  using P = Bare<Param>;
  if constexpr (kPassesStorage<EngineArg, Param>) {
    return arg;  // the method works on the engine's own storage
  } else if constexpr (IsIPtr<P>::value) {
    return CefUnWrapAs<typename IsIPtr<P>::Interface>(arg);
  } else if constexpr (std::is_same_v<P, ustring>) {
    return CefStringToNative(arg);
  } else if constexpr (std::is_same_v<P, bool>) {
    return arg != 0;
  } else {
    return static_cast<P>(arg);
  }
}

template <class EngineArg, class Param>
class Local<ByType, EngineArg, Param> {
  // A method that changes a converted copy would change nothing the engine sees.
  static_assert(!std::is_lvalue_reference_v<Param> || std::is_const_v<std::remove_reference_t<Param>> ||
                    kPassesStorage<EngineArg, Param>,
                "an in/out (non-const reference) parameter needs an in/out rule in the slot table");

 public:
  explicit Local(EngineArg arg) : value_(ConvertByType<Param>(arg)) {}

  decltype(auto) Get() {
    if constexpr (kPassesStorage<EngineArg, Param>) {
      return *value_;
    } else {
      return (value_);
    }
  }
  template <class R>
  void Finish(const R&) {}

 private:
  decltype(ConvertByType<Param>(std::declval<EngineArg>())) value_;
};

template <unsigned When, TCefTextForm Form, TCefLocalInit Init, class Param>
class Local<TextInOut<When, Form, Init>, TCefString*, Param> {
  static_assert(std::is_same_v<Param, ustring&>, "an in/out text is a ustring reference");
  static_assert(!(Form == kSet && Init == kTakeAndClear), "a cleared record is written back by replacing it");

 public:
  explicit Local(TCefString* record) : record_(record) {
    if constexpr (Init == kFromEngine) value_ = CefStringToNative(record);
    if constexpr (Init == kTakeAndClear) {
      value_ = CefStringTakeAndClear(record);
      taken_ = value_;
    }
  }
  Local(Local&& other) noexcept
      : record_(other.record_), value_(std::move(other.value_)), taken_(std::move(other.taken_)),
        finished_(std::exchange(other.finished_, true)) {}
  Local(const Local&) = delete;
  Local& operator=(const Local&) = delete;
  // A handler that failed after its text was taken: the engine gets its own text back, so a
  // failure writes nothing the engine did not have.
  ~Local() {
    if constexpr (Init == kTakeAndClear) {
      if (!finished_) {
        try {
          *record_ = CefStringCopy(taken_);
        } catch (...) {
          // Out of memory: the record stays empty, which the engine also accepts.
        }
      }
    }
  }
  ustring& Get() { return value_; }
  template <class R>
  void Finish(const R& result) {
    finished_ = true;
    if (!ShouldWrite<When>(result, !value_.empty())) return;
    if constexpr (Form == kSet) {
      CefStringAssign(record_, value_);
    } else {
      *record_ = CefStringCopy(value_);
    }
  }

 private:
  TCefString* record_;
  ustring value_;
  ustring taken_;  // what was taken from the engine, for a failure
  bool finished_ = false;
};

template <unsigned When>
class Local<FlagInOut<When>, int*, bool&> {
 public:
  explicit Local(int* flag) : flag_(flag), value_(*flag != 0) {}
  bool& Get() { return value_; }
  template <class R>
  void Finish(const R& result) {
    if (ShouldWrite<When>(result, true)) *flag_ = value_ ? 1 : 0;
  }

 private:
  int* flag_;
  bool value_;
};

template <unsigned When, TCefLocalInit Init, class Struct, class Param>
class Local<ObjectInOut<When, Init>, Struct**, Param> {
  using P = Bare<Param>;
  static_assert(IsIPtr<P>::value && std::is_lvalue_reference_v<Param>, "an in/out object is an interface reference");
  static_assert(Init != kTakeAndClear, "objects are taken from the engine or start empty");

 public:
  explicit Local(Struct** slot) : slot_(slot) {
    // The local holds a reference of its own, so the engine's pointer keeps its reference
    // whether or not it is replaced.
    if constexpr (Init == kFromEngine) {
      if (*slot) value_ = CefUnWrapAs<typename IsIPtr<P>::Interface>(TCefStructRef::AddRef(*slot).Release());
    }
  }
  P& Get() { return value_; }
  template <class R>
  void Finish(const R& result) {
    if (!ShouldWrite<When>(result, static_cast<bool>(value_))) return;
    Struct* replacement = CefWrap<Struct>(value_);
    // The reference that came with the engine's old pointer goes with it.
    TCefStructRef old;
    if constexpr (Init == kFromEngine) old = TCefStructRef::Adopt(*slot_);
    *slot_ = replacement;
  }

 private:
  Struct** slot_;
  P value_;
};

// ---- the entry ------------------------------------------------------------------------------

// The answer of a failed call: the slot's AnswerOnError, else 0 or null.
template <class Entry, class R>
constexpr R ErrorAnswer() {
  if constexpr (requires { Entry::Opts::kErrorAnswer; }) {
    return static_cast<R>(Entry::Opts::kErrorAnswer);
  } else {
    return R{};
  }
}

template <class Slot>
struct SlotTraits;
template <class R, class Self, class... A>
struct SlotTraits<R(CEF_CALLBACK*)(Self*, A...)> {
  using Result = R;
  using Structure = Self;
  using Args = std::tuple<A...>;
  template <class Body>
  static R CEF_CALLBACK Entry(Self* self, A... args) noexcept {
    try {
      return Body::Run(self, args...);
    } catch (...) {
      ReportCefCallbackError(std::current_exception());
      if constexpr (!std::is_void_v<R>) return ErrorAnswer<Body, R>();
    }
  }
};

template <class M>
struct MethodTraits;
template <class R, class C, class... P>
struct MethodTraits<R (C::*)(P...)> {
  using Result = R;
  using Class = C;
  using Params = std::tuple<P...>;
};

template <class MemberPointer>
struct SlotOf;
template <class Struct, class Slot>
struct SlotOf<Slot Struct::*> {
  using type = Slot;
};

template <size_t I, class List, bool InRange = (I < std::tuple_size_v<List>)>
struct RuleAt {
  using type = ByType;  // positions without a rule convert by type
};
template <size_t I, class List>
struct RuleAt<I, List, true> {
  using type = std::tuple_element_t<I, List>;
};

template <class... Rules>
struct RuleList {
  template <size_t I>
  using At = typename RuleAt<I, std::tuple<Rules...>>::type;
  static constexpr size_t kCount = sizeof...(Rules);
};

// Splits an optional leading AnswerOnError<...> and Order<...> from the position rules.
template <class... Rules>
struct Options {
  using Positions = RuleList<Rules...>;
  static constexpr bool kReordered = false;
};
template <size_t... I, class... Rules>
struct Options<Order<I...>, Rules...> {
  using Positions = RuleList<Rules...>;
  static constexpr bool kReordered = true;
  // The bound is written out: ParamFor and EngineFor read elements in constant expressions, and
  // in a template an array whose bound comes only from its initializer may still count as one
  // of unknown bound there (clang refuses the read).
  static constexpr size_t kIndex[sizeof...(I)] = {I...};
};
template <auto Value, class... Rules>
struct Options<AnswerOnError<Value>, Rules...> : Options<Rules...> {
  static constexpr auto kErrorAnswer = Value;
};

// The method parameter that engine argument `E` feeds.
template <class Opts, size_t E, size_t ParamCount>
constexpr size_t ParamFor() {
  if constexpr (Opts::kReordered) {
    for (size_t p = 0; p < ParamCount; ++p)
      if (Opts::kIndex[p] == E) return p;
    return ParamCount;
  } else {
    return E;
  }
}
template <class Opts, size_t P>
constexpr size_t EngineFor() {
  if constexpr (Opts::kReordered) {
    return Opts::kIndex[P];
  } else {
    return P;
  }
}

template <class R, class Engine>
Engine ToEngineResult(R&& value) {
  using V = Bare<R>;
  if constexpr (std::is_same_v<V, bool>) {
    return value ? 1 : 0;
  } else if constexpr (IsIPtr<V>::value) {
    return CefWrap<std::remove_pointer_t<Engine>>(value);
  } else {
    return static_cast<Engine>(value);
  }
}

// The object behind the hidden word of a structure whose table `Own` filled (see "Finding the
// owner" at the top of this file).
template <class Own>
Own& OwnerOf(const void* structure) noexcept {
  static_assert(std::is_base_of_v<TCefBaseOwn, Own>, "only a TCefBaseOwn has a hidden owner word");
  return static_cast<Own&>(*CefGetOwner(structure));
}

template <class Own, auto SlotMember, auto Method, class... Rules>
struct Callback {
  using Slot = typename SlotOf<decltype(SlotMember)>::type;
  using ST = SlotTraits<Slot>;
  using MT = MethodTraits<decltype(Method)>;
  using Opts = Options<Rules...>;
  using EngineArgs = typename ST::Args;
  using Params = typename MT::Params;
  static constexpr size_t kArgs = std::tuple_size_v<EngineArgs>;
  static constexpr size_t kParams = std::tuple_size_v<Params>;
  static_assert(kArgs == kParams, "every engine argument feeds one method parameter");
  static_assert(Opts::Positions::kCount <= kArgs, "more rules than engine arguments");
  static_assert(std::is_base_of_v<typename MT::Class, Own>,
                "the method belongs to a class the structure's owner does not derive from");

  template <size_t E>
  using LocalAt = Local<typename Opts::Positions::template At<E>, std::tuple_element_t<E, EngineArgs>,
                        std::tuple_element_t<ParamFor<Opts, E, kParams>(), Params>>;

  template <class Self, class... A>
  static typename ST::Result Run(Self* self, A... args) {
    return RunWith(self, std::index_sequence_for<A...>{}, args...);
  }

  template <class Self, size_t... E, class... A>
  static typename ST::Result RunWith(Self* self, std::index_sequence<E...>, A... args) {
    // Own to the method's class: an implicit conversion the compiler checks.
    typename MT::Class& owner = OwnerOf<Own>(self);
    std::tuple<LocalAt<E>...> locals(args...);
    auto call = [&]<size_t... P>(std::index_sequence<P...>) -> decltype(auto) {
      return (owner.*Method)(std::get<EngineFor<Opts, P>()>(locals).Get()...);
    };
    using MR = typename MT::Result;
    if constexpr (std::is_void_v<MR>) {
      call(std::make_index_sequence<kParams>{});
      (std::get<E>(locals).Finish(NoAnswer{}), ...);
      if constexpr (!std::is_void_v<typename ST::Result>) return typename ST::Result{};
    } else {
      MR result = call(std::make_index_sequence<kParams>{});
      (std::get<E>(locals).Finish(result), ...);
      if constexpr (!std::is_void_v<typename ST::Result>) {
        return ToEngineResult<MR&, typename ST::Result>(result);
      }
    }
  }
};

template <class Own, auto Body>
struct BodyCallback {
  template <class Self, class... A>
  static auto Run(Self* self, A... args) {
    return Body(OwnerOf<Own>(self), args...);
  }
};

template <auto SlotMember>
using EntryOf = SlotTraits<typename SlotOf<decltype(SlotMember)>::type>;

}  // namespace cef_callback_detail

// The slots of the structure `Struct` that the object `Own` owns, filled with entries made for
// Own. Made in Own's constructor from `this` (CefSlots below), so that the entries and the
// structure belong to the same object.
template <class Struct, class Own>
class TCefSlots {
 public:
  explicit TCefSlots(Own* owner) noexcept : structure_(owner->template DataAs<Struct>()) {}

  // Stores in `SlotMember` (e.g. &TCefLoadHandler::on_load_start) the entry that calls `Method`
  // of the owner, converting as described at the top of this file.
  template <auto SlotMember, auto Method, class... Rules>
  void Set() noexcept {
    structure_->*SlotMember = &cef_callback_detail::EntryOf<SlotMember>::template Entry<
        cef_callback_detail::Callback<Own, SlotMember, Method, Rules...>>;
  }

  // Stores in `SlotMember` the entry that hands the owner (as Own&, or a base the function
  // takes) and the engine's arguments unchanged to the static function `Body`; only the
  // exception stop is added.
  template <auto SlotMember, auto Body>
  void SetBody() noexcept {
    structure_->*SlotMember =
        &cef_callback_detail::EntryOf<SlotMember>::template Entry<cef_callback_detail::BodyCallback<Own, Body>>;
  }

 private:
  Struct* structure_;
};

// The slot table of `owner`'s structure, as `Struct`; call it with `this`.
template <class Struct, class Own>
TCefSlots<Struct, Own> CefSlots(Own* owner) noexcept {
  static_assert(std::is_base_of_v<TCefBaseOwn, Own>, "only a TCefBaseOwn owns an engine structure");
  return TCefSlots<Struct, Own>(owner);
}

}  // namespace larkwell
