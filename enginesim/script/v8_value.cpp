// Script values: the engine structure the program calls, one handle per structure.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "enginesim/core/sim_object.h"
#include "enginesim/script/script_support.h"
#include "enginesim/script/v8_model.h"

namespace larkwell::enginesim {
namespace {

constexpr TCefV8PropertyAttribute kReadOnly = 1;
constexpr TCefV8PropertyAttribute kDontEnum = 2;
constexpr TCefV8PropertyAttribute kDontDelete = 4;

class SimV8Value final : public SimObjectOf<TCefV8Value> {
 public:
  explicit SimV8Value(V8Ref data) : SimObjectOf("script value"), data_(std::move(data)) {
    TCefV8Value* s = structure();
    s->is_undefined = entry<&SimV8Value::is<V8Kind::undefined>>;
    s->is_null = entry<&SimV8Value::is<V8Kind::null>>;
    s->is_bool = entry<&SimV8Value::is<V8Kind::boolean>>;
    s->is_int = entry<&SimV8Value::is<V8Kind::integer>>;
    s->is_double = entry<&SimV8Value::is<V8Kind::number>>;
    s->is_date = entry<&SimV8Value::is<V8Kind::date>>;
    s->is_string = entry<&SimV8Value::is<V8Kind::string>>;
    s->is_object = entry<&SimV8Value::is_object>;
    s->is_array = entry<&SimV8Value::is<V8Kind::array>>;
    s->is_function = entry<&SimV8Value::is<V8Kind::function>>;
    s->is_same = entry<&SimV8Value::is_same>;
    s->get_bool_value = entry<&SimV8Value::get_bool_value>;
    s->get_int_value = entry<&SimV8Value::get_int_value>;
    s->get_double_value = entry<&SimV8Value::get_double_value>;
    s->get_date_value = entry<&SimV8Value::get_date_value>;
    s->get_string_value = entry<&SimV8Value::get_string_value>;
    s->has_value_bykey = entry<&SimV8Value::has_value_bykey>;
    s->has_value_byindex = entry<&SimV8Value::has_value_byindex>;
    s->delete_value_bykey = entry<&SimV8Value::delete_value_bykey>;
    s->delete_value_byindex = entry<&SimV8Value::delete_value_byindex>;
    s->get_value_bykey = entry<&SimV8Value::get_value_bykey>;
    s->get_value_byindex = entry<&SimV8Value::get_value_byindex>;
    s->set_value_bykey = entry<&SimV8Value::set_value_bykey>;
    s->set_value_byindex = entry<&SimV8Value::set_value_byindex>;
    s->set_value_byaccessor = entry<&SimV8Value::set_value_byaccessor>;
    s->get_keys = entry<&SimV8Value::get_keys>;
    s->get_user_data = entry<&SimV8Value::get_user_data>;
    s->get_externally_allocated_memory = entry<&SimV8Value::get_externally_allocated_memory>;
    s->adjust_externally_allocated_memory = entry<&SimV8Value::adjust_externally_allocated_memory>;
    s->get_array_length = entry<&SimV8Value::get_array_length>;
    s->get_function_name = entry<&SimV8Value::get_function_name>;
    s->get_function_handler = entry<&SimV8Value::get_function_handler>;
    s->execute_function = entry<&SimV8Value::execute_function>;
    s->execute_function_with_context = entry<&SimV8Value::execute_function_with_context>;
  }

  const V8Ref& data() const noexcept { return data_; }

 private:
  template <V8Kind Kind>
  int is() {
    return data_->kind == Kind ? 1 : 0;
  }
  int is_object() { return data_->is_object() ? 1 : 0; }

  int is_same(TCefV8Value* that) {
    Held<TCefV8Value> other = Held<TCefV8Value>::adopt(that);
    return other && value_data(other.get(), "is_same") == data_ ? 1 : 0;
  }

  int get_bool_value() { return data_->kind == V8Kind::boolean ? data_->integer : 0; }

  int32_t get_int_value() {
    if (data_->kind == V8Kind::integer) return data_->integer;
    return data_->kind == V8Kind::number ? static_cast<int32_t>(data_->number) : 0;
  }

  double get_double_value() {
    if (data_->kind == V8Kind::number) return data_->number;
    return data_->kind == V8Kind::integer ? data_->integer : 0.0;
  }

  TCefTime get_date_value() { return data_->kind == V8Kind::date ? data_->date : TCefTime{}; }

  PCefStringUserFree get_string_value() {
    return userfree_text(data_->kind == V8Kind::string ? data_->text : std::u16string());
  }

  int has_value_bykey(const TCefString* key) {
    return data_->is_object() && data_->find_property(text_of(key)) != nullptr ? 1 : 0;
  }

  int has_value_byindex(int index) { return element(index) != nullptr ? 1 : 0; }

  int delete_value_bykey(const TCefString* key) {
    V8Property* found = data_->is_object() ? data_->find_property(text_of(key)) : nullptr;
    if (found == nullptr || (found->attribute & kDontDelete) != 0) return 0;
    auto& properties = data_->properties;
    properties.erase(properties.begin() + (found - properties.data()));
    return 1;
  }

  int delete_value_byindex(int index) {
    V8Ref* slot = element(index);
    if (slot == nullptr) return 0;
    slot->reset();
    return 1;
  }

