// The typed interfaces of the engine's objects and of the program objects the engine calls in
// the script and document area. Wrapper classes (…Ref) implement the first group by calling
// the engine structure's members; program classes (…Own) implement the second.
//
// Every object result may be empty (the engine answered null); callers test it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/datetime.h"
#include "core/interface.h"
#include "core/stream.h"
#include "core/ustring.h"
#include "engine/cef_api.h"
#include "engine/cef_base.h"

namespace larkwell {

class ICefBrowser;
class ICefFrame;
class ICefRequest;
class ICefPostData;
class ICefPostDataElement;
class ICefStreamReader;
class ICefCustomStreamReader;
class ICefResponse;
class ICefDragData;
class ICefv8Value;
class ICefv8Context;
class ICefv8Handler;
class ICefV8Exception;
class ICefV8Accessor;
class ICefDomDocument;
class ICefDomNode;
class ICefDomEvent;
class ICefDomVisitor;
class ICefDomEventListener;

using TCefv8ValueArray = std::vector<IPtr<ICefv8Value>>;
using TCefPostDataElementArray = std::vector<IPtr<ICefPostDataElement>>;

// Closures the binding turns into program objects (engine/closures.h). Copying one copies what
// it captured; the adapter holding it keeps it for its whole life.
using TCefFastDomVisitorProc = std::function<void(const IPtr<ICefDomDocument>& document)>;
using TCefFastDomEventListenerProc = std::function<void(const IPtr<ICefDomEvent>& event)>;
using TCefFastV8AccessorGetterProc = std::function<bool(const ustring& name, const IPtr<ICefv8Value>& obj,
                                                        IPtr<ICefv8Value>& retval, const ustring& exception)>;
using TCefFastV8AccessorSetterProc = std::function<bool(const ustring& name, const IPtr<ICefv8Value>& obj,
                                                        const IPtr<ICefv8Value>& value, const ustring& exception)>;
using TGetProxyForUrlProc = std::function<void(const ustring& url, TCefProxyType& proxyType, ustring& proxyList)>;
using TGetDataResource = std::function<bool(int resourceId, void*& data, size_t& dataSize)>;
using TGetLocalizedString = std::function<bool(int messageId, ustring& stringVal)>;

// ---------------------------------------------------------------------------------------------
// Web objects

class ICefBrowser : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefBrowser;
  virtual void ParentWindowWillClose() = 0;
  virtual void CloseBrowser() = 0;
  virtual bool CanGoBack() = 0;
  virtual void GoBack() = 0;
  virtual bool CanGoForward() = 0;
  virtual void GoForward() = 0;
  virtual void Reload() = 0;
  virtual void ReloadIgnoreCache() = 0;
  virtual void StopLoad() = 0;
  virtual void SetFocus(bool enable) = 0;
  virtual TCefWindowHandle GetWindowHandle() = 0;
  virtual TCefWindowHandle GetOpenerWindowHandle() = 0;
  virtual bool IsPopup() = 0;
  virtual bool HasDocument() = 0;
  virtual IPtr<ICefBase> GetClient() = 0;
  virtual IPtr<ICefFrame> GetMainFrame() = 0;
  virtual IPtr<ICefFrame> GetFocusedFrame() = 0;
  virtual IPtr<ICefFrame> GetFrame(const ustring& name) = 0;
  virtual void GetFrameNames(TStrings& names) = 0;
  virtual void Find(const ustring& searchText, bool identifier, bool forward, bool matchCase, bool findNext) = 0;
  virtual void StopFinding(bool clearSelection) = 0;
  virtual double GetZoomLevel() = 0;
  virtual void SetZoomLevel(double zoomLevel) = 0;
  virtual void ClearHistory() = 0;
  virtual void ShowDevTools() = 0;
  virtual void CloseDevTools() = 0;
  virtual bool IsWindowRenderingDisabled() = 0;
  virtual bool GetSize(TCefPaintElementType paintType, int& width, int& height) = 0;
  virtual void SetSize(TCefPaintElementType paintType, int width, int height) = 0;
  virtual bool IsPopupVisible() = 0;
  virtual void HidePopup() = 0;
  virtual void Invalidate(const TCefRect* dirtyRect) = 0;
  virtual bool GetImage(TCefPaintElementType paintType, int width, int height, void* buffer) = 0;
  virtual void SendKeyEvent(TCefKeyType keyType, int key, int modifiers, bool sysChar, bool imeChar) = 0;
  virtual void SendMouseClickEvent(int x, int y, TCefMouseButtonType buttonType, bool mouseUp, int clickCount) = 0;
  virtual void SendMouseMoveEvent(int x, int y, bool mouseLeave) = 0;
  virtual void SendMouseWheelEvent(int x, int y, int delta) = 0;
  virtual void SendFocusEvent(bool setFocus) = 0;
  virtual void SendCaptureLostEvent() = 0;
};
inline const InterfaceRegistration<ICefBrowser> kRegisterICefBrowser;

