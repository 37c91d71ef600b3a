// A function handler implemented by the engine, for testing the wrapper of an engine handler.
#include "enginesim/script/v8_handler.h"

#include <string>
#include <utility>

#include "enginesim/core/sim_object.h"
#include "enginesim/script/call_records.h"
#include "enginesim/script/script_support.h"
#include "enginesim/script/v8_model.h"

namespace larkwell::enginesim {
namespace {

class SimV8Handler final : public SimObjectOf<TCefV8Handler> {
 public:
  explicit SimV8Handler(std::u16string exception_message)
      : SimObjectOf("script handler"), exception_message_(std::move(exception_message)) {
    structure()->execute = entry<&SimV8Handler::execute>;
  }

 private:
  // Echoes the first argument, or throws the configured exception.
  int execute(const TCefString* name, TCefV8Value* object, std::size_t argument_count, TCefV8Value* const* arguments,
              TCefV8Value** retval, TCefString* exception) {
    const Held<TCefV8Value> held_object = Held<TCefV8Value>::adopt(object);
    const HeldValues held_arguments = adopt_arguments(argument_count, arguments, "execute");

    TSimV8Call call{};
    call.argument_count = static_cast<int32_t>(argument_count);
    call.has_object = held_object ? 1 : 0;
    call.outs_started_empty = retval != nullptr && exception != nullptr && *retval == nullptr &&
                              exception->str == nullptr && exception->length == 0;
    copy_utf8(text_of(name), call.name, sizeof call.name);
    note_v8_call(SIM_V8_HANDLER_CALL, call);

    if (!exception_message_.empty()) {
      if (exception != nullptr) assign_copy(exception, std::u16string_view(exception_message_));
      return 1;
    }
    if (retval != nullptr) {
      *retval = held_arguments.empty() ? value_handle(make_value(V8Kind::undefined)) : held_arguments.front().share();
    }
    return 1;
  }

  std::u16string exception_message_;
};

}  // namespace

TCefV8Handler* create_v8handler(std::u16string exception_message) {
  return make_object<SimV8Handler>(std::move(exception_message))->structure();
}

}  // namespace larkwell::enginesim
