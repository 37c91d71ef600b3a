// The engine calling the program's script objects: function handlers and property accessors.
#include <string>
#include <vector>

#include "enginesim/core/engine_refs.h"
#include "enginesim/core/ledger.h"
#include "enginesim/script/call_records.h"
#include "enginesim/script/script_support.h"
#include "enginesim/script/v8_context.h"
#include "enginesim/script/v8_model.h"

namespace larkwell::enginesim {
namespace {

bool written(const TCefString& record) { return record.str != nullptr || record.length != 0; }

struct HandlerOutcome {
  int answer = 0;
  Held<TCefV8Value> retval;  // what the handler returned, when it answered non-zero
  std::u16string exception;
};

// Calls the handler with new references to the object and the arguments.
HandlerOutcome call_handler(TCefV8Handler* handler, const std::u16string& name, const Held<TCefV8Value>& object,
                            const HeldValues& arguments) {
  HandlerOutcome outcome;
  if (handler->execute == nullptr) return outcome;
  std::vector<TCefV8Value*> passed;
  passed.reserve(arguments.size());
  for (const auto& argument : arguments) passed.push_back(argument.share());
  const TCefString lent_name = lent_text(name);
  TCefV8Value* retval = nullptr;
  TCefString exception{};
  outcome.answer = handler->execute(handler, &lent_name, object.share(), passed.size(),
                                    passed.empty() ? nullptr : passed.data(), &retval, &exception);
  outcome.retval = Held<TCefV8Value>::adopt(retval);
  outcome.exception = text_copy(&exception);
  clear_record(&exception);
  if (outcome.answer == 0) outcome.retval.reset();
  return outcome;
}

// The exception a native function raised by filling its exception text.
V8ExceptionInfo thrown_by(const std::u16string& function_name, std::u16string message) {
  V8ExceptionInfo info;
  info.message = std::move(message);
  info.source_line = function_name + u"()";
  info.script_resource_name = u"native";
  info.line_number = 1;
  info.end_position = info.end_column = static_cast<int>(info.source_line.size());
  return info;
}

void note_accessor(bool is_set, const std::u16string& key, int answer, TCefV8Value* retval,
                   const TCefString& exception) {
  TSimV8AccessorCall call{};
  call.is_set = is_set ? 1 : 0;
  call.answer = answer;
  call.retval_null = retval == nullptr ? 1 : 0;
  call.retval_refct = refct_of(reinterpret_cast<TCefBase*>(retval));
  call.exception_written = written(exception) ? 1 : 0;
  copy_utf8(key, call.name, sizeof call.name);
  note_accessor_call(call);
}

}  // namespace

HeldValues adopt_arguments(std::size_t count, TCefV8Value* const* arguments, const char* call) {
  HeldValues held;
  if (arguments == nullptr) {
    if (count != 0) ledger().record_error(std::string(call) + ": arguments counted but not given");
    return held;
  }
  held.reserve(count);
  for (std::size_t i = 0; i < count; ++i) held.push_back(Held<TCefV8Value>::adopt(arguments[i]));
  return held;
}

int run_function(const V8Data& function, TCefV8Context* context, TCefV8Value* object, std::size_t argument_count,
                 TCefV8Value* const* arguments, TCefV8Value** retval, TCefV8Exception** exception, int rethrow) {
  const Held<TCefV8Context> held_context = Held<TCefV8Context>::adopt(context);
  const Held<TCefV8Value> held_object = Held<TCefV8Value>::adopt(object);
  const HeldValues held_arguments = adopt_arguments(argument_count, arguments, "execute_function");

  TSimV8Call call{};
  call.argument_count = static_cast<int32_t>(argument_count);
  call.has_object = held_object ? 1 : 0;
  call.has_context = held_context ? 1 : 0;
  call.rethrow = rethrow != 0 ? 1 : 0;
  call.outs_started_empty = retval != nullptr && exception != nullptr && *retval == nullptr && *exception == nullptr;
  note_v8_call(SIM_V8_FUNCTION_CALL, call);

  if (retval != nullptr) *retval = nullptr;
  if (exception != nullptr) *exception = nullptr;
  if (function.kind != V8Kind::function || !function.handler) return 0;

  const RunningIn running(held_context.get());
  HandlerOutcome outcome = call_handler(function.handler.get(), function.text, held_object, held_arguments);
  if (!outcome.exception.empty()) {
    if (exception != nullptr) *exception = new_exception(thrown_by(function.text, outcome.exception));
  } else if (retval != nullptr) {
    *retval = outcome.retval.share();
  }
  return outcome.answer != 0 ? 1 : 0;
}

TCefV8Value* accessor_get(const V8Data& object, TCefV8Value* self, const std::u16string& key) {
  TCefV8Accessor* accessor = object.accessor.get();
  if (accessor == nullptr || accessor->get == nullptr) return nullptr;
  const TCefString name = lent_text(key);
  TCefV8Value* retval = nullptr;
  TCefString exception{};
  const int answer = accessor->get(accessor, &name, pass_ref(self), &retval, &exception);
  note_accessor(false, key, answer, retval, exception);
  clear_record(&exception);
  // Whatever the accessor stored carries one reference, which the engine now owns.
  Held<TCefV8Value> returned = Held<TCefV8Value>::adopt(retval);
  return answer != 0 ? returned.share() : nullptr;
}

int accessor_set(const V8Data& object, TCefV8Value* self, const std::u16string& key, const Held<TCefV8Value>& value) {
  TCefV8Accessor* accessor = object.accessor.get();
  if (accessor == nullptr || accessor->set == nullptr) return 0;
  const TCefString name = lent_text(key);
  TCefString exception{};
  const int answer = accessor->set(accessor, &name, pass_ref(self), value.share(), &exception);
  note_accessor(true, key, answer, nullptr, exception);
  clear_record(&exception);
  return answer;
}

}  // namespace larkwell::enginesim