class ICefFrame : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefFrame;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void Del() = 0;
  virtual void SelectAll() = 0;
  virtual void Print() = 0;
  virtual void ViewSource() = 0;
  virtual ustring GetSource() = 0;
  virtual ustring GetText() = 0;
  virtual void LoadRequest(const IPtr<ICefRequest>& request) = 0;
  virtual void LoadUrl(const ustring& url) = 0;
  virtual void LoadString(const ustring& str, const ustring& url) = 0;
  // Loads from a native stream; with `owned` the engine's reader frees the stream when done.
  virtual void LoadStream(TStream* stream, bool owned, const ustring& url) = 0;
  virtual void LoadFile(const ustring& filename, const ustring& url) = 0;
  virtual void ExecuteJavaScript(const ustring& jsCode, const ustring& scriptUrl, int startLine) = 0;
  virtual bool IsMain() = 0;
  virtual bool IsFocused() = 0;
  virtual ustring GetName() = 0;
  virtual int64_t GetIdentifier() = 0;
  virtual IPtr<ICefFrame> GetParent() = 0;
  virtual ustring GetUrl() = 0;
  virtual IPtr<ICefBrowser> GetBrowser() = 0;
  virtual void VisitDom(const IPtr<ICefDomVisitor>& visitor) = 0;
  // Visits with a closure, called once per visit the engine performs.
  virtual void VisitDomProc(const TCefFastDomVisitorProc& proc) = 0;
  virtual IPtr<ICefv8Context> GetV8Context() = 0;
};
inline const InterfaceRegistration<ICefFrame> kRegisterICefFrame;

class ICefRequest : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefRequest;
  virtual ustring GetUrl() = 0;
  virtual ustring GetMethod() = 0;
  virtual IPtr<ICefPostData> GetPostData() = 0;
  virtual void GetHeaderMap(TCefStringMultimap headerMap) = 0;
  virtual void SetUrl(const ustring& value) = 0;
  virtual void SetMethod(const ustring& value) = 0;
  // Without an object the request keeps its post data.
  virtual void SetPostData(const IPtr<ICefPostData>& value) = 0;
  virtual void SetHeaderMap(TCefStringMultimap headerMap) = 0;
  virtual int GetFlags() = 0;
  virtual void SetFlags(int flags) = 0;
  virtual ustring GetFirstPartyForCookies() = 0;
  virtual void SetFirstPartyForCookies(const ustring& url) = 0;
  virtual void Assign(const ustring& url, const ustring& method, const IPtr<ICefPostData>& postData,
                      TCefStringMultimap headerMap) = 0;
};
inline const InterfaceRegistration<ICefRequest> kRegisterICefRequest;

class ICefPostData : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefPostData;
  virtual size_t GetCount() = 0;
  // At most `count` elements: as many as the engine filled in.
  virtual TCefPostDataElementArray GetElements(size_t count) = 0;
  virtual int RemoveElement(const IPtr<ICefPostDataElement>& element) = 0;
  virtual int AddElement(const IPtr<ICefPostDataElement>& element) = 0;
  virtual void RemoveElements() = 0;
};
inline const InterfaceRegistration<ICefPostData> kRegisterICefPostData;

class ICefPostDataElement : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefPostDataElement;
  virtual void SetToEmpty() = 0;
  virtual void SetToFile(const ustring& fileName) = 0;
  virtual void SetToBytes(size_t size, const void* bytes) = 0;
  virtual TCefPostDataElementType GetType() = 0;
  virtual ustring GetFile() = 0;
  virtual size_t GetBytesCount() = 0;
  virtual size_t GetBytes(size_t size, void* bytes) = 0;
};
inline const InterfaceRegistration<ICefPostDataElement> kRegisterICefPostDataElement;

