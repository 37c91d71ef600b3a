// The script exports: contexts the engine is in, and new script values.
#include <utility>

#include "enginesim/core/shield.h"
#include "enginesim/exports.h"
#include "enginesim/script/script_support.h"
#include "enginesim/script/v8_context.h"
#include "enginesim/script/v8_model.h"

using namespace larkwell::enginesim;

namespace {

// A new value of `kind`, filled in by `fill`, as a structure with one reference.
template <class Fill>
TCefV8Value* create_value(const char* call, V8Kind kind, Fill&& fill) {
  return shielded<TCefV8Value*>(call, [&] {
    V8Ref data = make_value(kind);
    fill(*data);
    return value_handle(std::move(data));
  });
}

void nothing_to_fill(V8Data&) {}

}  // namespace

TCefV8Context* CEF_EXPORT_CALL cef_v8context_get_current_context(void) {
  return shielded<TCefV8Context*>(__func__, current_context);
}

TCefV8Context* CEF_EXPORT_CALL cef_v8context_get_entered_context(void) {
  return shielded<TCefV8Context*>(__func__, entered_context);
}

int CEF_EXPORT_CALL cef_v8context_in_context(void) {
  return shielded<int>(__func__, [] {
    const Held<TCefV8Context> current = Held<TCefV8Context>::adopt(current_context());
    return current ? 1 : 0;
  });
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_undefined(void) {
  return create_value(__func__, V8Kind::undefined, nothing_to_fill);
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_null(void) {
  return create_value(__func__, V8Kind::null, nothing_to_fill);
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_bool(int value) {
  return create_value(__func__, V8Kind::boolean, [&](V8Data& data) { data.integer = value != 0; });
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_int(int32_t value) {
  return create_value(__func__, V8Kind::integer, [&](V8Data& data) { data.integer = value; });
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_double(double value) {
  return create_value(__func__, V8Kind::number, [&](V8Data& data) { data.number = value; });
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_date(const TCefTime* date) {
  if (date == nullptr) return nullptr;
  return create_value(__func__, V8Kind::date, [&](V8Data& data) { data.date = *date; });
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_string(const TCefString* value) {
  return create_value(__func__, V8Kind::string, [&](V8Data& data) { data.text = text_copy(value); });
}

// The engine takes over the references of both; either may be null.
TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_object_with_accessor(TCefV8Value* user_data, TCefV8Accessor* accessor) {
  return create_value(__func__, V8Kind::object, [&](V8Data& data) {
    data.user_data = Held<TCefBase>::adopt(reinterpret_cast<TCefBase*>(user_data));
    data.accessor = Held<TCefV8Accessor>::adopt(accessor);
  });
}

TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_array(void) {
  return create_value(__func__, V8Kind::array, nothing_to_fill);
}

// The engine takes over the handler's reference; it may be null.
TCefV8Value* CEF_EXPORT_CALL cef_v8value_create_function(const TCefString* name, TCefV8Handler* handler) {
  return create_value(__func__, V8Kind::function, [&](V8Data& data) {
    data.text = text_copy(name);
    data.handler = Held<TCefV8Handler>::adopt(handler);
  });
}
