// Script exceptions: what a failed call reports, field by field.
#include <string>
#include <utility>

#include "enginesim/core/sim_object.h"
#include "enginesim/script/script_support.h"
#include "enginesim/script/v8_model.h"

namespace larkwell::enginesim {
namespace {

class SimV8Exception final : public SimObjectOf<TCefV8Exception> {
 public:
  explicit SimV8Exception(V8ExceptionInfo info) : SimObjectOf("script exception"), info_(std::move(info)) {
    TCefV8Exception* s = structure();
    s->get_message = entry<&SimV8Exception::text<&V8ExceptionInfo::message>>;
    s->get_source_line = entry<&SimV8Exception::text<&V8ExceptionInfo::source_line>>;
    s->get_script_resource_name = entry<&SimV8Exception::text<&V8ExceptionInfo::script_resource_name>>;
    s->get_line_number = entry<&SimV8Exception::number<&V8ExceptionInfo::line_number>>;
    s->get_start_position = entry<&SimV8Exception::number<&V8ExceptionInfo::start_position>>;
    s->get_end_position = entry<&SimV8Exception::number<&V8ExceptionInfo::end_position>>;
    s->get_start_column = entry<&SimV8Exception::number<&V8ExceptionInfo::start_column>>;
    s->get_end_column = entry<&SimV8Exception::number<&V8ExceptionInfo::end_column>>;
  }

 private:
  template <std::u16string V8ExceptionInfo::*Field>
  PCefStringUserFree text() {
    return userfree_text(info_.*Field);
  }
  template <int V8ExceptionInfo::*Field>
  int number() {
    return info_.*Field;
  }

  V8ExceptionInfo info_;
};

}  // namespace

TCefV8Exception* new_exception(V8ExceptionInfo info) {
  return make_object<SimV8Exception>(std::move(info))->structure();
}

}  // namespace larkwell::enginesim