class ICefStreamReader : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefStreamReader;
  virtual size_t Read(void* ptr, size_t size, size_t n) = 0;
  virtual int Seek(int64_t offset, int whence) = 0;
  virtual int64_t Tell() = 0;
  virtual bool Eof() = 0;
};
inline const InterfaceRegistration<ICefStreamReader> kRegisterICefStreamReader;

// A program object the engine reads from (its read handler).
class ICefCustomStreamReader : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefCustomStreamReader;
  virtual size_t Read(void* ptr, size_t size, size_t n) = 0;
  virtual int Seek(int64_t offset, int whence) = 0;
  virtual int64_t Tell() = 0;
  virtual bool Eof() = 0;
};
inline const InterfaceRegistration<ICefCustomStreamReader> kRegisterICefCustomStreamReader;

class ICefResponse : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefResponse;
  virtual int GetStatus() = 0;
  virtual void SetStatus(int status) = 0;
  virtual ustring GetStatusText() = 0;
  virtual void SetStatusText(const ustring& statusText) = 0;
  virtual ustring GetMimeType() = 0;
  virtual void SetMimeType(const ustring& mimetype) = 0;
  virtual ustring GetHeader(const ustring& name) = 0;
  virtual void GetHeaderMap(TCefStringMultimap headerMap) = 0;
  virtual void SetHeaderMap(TCefStringMultimap headerMap) = 0;
};
inline const InterfaceRegistration<ICefResponse> kRegisterICefResponse;

class ICefDragData : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefDragData;
  virtual bool IsLink() = 0;
  virtual bool IsFragment() = 0;
  virtual bool IsFile() = 0;
  virtual ustring GetLinkUrl() = 0;
  virtual ustring GetLinkTitle() = 0;
  virtual ustring GetLinkMetadata() = 0;
  virtual ustring GetFragmentText() = 0;
  virtual ustring GetFragmentHtml() = 0;
  virtual ustring GetFragmentBaseUrl() = 0;
  virtual ustring GetFileExtension() = 0;
  virtual ustring GetFileName() = 0;
  // Appends every name the engine lists (also when it answers false) and returns its answer.
  virtual bool GetFileNames(TStrings& names) = 0;
};
inline const InterfaceRegistration<ICefDragData> kRegisterICefDragData;

// ---------------------------------------------------------------------------------------------
// Script objects

class ICefv8Value : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefv8Value;
  virtual bool IsUndefined() = 0;
  virtual bool IsNull() = 0;
  virtual bool IsBool() = 0;
  virtual bool IsInt() = 0;
  virtual bool IsDouble() = 0;
  virtual bool IsDate() = 0;
  virtual bool IsString() = 0;
  virtual bool IsObject() = 0;
  virtual bool IsArray() = 0;
  virtual bool IsFunction() = 0;
  virtual bool IsSame(const IPtr<ICefv8Value>& that) = 0;
  virtual bool GetBoolValue() = 0;
  virtual int GetIntValue() = 0;
  virtual double GetDoubleValue() = 0;
  virtual TDateTime GetDateValue() = 0;
  virtual ustring GetStringValue() = 0;
  virtual bool HasValueByKey(const ustring& key) = 0;
  virtual bool HasValueByIndex(int index) = 0;
  virtual bool DeleteValueByKey(const ustring& key) = 0;
  virtual bool DeleteValueByIndex(int index) = 0;
  virtual IPtr<ICefv8Value> GetValueByKey(const ustring& key) = 0;
  virtual IPtr<ICefv8Value> GetValueByIndex(int index) = 0;
  virtual bool SetValueByKey(const ustring& key, const IPtr<ICefv8Value>& value, TCefV8PropertyAttribute attribute) = 0;
  virtual bool SetValueByIndex(int index, const IPtr<ICefv8Value>& value) = 0;
  virtual bool SetValueByAccessor(const ustring& key, TCefV8AccessControl settings, TCefV8PropertyAttribute attribute) = 0;
  virtual int GetKeys(TStrings& keys) = 0;
  virtual IPtr<ICefv8Value> GetUserData() = 0;
  virtual int GetExternallyAllocatedMemory() = 0;
  virtual int AdjustExternallyAllocatedMemory(int changeInBytes) = 0;
  virtual int GetArrayLength() = 0;
  virtual ustring GetFunctionName() = 0;
  virtual IPtr<ICefv8Handler> GetFunctionHandler() = 0;
  virtual bool ExecuteFunction(const IPtr<ICefv8Value>& obj, const TCefv8ValueArray& arguments,
                               IPtr<ICefv8Value>& retval, IPtr<ICefV8Exception>& exception,
                               bool rethrowException) = 0;
  virtual bool ExecuteFunctionWithContext(const IPtr<ICefv8Context>& context, const IPtr<ICefv8Value>& obj,
                                          const TCefv8ValueArray& arguments, IPtr<ICefv8Value>& retval,
                                          IPtr<ICefV8Exception>& exception, bool rethrowException) = 0;
};
inline const InterfaceRegistration<ICefv8Value> kRegisterICefv8Value;

