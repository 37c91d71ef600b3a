#include "engine/v8_refs.h"

#include "engine/browser_ref.h"
#include "engine/closures.h"
#include "engine/entry_points.h"
#include "engine/frame_ref.h"

namespace larkwell {

// ---- values

IPtr<ICefv8Value> TCefv8ValueRef::UnWrap(void* data) { return CefUnWrap<TCefv8ValueRef, ICefv8Value>(data); }

using TValueResult = IPtr<ICefv8Value>;
TValueResult TCefv8ValueRef::CreateUndefined() { return CefCallExport<TValueResult>(cef_v8value_create_undefined); }
TValueResult TCefv8ValueRef::CreateNull() { return CefCallExport<TValueResult>(cef_v8value_create_null); }
TValueResult TCefv8ValueRef::CreateBool(bool value) { return CefCallExport<TValueResult>(cef_v8value_create_bool, value); }
TValueResult TCefv8ValueRef::CreateInt(int32_t value) { return CefCallExport<TValueResult>(cef_v8value_create_int, value); }
TValueResult TCefv8ValueRef::CreateDouble(double value) {
  return CefCallExport<TValueResult>(cef_v8value_create_double, value);
}
TValueResult TCefv8ValueRef::CreateDate(TDateTime value) {
  return CefCallExport<TValueResult>(cef_v8value_create_date, value);
}
TValueResult TCefv8ValueRef::CreateString(const ustring& str) {
  return CefCallExport<TValueResult>(cef_v8value_create_string, str);
}
TValueResult TCefv8ValueRef::CreateObjectWithAccessor(const IPtr<ICefv8Value>& userData,
                                                      const IPtr<ICefV8Accessor>& accessor) {
  return CefCallExport<TValueResult>(cef_v8value_create_object_with_accessor, userData, accessor);
}
TValueResult TCefv8ValueRef::CreateObjectWithAccessorProc(const IPtr<ICefv8Value>& userData,
                                                          const TCefFastV8AccessorGetterProc& getter,
                                                          const TCefFastV8AccessorSetterProc& setter) {
  return CreateObjectWithAccessor(userData, New<TCefFastV8Accessor>(getter, setter));
}
TValueResult TCefv8ValueRef::CreateArray() { return CefCallExport<TValueResult>(cef_v8value_create_array); }
TValueResult TCefv8ValueRef::CreateFunction(const ustring& name, const IPtr<ICefv8Handler>& handler) {
  return CefCallExport<TValueResult>(cef_v8value_create_function, name, handler);
}

bool TCefv8ValueRef::IsUndefined() { return CefCall<bool, &TCefV8Value::is_undefined>(FData); }
bool TCefv8ValueRef::IsNull() { return CefCall<bool, &TCefV8Value::is_null>(FData); }
bool TCefv8ValueRef::IsBool() { return CefCall<bool, &TCefV8Value::is_bool>(FData); }
bool TCefv8ValueRef::IsInt() { return CefCall<bool, &TCefV8Value::is_int>(FData); }
bool TCefv8ValueRef::IsDouble() { return CefCall<bool, &TCefV8Value::is_double>(FData); }
bool TCefv8ValueRef::IsDate() { return CefCall<bool, &TCefV8Value::is_date>(FData); }
bool TCefv8ValueRef::IsString() { return CefCall<bool, &TCefV8Value::is_string>(FData); }
bool TCefv8ValueRef::IsObject() { return CefCall<bool, &TCefV8Value::is_object>(FData); }
bool TCefv8ValueRef::IsArray() { return CefCall<bool, &TCefV8Value::is_array>(FData); }
bool TCefv8ValueRef::IsFunction() { return CefCall<bool, &TCefV8Value::is_function>(FData); }
bool TCefv8ValueRef::IsSame(const IPtr<ICefv8Value>& that) { return CefCall<bool, &TCefV8Value::is_same>(FData, that); }
bool TCefv8ValueRef::GetBoolValue() { return CefCall<bool, &TCefV8Value::get_bool_value>(FData); }
int TCefv8ValueRef::GetIntValue() { return CefCall<int, &TCefV8Value::get_int_value>(FData); }
double TCefv8ValueRef::GetDoubleValue() { return CefCall<double, &TCefV8Value::get_double_value>(FData); }
TDateTime TCefv8ValueRef::GetDateValue() { return CefCall<TDateTime, &TCefV8Value::get_date_value>(FData); }
ustring TCefv8ValueRef::GetStringValue() { return CefCall<ustring, &TCefV8Value::get_string_value>(FData); }
bool TCefv8ValueRef::HasValueByKey(const ustring& key) {
  return CefCall<bool, &TCefV8Value::has_value_bykey>(FData, key);
}
bool TCefv8ValueRef::HasValueByIndex(int index) { return CefCall<bool, &TCefV8Value::has_value_byindex>(FData, index); }
bool TCefv8ValueRef::DeleteValueByKey(const ustring& key) {
  return CefCall<bool, &TCefV8Value::delete_value_bykey>(FData, key);
}
bool TCefv8ValueRef::DeleteValueByIndex(int index) {
  return CefCall<bool, &TCefV8Value::delete_value_byindex>(FData, index);
}
IPtr<ICefv8Value> TCefv8ValueRef::GetValueByKey(const ustring& key) {
  return CefCall<IPtr<ICefv8Value>, &TCefV8Value::get_value_bykey>(FData, key);
}
IPtr<ICefv8Value> TCefv8ValueRef::GetValueByIndex(int index) {
  return CefCall<IPtr<ICefv8Value>, &TCefV8Value::get_value_byindex>(FData, index);
}
bool TCefv8ValueRef::SetValueByKey(const ustring& key, const IPtr<ICefv8Value>& value,
                                   TCefV8PropertyAttribute attribute) {
  return CefCall<bool, &TCefV8Value::set_value_bykey>(FData, key, value, attribute);
}
bool TCefv8ValueRef::SetValueByIndex(int index, const IPtr<ICefv8Value>& value) {
  return CefCall<bool, &TCefV8Value::set_value_byindex>(FData, index, value);
}
bool TCefv8ValueRef::SetValueByAccessor(const ustring& key, TCefV8AccessControl settings,
                                        TCefV8PropertyAttribute attribute) {
  return CefCall<bool, &TCefV8Value::set_value_byaccessor>(FData, key, settings, attribute);
}
int TCefv8ValueRef::GetKeys(TStrings& keys) { return CefCall<int, &TCefV8Value::get_keys>(FData, keys); }
IPtr<ICefv8Value> TCefv8ValueRef::GetUserData() {
  return CefCall<IPtr<ICefv8Value>, &TCefV8Value::get_user_data>(FData);
}
int TCefv8ValueRef::GetExternallyAllocatedMemory() {
  return CefCall<int, &TCefV8Value::get_externally_allocated_memory>(FData);
}
int TCefv8ValueRef::AdjustExternallyAllocatedMemory(int changeInBytes) {
  return CefCall<int, &TCefV8Value::adjust_externally_allocated_memory>(FData, changeInBytes);
}
int TCefv8ValueRef::GetArrayLength() { return CefCall<int, &TCefV8Value::get_array_length>(FData); }
ustring TCefv8ValueRef::GetFunctionName() { return CefCall<ustring, &TCefV8Value::get_function_name>(FData); }
IPtr<ICefv8Handler> TCefv8ValueRef::GetFunctionHandler() {
  return CefCall<IPtr<ICefv8Handler>, &TCefV8Value::get_function_handler>(FData);
}
bool TCefv8ValueRef::ExecuteFunction(const IPtr<ICefv8Value>& obj, const TCefv8ValueArray& arguments,
                                     IPtr<ICefv8Value>& retval, IPtr<ICefV8Exception>& exception,
                                     bool rethrowException) {
  return CefCall<bool, &TCefV8Value::execute_function>(FData, obj, arguments.size(), arguments, CefOut(retval),
                                                       CefOut(exception), rethrowException);
}
bool TCefv8ValueRef::ExecuteFunctionWithContext(const IPtr<ICefv8Context>& context, const IPtr<ICefv8Value>& obj,
                                                const TCefv8ValueArray& arguments, IPtr<ICefv8Value>& retval,
                                                IPtr<ICefV8Exception>& exception, bool rethrowException) {
  return CefCall<bool, &TCefV8Value::execute_function_with_context>(
      FData, context, obj, arguments.size(), arguments, CefOut(retval), CefOut(exception), rethrowException);
}

// ---- contexts

IPtr<ICefv8Context> TCefv8ContextRef::UnWrap(void* data) { return CefUnWrap<TCefv8ContextRef, ICefv8Context>(data); }
IPtr<ICefv8Context> TCefv8ContextRef::Current() {
  return CefCallExport<IPtr<ICefv8Context>>(cef_v8context_get_current_context);
}
IPtr<ICefv8Context> TCefv8ContextRef::Entered() {
  return CefCallExport<IPtr<ICefv8Context>>(cef_v8context_get_entered_context);
}

IPtr<ICefBrowser> TCefv8ContextRef::GetBrowser() {
  return CefCall<IPtr<ICefBrowser>, &TCefV8Context::get_browser>(FData);
}
IPtr<ICefFrame> TCefv8ContextRef::GetFrame() { return CefCall<IPtr<ICefFrame>, &TCefV8Context::get_frame>(FData); }
IPtr<ICefv8Value> TCefv8ContextRef::GetGlobal() {
  return CefCall<IPtr<ICefv8Value>, &TCefV8Context::get_global>(FData);
}
bool TCefv8ContextRef::Enter() { return CefCall<bool, &TCefV8Context::enter>(FData); }
bool TCefv8ContextRef::Exit() { return CefCall<bool, &TCefV8Context::exit>(FData); }
bool TCefv8ContextRef::IsSame(const IPtr<ICefv8Context>& that) {
  return CefCall<bool, &TCefV8Context::is_same>(FData, that);
}

// ---- function handlers

IPtr<ICefv8Handler> TCefv8HandlerRef::UnWrap(void* data) { return CefUnWrap<TCefv8HandlerRef, ICefv8Handler>(data); }

bool TCefv8HandlerRef::Execute(const ustring& name, const IPtr<ICefv8Value>& obj, const TCefv8ValueArray& arguments,
                               IPtr<ICefv8Value>& retval, ustring& exception) {
  return CefCall<bool, &TCefV8Handler::execute>(FData, name, obj, arguments.size(), arguments, CefOut(retval),
                                                CefOut(exception));
}

// ---- exceptions

IPtr<ICefV8Exception> TCefV8ExceptionRef::UnWrap(void* data) {
  return CefUnWrap<TCefV8ExceptionRef, ICefV8Exception>(data);
}

ustring TCefV8ExceptionRef::GetMessage() { return CefCall<ustring, &TCefV8Exception::get_message>(FData); }
ustring TCefV8ExceptionRef::GetSourceLine() { return CefCall<ustring, &TCefV8Exception::get_source_line>(FData); }
ustring TCefV8ExceptionRef::GetScriptResourceName() {
  return CefCall<ustring, &TCefV8Exception::get_script_resource_name>(FData);
}
int TCefV8ExceptionRef::GetLineNumber() { return CefCall<int, &TCefV8Exception::get_line_number>(FData); }
int TCefV8ExceptionRef::GetStartPosition() { return CefCall<int, &TCefV8Exception::get_start_position>(FData); }
int TCefV8ExceptionRef::GetEndPosition() { return CefCall<int, &TCefV8Exception::get_end_position>(FData); }
int TCefV8ExceptionRef::GetStartColumn() { return CefCall<int, &TCefV8Exception::get_start_column>(FData); }
int TCefV8ExceptionRef::GetEndColumn() { return CefCall<int, &TCefV8Exception::get_end_column>(FData); }

}  // namespace larkwell
