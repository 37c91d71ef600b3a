// The stand-in's script engine model: values, and what calls into the program's script objects.
//
// A script value is a V8Data shared by every engine structure (handle) the engine hands out
// for it, so two handles of the same value are "the same" while each counts its own
// references. Objects, arrays and functions hold their property values as V8Data; what they
// hold of the program (user data, accessor, function handler) is held by reference and
// released when the value goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/script/script_support.h"

namespace larkwell::enginesim {

enum class V8Kind {
  undefined,
  null,
  boolean,
  integer,
  number,
  date,
  string,
  object,
  array,
  function
};

struct V8Data;
using V8Ref = std::shared_ptr<V8Data>;

struct V8Property {
  std::u16string key;
  V8Ref value;  // empty while the property is served by the object's accessor
  TCefV8PropertyAttribute attribute = 0;
  bool by_accessor = false;
  TCefV8AccessControl access = 0;
};

struct V8Data {
  explicit V8Data(V8Kind value_kind) : kind(value_kind) {}

  // Objects, arrays, functions and dates carry properties, as in the engine's script language.
  bool is_object() const {
    return kind == V8Kind::object || kind == V8Kind::array || kind == V8Kind::function ||
           kind == V8Kind::date;
  }
  V8Property* find_property(std::u16string_view key);

  V8Kind kind;
  int32_t integer = 0;  // also the Boolean
  double number = 0;
  TCefTime date{};                     // kept exactly as given
  std::u16string text;                 // the string, or the function's name
  std::vector<V8Property> properties;  // in insertion order
  std::vector<V8Ref> elements;         // by index; empty entries are holes
  Held<TCefBase> user_data;
  Held<TCefV8Accessor> accessor;
  Held<TCefV8Handler> handler;
  int external_memory = 0;
};

V8Ref make_value(V8Kind kind);

// A new engine structure for `data`, carrying one reference; null for empty data.
TCefV8Value* value_handle(V8Ref data);

// The value behind an engine value structure; empty for null or (recorded by the ledger) a
// structure that is not an engine value.
V8Ref value_data(TCefV8Value* structure, const char* call);

// --- calls into the program's script objects (v8_calls.cpp)

using HeldValues = std::vector<Held<TCefV8Value>>;

// Takes over the reference of every argument of a call; a count without an array is recorded
// as the caller's fault.
HeldValues adopt_arguments(std::size_t count, TCefV8Value* const* arguments, const char* call);

// Runs function `function` for execute_function(_with_context). Takes over the references
// of `context`, `object` and every argument; fills *retval / *exception (when given) with a
// new reference or null. Answers 1 when the handler ran and answered non-zero.
int run_function(const V8Data& function, TCefV8Context* context, TCefV8Value* object,
                 std::size_t argument_count, TCefV8Value* const* arguments, TCefV8Value** retval,
                 TCefV8Exception** exception, int rethrow);

// Reads property `key` of `object` (whose engine structure is `self`) through its accessor:
// the value the accessor returned, with the reference it came with, or null.
TCefV8Value* accessor_get(const V8Data& object, TCefV8Value* self, const std::u16string& key);

// Writes `value` (a reference the engine holds) through the accessor; the accessor's answer.
int accessor_set(const V8Data& object, TCefV8Value* self, const std::u16string& key,
                 const Held<TCefV8Value>& value);

// --- script exceptions (v8_exception.cpp)

struct V8ExceptionInfo {
  std::u16string message;
  std::u16string source_line;
  std::u16string script_resource_name;
  int line_number = 0;
  int start_position = 0;
  int end_position = 0;
  int start_column = 0;
  int end_column = 0;
};
TCefV8Exception* new_exception(V8ExceptionInfo info);

}  // namespace larkwell::enginesim