  TCefV8Value* get_value_bykey(const TCefString* key) {
    const V8Property* found = data_->is_object() ? data_->find_property(text_of(key)) : nullptr;
    if (found == nullptr) return nullptr;
    if (found->by_accessor) return accessor_get(*data_, structure(), found->key);
    return value_handle(found->value);
  }

  TCefV8Value* get_value_byindex(int index) {
    V8Ref* slot = element(index);
    return slot != nullptr ? value_handle(*slot) : nullptr;
  }

  int set_value_bykey(const TCefString* key, TCefV8Value* value, TCefV8PropertyAttribute attribute) {
    Held<TCefV8Value> held = Held<TCefV8Value>::adopt(value);
    if (!data_->is_object() || !held) return 0;
    V8Property* found = data_->find_property(text_of(key));
    if (found != nullptr && found->by_accessor) {
      return accessor_set(*data_, structure(), found->key, held);
    }
    V8Ref assigned = value_data(held.get(), "set_value_bykey");
    if (!assigned) return 0;
    if (found == nullptr) {
      data_->properties.push_back(V8Property{text_copy(key), std::move(assigned), attribute});
      return 1;
    }
    if ((found->attribute & kReadOnly) != 0) return 0;
    found->value = std::move(assigned);
    found->attribute = attribute;
    return 1;
  }

  int set_value_byindex(int index, TCefV8Value* value) {
    Held<TCefV8Value> held = Held<TCefV8Value>::adopt(value);
    if (!data_->is_object() || index < 0 || !held) return 0;
    V8Ref assigned = value_data(held.get(), "set_value_byindex");
    if (!assigned) return 0;
    auto& elements = data_->elements;
    if (static_cast<std::size_t>(index) >= elements.size()) elements.resize(index + 1u);
    elements[static_cast<std::size_t>(index)] = std::move(assigned);
    return 1;
  }

  // Registers `key` as served by the object's accessor; only objects made with one accept.
  int set_value_byaccessor(const TCefString* key, TCefV8AccessControl settings, TCefV8PropertyAttribute attribute) {
    if (!data_->is_object() || !data_->accessor) return 0;
    V8Property* found = data_->find_property(text_of(key));
    if (found == nullptr) {
      data_->properties.push_back(V8Property{text_copy(key), nullptr, attribute});
      found = &data_->properties.back();
    }
    found->value.reset();
    found->attribute = attribute;
    found->by_accessor = true;
    found->access = settings;
    return 1;
  }

  // Indices that hold a value, then the enumerable keys in insertion order.
  int get_keys(TCefStringList keys) {
    if (!data_->is_object()) return 0;
    std::vector<std::u16string> listed;
    for (std::size_t i = 0; i < data_->elements.size(); ++i) {
      if (!data_->elements[i]) continue;
      const std::string digits = std::to_string(i);
      listed.emplace_back(digits.begin(), digits.end());
    }
    for (const V8Property& property : data_->properties) {
      if ((property.attribute & kDontEnum) == 0) listed.push_back(property.key);
    }
    web::append_to_list(keys, listed, "get_keys");
    return 1;
  }

  TCefV8Value* get_user_data() { return reinterpret_cast<TCefV8Value*>(data_->user_data.share()); }

  int get_externally_allocated_memory() { return data_->external_memory; }
  int adjust_externally_allocated_memory(int change_in_bytes) { return data_->external_memory += change_in_bytes; }

  int get_array_length() { return data_->kind == V8Kind::array ? static_cast<int>(data_->elements.size()) : 0; }

  PCefStringUserFree get_function_name() {
    return userfree_text(data_->kind == V8Kind::function ? data_->text : std::u16string());
  }

  TCefV8Handler* get_function_handler() { return data_->handler.share(); }

  int execute_function(TCefV8Value* object, std::size_t argument_count, TCefV8Value* const* arguments,
                       TCefV8Value** retval, TCefV8Exception** exception, int rethrow) {
    return run_function(*data_, nullptr, object, argument_count, arguments, retval, exception, rethrow);
  }

  int execute_function_with_context(TCefV8Context* context, TCefV8Value* object, std::size_t argument_count,
                                    TCefV8Value* const* arguments, TCefV8Value** retval, TCefV8Exception** exception,
                                    int rethrow) {
    return run_function(*data_, context, object, argument_count, arguments, retval, exception, rethrow);
  }

  V8Ref* element(int index) {
    if (!data_->is_object() || index < 0) return nullptr;
    const auto at = static_cast<std::size_t>(index);
    if (at >= data_->elements.size() || !data_->elements[at]) return nullptr;
    return &data_->elements[at];
  }

  V8Ref data_;
};

}  // namespace

V8Property* V8Data::find_property(std::u16string_view key) {
  auto found = std::find_if(properties.begin(), properties.end(),
                            [key](const V8Property& property) { return property.key == key; });
  return found != properties.end() ? &*found : nullptr;
}

V8Ref make_value(V8Kind kind) { return std::make_shared<V8Data>(kind); }

TCefV8Value* value_handle(V8Ref data) { return data ? make_object<SimV8Value>(std::move(data))->structure() : nullptr; }

V8Ref value_data(TCefV8Value* structure, const char* call) {
  if (structure == nullptr) return nullptr;
  const SimV8Value* value = object_of<SimV8Value>(structure, call);
  return value != nullptr ? value->data() : nullptr;
}

}  // namespace larkwell::enginesim