class ICefv8Context : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefv8Context;
  virtual IPtr<ICefBrowser> GetBrowser() = 0;
  virtual IPtr<ICefFrame> GetFrame() = 0;
  virtual IPtr<ICefv8Value> GetGlobal() = 0;
  virtual bool Enter() = 0;
  virtual bool Exit() = 0;
  virtual bool IsSame(const IPtr<ICefv8Context>& that) = 0;
};
inline const InterfaceRegistration<ICefv8Context> kRegisterICefv8Context;

class ICefv8Handler : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefv8Handler;
  virtual bool Execute(const ustring& name, const IPtr<ICefv8Value>& obj, const TCefv8ValueArray& arguments,
                       IPtr<ICefv8Value>& retval, ustring& exception) = 0;
};
inline const InterfaceRegistration<ICefv8Handler> kRegisterICefv8Handler;

class ICefV8Exception : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefV8Exception;
// <windows.h> defines GetMessage as a macro; the method keeps its own name in every file.
#pragma push_macro("GetMessage")
#undef GetMessage
  virtual ustring GetMessage() = 0;
#pragma pop_macro("GetMessage")
  virtual ustring GetSourceLine() = 0;
  virtual ustring GetScriptResourceName() = 0;
  virtual int GetLineNumber() = 0;
  virtual int GetStartPosition() = 0;
  virtual int GetEndPosition() = 0;
  virtual int GetStartColumn() = 0;
  virtual int GetEndColumn() = 0;
};
inline const InterfaceRegistration<ICefV8Exception> kRegisterICefV8Exception;

// A program object serving a script object's properties.
class ICefV8Accessor : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefV8Accessor;
  virtual bool Get(const ustring& name, const IPtr<ICefv8Value>& obj, IPtr<ICefv8Value>& retval,
                   const ustring& exception) = 0;
  virtual bool Set(const ustring& name, const IPtr<ICefv8Value>& obj, const IPtr<ICefv8Value>& value,
                   const ustring& exception) = 0;
};
inline const InterfaceRegistration<ICefV8Accessor> kRegisterICefV8Accessor;

// ---------------------------------------------------------------------------------------------
// Document objects

class ICefDomDocument : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefDomDocument;
  virtual TCefDomDocumentType GetType() = 0;
  virtual IPtr<ICefDomNode> GetDocument() = 0;
  virtual IPtr<ICefDomNode> GetBody() = 0;
  virtual IPtr<ICefDomNode> GetHead() = 0;
  virtual ustring GetTitle() = 0;
  virtual IPtr<ICefDomNode> GetElementById(const ustring& id) = 0;
  virtual IPtr<ICefDomNode> GetFocusedNode() = 0;
  virtual bool HasSelection() = 0;
  virtual IPtr<ICefDomNode> GetSelectionStartNode() = 0;
  virtual int GetSelectionStartOffset() = 0;
  virtual IPtr<ICefDomNode> GetSelectionEndNode() = 0;
  virtual int GetSelectionEndOffset() = 0;
  virtual ustring GetSelectionAsMarkup() = 0;
  virtual ustring GetSelectionAsText() = 0;
  virtual ustring GetBaseUrl() = 0;
  virtual ustring GetCompleteUrl(const ustring& partialURL) = 0;
};
inline const InterfaceRegistration<ICefDomDocument> kRegisterICefDomDocument;

