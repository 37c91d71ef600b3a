// The wrappers of the engine's script objects: values (with the functions that create them),
// contexts, function handlers and exceptions.
#pragma once

#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefv8ValueRef : public TCefBaseRef, public ICefv8Value {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefv8Value> UnWrap(void* data);

  // New engine values; each is empty when the engine answers null.
  static IPtr<ICefv8Value> CreateUndefined();
  static IPtr<ICefv8Value> CreateNull();
  static IPtr<ICefv8Value> CreateBool(bool value);
  static IPtr<ICefv8Value> CreateInt(int32_t value);
  static IPtr<ICefv8Value> CreateDouble(double value);
  // `value` is local time; the engine receives it as coordinated universal time.
  static IPtr<ICefv8Value> CreateDate(TDateTime value);
  static IPtr<ICefv8Value> CreateString(const ustring& str);
  // Both handed over with one reference each, or null.
  static IPtr<ICefv8Value> CreateObjectWithAccessor(const IPtr<ICefv8Value>& userData,
                                                    const IPtr<ICefV8Accessor>& accessor);
  // The same, with the accessor made of two closures (either may be empty).
  static IPtr<ICefv8Value> CreateObjectWithAccessorProc(const IPtr<ICefv8Value>& userData,
                                                        const TCefFastV8AccessorGetterProc& getter,
                                                        const TCefFastV8AccessorSetterProc& setter);
  static IPtr<ICefv8Value> CreateArray();
  static IPtr<ICefv8Value> CreateFunction(const ustring& name, const IPtr<ICefv8Handler>& handler);

  bool IsUndefined() override;
  bool IsNull() override;
  bool IsBool() override;
  bool IsInt() override;
  bool IsDouble() override;
  bool IsDate() override;
  bool IsString() override;
  bool IsObject() override;
  bool IsArray() override;
  bool IsFunction() override;
  bool IsSame(const IPtr<ICefv8Value>& that) override;
  bool GetBoolValue() override;
  int GetIntValue() override;
  double GetDoubleValue() override;
  // The engine's time (coordinated universal time) as local time; raises EConvertError when
  // the engine's record is no valid date.
  TDateTime GetDateValue() override;
  ustring GetStringValue() override;
  bool HasValueByKey(const ustring& key) override;
  bool HasValueByIndex(int index) override;
  bool DeleteValueByKey(const ustring& key) override;
  bool DeleteValueByIndex(int index) override;
  IPtr<ICefv8Value> GetValueByKey(const ustring& key) override;
  IPtr<ICefv8Value> GetValueByIndex(int index) override;
  bool SetValueByKey(const ustring& key, const IPtr<ICefv8Value>& value, TCefV8PropertyAttribute attribute) override;
  bool SetValueByIndex(int index, const IPtr<ICefv8Value>& value) override;
  bool SetValueByAccessor(const ustring& key, TCefV8AccessControl settings, TCefV8PropertyAttribute attribute) override;
  // Appends the engine's keys to `keys` without clearing it; answers the engine's result.
  int GetKeys(TStrings& keys) override;
  IPtr<ICefv8Value> GetUserData() override;
  int GetExternallyAllocatedMemory() override;
  int AdjustExternallyAllocatedMemory(int changeInBytes) override;
  int GetArrayLength() override;
  ustring GetFunctionName() override;
  IPtr<ICefv8Handler> GetFunctionHandler() override;
  // Each argument goes to the engine with one reference (null for an empty entry); `retval`
  // and `exception` become what the engine returned, empty where it returned null.
  bool ExecuteFunction(const IPtr<ICefv8Value>& obj, const TCefv8ValueArray& arguments, IPtr<ICefv8Value>& retval,
                       IPtr<ICefV8Exception>& exception, bool rethrowException) override;
  bool ExecuteFunctionWithContext(const IPtr<ICefv8Context>& context, const IPtr<ICefv8Value>& obj,
                                  const TCefv8ValueArray& arguments, IPtr<ICefv8Value>& retval,
                                  IPtr<ICefV8Exception>& exception, bool rethrowException) override;
};
template <>
struct CefRefClass<ICefv8Value> {
  using type = TCefv8ValueRef;
};

class TCefv8ContextRef : public TCefBaseRef, public ICefv8Context {
 public:
  using TCefBaseRef::TCefBaseRef;
  static IPtr<ICefv8Context> UnWrap(void* data);
  // The engine's current and entered contexts; empty outside any context.
  static IPtr<ICefv8Context> Current();
  static IPtr<ICefv8Context> Entered();

  IPtr<ICefBrowser> GetBrowser() override;
  IPtr<ICefFrame> GetFrame() override;
  IPtr<ICefv8Value> GetGlobal() override;
  bool Enter() override;
  bool Exit() override;
  bool IsSame(const IPtr<ICefv8Context>& that) override;
};
template <>
struct CefRefClass<ICefv8Context> {
  using type = TCefv8ContextRef;
};

class TCefv8HandlerRef : public TCefBaseRef, public ICefv8Handler {
 public:
  using TCefBaseRef::TCefBaseRef;
  static IPtr<ICefv8Handler> UnWrap(void* data);

  // Calls the engine's handler: `retval` becomes what it returned (empty for null) and
  // `exception` the text it wrote.
  bool Execute(const ustring& name, const IPtr<ICefv8Value>& obj, const TCefv8ValueArray& arguments,
               IPtr<ICefv8Value>& retval, ustring& exception) override;
};
template <>
struct CefRefClass<ICefv8Handler> {
  using type = TCefv8HandlerRef;
};

class TCefV8ExceptionRef : public TCefBaseRef, public ICefV8Exception {
 public:
  using TCefBaseRef::TCefBaseRef;
  static IPtr<ICefV8Exception> UnWrap(void* data);

// <windows.h> defines GetMessage as a macro; the method keeps its own name in every file.
#pragma push_macro("GetMessage")
#undef GetMessage
  ustring GetMessage() override;
#pragma pop_macro("GetMessage")
  ustring GetSourceLine() override;
  ustring GetScriptResourceName() override;
  int GetLineNumber() override;
  int GetStartPosition() override;
  int GetEndPosition() override;
  int GetStartColumn() override;
  int GetEndColumn() override;
};
template <>
struct CefRefClass<ICefV8Exception> {
  using type = TCefV8ExceptionRef;
};

}  // namespace larkwell