class ICefDomNode : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefDomNode;
  virtual TCefDomNodeType GetType() = 0;
  virtual bool IsText() = 0;
  virtual bool IsElement() = 0;
  virtual bool IsFormControlElement() = 0;
  virtual ustring GetFormControlElementType() = 0;
  virtual bool IsSame(const IPtr<ICefDomNode>& that) = 0;
  virtual ustring GetName() = 0;
  virtual ustring GetValue() = 0;
  virtual bool SetValue(const ustring& value) = 0;
  virtual ustring GetAsMarkup() = 0;
  virtual IPtr<ICefDomDocument> GetDocument() = 0;
  virtual IPtr<ICefDomNode> GetParent() = 0;
  virtual IPtr<ICefDomNode> GetPreviousSibling() = 0;
  virtual IPtr<ICefDomNode> GetNextSibling() = 0;
  virtual bool HasChildren() = 0;
  virtual IPtr<ICefDomNode> GetFirstChild() = 0;
  virtual IPtr<ICefDomNode> GetLastChild() = 0;
  virtual void AddEventListener(const ustring& eventType, bool useCapture, const IPtr<ICefDomEventListener>& listener) = 0;
  virtual void AddEventListenerProc(const ustring& eventType, bool useCapture,
                                    const TCefFastDomEventListenerProc& proc) = 0;
  virtual ustring GetElementTagName() = 0;
  virtual bool HasElementAttributes() = 0;
  virtual bool HasElementAttribute(const ustring& attrName) = 0;
  virtual ustring GetElementAttribute(const ustring& attrName) = 0;
  virtual void GetElementAttributes(TCefStringMap attrMap) = 0;
  virtual bool SetElementAttribute(const ustring& attrName, const ustring& value) = 0;
  virtual ustring GetElementInnerText() = 0;
};
inline const InterfaceRegistration<ICefDomNode> kRegisterICefDomNode;

class ICefDomEvent : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefDomEvent;
  virtual ustring GetType() = 0;
  virtual TCefDomEventCategory GetCategory() = 0;
  virtual TCefDomEventPhase GetPhase() = 0;
  virtual bool CanBubble() = 0;
  virtual bool CanCancel() = 0;
  virtual IPtr<ICefDomDocument> GetDocument() = 0;
  virtual IPtr<ICefDomNode> GetTarget() = 0;
  virtual IPtr<ICefDomNode> GetCurrentTarget() = 0;
};
inline const InterfaceRegistration<ICefDomEvent> kRegisterICefDomEvent;

// A program object the engine calls with the document of a frame.
class ICefDomVisitor : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefDomVisitor;
  virtual void Visit(const IPtr<ICefDomDocument>& document) = 0;
};
inline const InterfaceRegistration<ICefDomVisitor> kRegisterICefDomVisitor;

// A program object the engine calls for each event of a node it is registered with.
class ICefDomEventListener : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefDomEventListener;
  virtual void HandleEvent(const IPtr<ICefDomEvent>& event) = 0;
};
inline const InterfaceRegistration<ICefDomEventListener> kRegisterICefDomEventListener;

// ---------------------------------------------------------------------------------------------
// Program objects the engine or the program asks for by type

class ICefDownloadHandler : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefDownloadHandler;
  // One block of the download; the bytes are valid during the call only. Non-zero continues,
  // zero cancels.
  virtual int ReceivedData(void* data, int DataSize) = 0;
  virtual void Complete() = 0;
};
inline const InterfaceRegistration<ICefDownloadHandler> kRegisterICefDownloadHandler;

class ICefProxyHandler : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefProxyHandler;
  virtual void GetProxyForUrl(const ustring& url, TCefProxyType& proxyType, ustring& proxyList) = 0;
};
inline const InterfaceRegistration<ICefProxyHandler> kRegisterICefProxyHandler;

class ICefResourceBundleHandler : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefResourceBundleHandler;
  virtual bool GetLocalizedString(int messageId, ustring& stringVal) = 0;
  // The data stays the program's: it must outlive the engine's use of it.
  virtual bool GetDataResource(int resourceId, void*& data, size_t& dataSize) = 0;
};
inline const InterfaceRegistration<ICefResourceBundleHandler> kRegisterICefResourceBundleHandler;

class ICefApp : public virtual ICefBase {
 public:
  static constexpr TGUID IID = IID_ICefApp;
  virtual IPtr<ICefProxyHandler> GetProxyHandler() = 0;
  virtual IPtr<ICefResourceBundleHandler> GetResourceBundleHandler() = 0;
};
inline const InterfaceRegistration<ICefApp> kRegisterICefApp;

}  // namespace larkwell
