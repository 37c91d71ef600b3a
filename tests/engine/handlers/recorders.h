// Recording handlers: subclasses of every Own class of the client area that note what each
// method received and answer (and write) what the test set up.
//
// Every override is one line: Hit(method name, parameters in the method's order), with Out(x)
// around each parameter the method may change. Hit notes the parameters as they arrived, then
// fails when told to, then writes the prepared values and returns `answer`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "engine/ceflib.h"
#include "engine/handlers_own.h"

namespace larkwell::handler_test {

// An engine structure a method received as an object (null for none): identity only.
struct Structure {
  const void* structure;
  bool operator==(const Structure&) const = default;
};
// The address of a record or buffer a method received.
struct Address {
  const void* address;
  bool operator==(const Address&) const = default;
};
using Seen = std::variant<int64_t, bool, ustring, Structure, Address>;
void PrintTo(const Structure& s, std::ostream* os);
void PrintTo(const Address& a, std::ostream* os);

// A parameter the method may change.
template <class T>
struct OutRef {
  T& value;
};
template <class T>
OutRef<T> Out(T& value) {
  return {value};
}

class Recorder {
 public:
  // --- set by the test
  bool answer = false;
  int count_answer = 0;             // for ReceivedData
  bool fail = false;                // throw after noting the parameters
  std::vector<ustring> texts;       // written into the text parameters that may change, in order
  std::optional<bool> flag;         // written into a flag parameter that may change
  std::vector<int64_t> numbers;     // written into number parameters that may change, in order
  std::optional<IPtr<ICefBase>> object;  // written into an object parameter that may change
  std::optional<void*> pointer;     // written into a pointer parameter that may change

  // --- noted by the recorder
  std::vector<std::string> calls;
  std::vector<Seen> seen;           // the last call's parameters as they arrived
  TCefWindowHandle browser_window = nullptr;  // asked of the last browser received

  template <class... P>
  bool Hit(const char* method, const P&... params) {
    calls.push_back(method);
    seen.clear();
    (seen.push_back(See(params)), ...);
    if (fail) throw std::runtime_error(std::string(method) + " failed");
    [[maybe_unused]] std::size_t text = 0, number = 0;
    (Write(params, text, number), ...);
    return answer;
  }

 private:
  template <class T>
  Seen See(const T& value) {
    if constexpr (std::is_same_v<T, ustring> || std::is_same_v<T, bool>) {
      return value;
    } else if constexpr (std::is_integral_v<T>) {
      return static_cast<int64_t>(value);
    } else if constexpr (std::is_pointer_v<T>) {
      return Address{value};
    } else if constexpr (requires { value.get(); }) {
      if constexpr (std::is_same_v<T, IPtr<ICefBrowser>>) {
        if (value) browser_window = value->GetWindowHandle();  // the wrapper works during the call
      }
      TCefBase* structure = CefWrap(value);
      if (structure != nullptr) structure->release(structure);  // identity only
      return Structure{structure};
    } else {
      return Address{&value};  // an engine record passed by reference
    }
  }
  template <class T>
  Seen See(const OutRef<T>& out) {
    return See(out.value);
  }

  template <class T>
  void Write(const T&, std::size_t&, std::size_t&) {}
  template <class T>
  void Write(const OutRef<T>& out, std::size_t& text, std::size_t& number) {
    if constexpr (std::is_same_v<T, ustring>) {
      if (text < texts.size()) out.value = texts[text];
      ++text;
    } else if constexpr (std::is_same_v<T, bool>) {
      if (flag) out.value = *flag;
    } else if constexpr (std::is_integral_v<T>) {
      if (number < numbers.size()) out.value = static_cast<T>(numbers[number]);
      ++number;
    } else if constexpr (std::is_same_v<T, void*>) {
      if (pointer) out.value = *pointer;
    } else if constexpr (std::is_same_v<T, IPtr<ICefBase>>) {
      if (object) out.value = *object;
    } else {
      if (object) out.value = Query<typename std::remove_reference_t<decltype(*out.value)>>(*object);
    }
  }
};

using B = const IPtr<ICefBrowser>&;
using F = const IPtr<ICefFrame>&;
using S = const ustring&;

// The client hands out what `handlers` holds under the getter's name ("GetLoadHandler").
class TRecClient : public TCefClientOwn, public Recorder {
 public:
  std::map<std::string, IPtr<ICefBase>> handlers;

#define LARKWELL_RECORD_GETTER(Getter) \
  IPtr<ICefBase> Getter() override { return Hit(#Getter), handlers[#Getter]; }
  LARKWELL_RECORD_GETTER(GetLifeSpanHandler)
  LARKWELL_RECORD_GETTER(GetLoadHandler)
  LARKWELL_RECORD_GETTER(GetRequestHandler)
  LARKWELL_RECORD_GETTER(GetDisplayHandler)
  LARKWELL_RECORD_GETTER(GetFocusHandler)
  LARKWELL_RECORD_GETTER(GetKeyboardHandler)
  LARKWELL_RECORD_GETTER(GetMenuHandler)
  LARKWELL_RECORD_GETTER(GetPermissionHandler)
  LARKWELL_RECORD_GETTER(GetPrintHandler)
  LARKWELL_RECORD_GETTER(GetFindHandler)
  LARKWELL_RECORD_GETTER(GetJsdialogHandler)
  LARKWELL_RECORD_GETTER(GetV8contextHandler)
  LARKWELL_RECORD_GETTER(GetRenderHandler)
  LARKWELL_RECORD_GETTER(GetDragHandler)
#undef LARKWELL_RECORD_GETTER
};

class TRecLifeSpan : public TCefLifeSpanHandlerOwn, public Recorder {
 public:
  bool OnBeforePopup(B parent, TCefPopupFeatures& features, TCefWindowInfo& window, ustring& url,
                     IPtr<ICefBase>& client, TCefBrowserSettings& settings) override {
    return Hit("OnBeforePopup", parent, features, window, Out(url), Out(client), settings);
  }
  void OnAfterCreated(B browser) override { Hit("OnAfterCreated", browser); }
  void OnBeforeClose(B browser) override { Hit("OnBeforeClose", browser); }
  bool RunModal(B browser) override { return Hit("RunModal", browser); }
  bool DoClose(B browser) override { return Hit("DoClose", browser); }
};

class TRecLoad : public TCefLoadHandlerOwn, public Recorder {
 public:
  void OnLoadStart(B browser, F frame) override { Hit("OnLoadStart", browser, frame); }
  void OnLoadEnd(B browser, F frame, int status) override { Hit("OnLoadEnd", browser, frame, status); }
  bool OnLoadError(B browser, F frame, int code, S url, ustring& text) override {
    return Hit("OnLoadError", browser, frame, code, url, Out(text));
  }
};

class TRecRequest : public TCefRequestHandlerOwn, public Recorder {
 public:
  bool OnBeforeBrowse(B browser, F frame, const IPtr<ICefRequest>& request, TCefHandlerNavtype type,
                      bool redirect) override {
    return Hit("OnBeforeBrowse", browser, frame, request, type, redirect);
  }
  bool OnBeforeResourceLoad(B browser, const IPtr<ICefRequest>& request, ustring& redirectUrl,
                            IPtr<ICefStreamReader>& stream, const IPtr<ICefResponse>& response,
                            int loadFlags) override {
    return Hit("OnBeforeResourceLoad", browser, request, Out(redirectUrl), Out(stream), response, loadFlags);
  }
  void OnResourceRedirect(B browser, S oldUrl, ustring& newUrl) override {
    Hit("OnResourceRedirect", browser, oldUrl, Out(newUrl));
  }
  void OnResourceResponse(B browser, S url, const IPtr<ICefResponse>& response, IPtr<ICefBase>& filter) override {
    Hit("OnResourceResponse", browser, url, response, Out(filter));
  }
  bool OnProtocolExecution(B browser, S url, bool& allow) override {
    return Hit("OnProtocolExecution", browser, url, Out(allow));
  }
  bool GetDownloadHandler(B browser, S mimeType, S fileName, int64_t length,
                          IPtr<ICefDownloadHandler>& handler) override {
    return Hit("GetDownloadHandler", browser, mimeType, fileName, length, Out(handler));
  }
  bool GetAuthCredentials(B browser, bool isProxy, int port, S host, S realm, S scheme, ustring& username,
                          ustring& password) override {
    return Hit("GetAuthCredentials", browser, isProxy, port, host, realm, scheme, Out(username), Out(password));
  }
};

class TRecDisplay : public TCefDisplayHandlerOwn, public Recorder {
 public:
  void OnNavStateChange(B browser, bool back, bool forward) override { Hit("OnNavStateChange", browser, back, forward); }
  void OnAddressChange(B browser, F frame, S url) override { Hit("OnAddressChange", browser, frame, url); }
  void OnContentsSizeChange(B browser, F frame, int width, int height) override {
    Hit("OnContentsSizeChange", browser, frame, width, height);
  }
  void OnTitleChange(B browser, S title) override { Hit("OnTitleChange", browser, title); }
  bool OnTooltip(B browser, ustring& text) override { return Hit("OnTooltip", browser, Out(text)); }
  void OnStatusMessage(B browser, S value, TCefHandlerStatusType type) override {
    Hit("OnStatusMessage", browser, value, type);
  }
  bool OnConsoleMessage(B browser, S message, S source, int line) override {
    return Hit("OnConsoleMessage", browser, message, source, line);
  }
};

class TRecFocus : public TCefFocusHandlerOwn, public Recorder {
 public:
  void OnTakeFocus(B browser, bool next) override { Hit("OnTakeFocus", browser, next); }
  bool OnSetFocus(B browser, TCefHandlerFocusSource source) override { return Hit("OnSetFocus", browser, source); }
  void OnFocusedNodeChanged(B browser, F frame, const IPtr<ICefDomNode>& node) override {
    Hit("OnFocusedNodeChanged", browser, frame, node);
  }
};

class TRecKeyboard : public TCefKeyboardHandlerOwn, public Recorder {
 public:
  bool OnKeyEvent(B browser, TCefHandlerKeyEventType event, int code, int modifiers, bool isSystemKey,
                  bool isAfterJavaScript) override {
    return Hit("OnKeyEvent", browser, event, code, modifiers, isSystemKey, isAfterJavaScript);
  }
};

class TRecMenu : public TCefMenuHandlerOwn, public Recorder {
 public:
  bool OnBeforeMenu(B browser, PCefMenuInfo info) override { return Hit("OnBeforeMenu", browser, info); }
  void GetMenuLabel(B browser, TCefMenuId id, ustring& caption) override {
    Hit("GetMenuLabel", browser, id, Out(caption));
  }
  bool OnMenuAction(B browser, TCefMenuId id) override { return Hit("OnMenuAction", browser, id); }
};

class TRecPermission : public TCefPermissionHandlerOwn, public Recorder {
 public:
  bool OnBeforeScriptExtensionLoad(B browser, F frame, S name) override {
    return Hit("OnBeforeScriptExtensionLoad", browser, frame, name);
  }
};

class TRecPrint : public TCefPrintHandlerOwn, public Recorder {
 public:
  bool GetPrintOptions(B browser, PCefPrintOptions options) override { return Hit("GetPrintOptions", browser, options); }
  bool GetPrintHeaderFooter(B browser, F frame, PCefPrintInfo info, S url, S title, int page, int pages,
                            ustring& topLeft, ustring& topCenter, ustring& topRight, ustring& bottomLeft,
                            ustring& bottomCenter, ustring& bottomRight) override {
    return Hit("GetPrintHeaderFooter", browser, frame, info, url, title, page, pages, Out(topLeft), Out(topCenter),
               Out(topRight), Out(bottomLeft), Out(bottomCenter), Out(bottomRight));
  }
};

class TRecFind : public TCefFindHandlerOwn, public Recorder {
 public:
  void OnFindResult(B browser, int count, PCefRect selection, bool identifier, bool ordinal, bool final) override {
    Hit("OnFindResult", browser, count, selection, identifier, ordinal, final);
  }
};

class TRecJsDialog : public TCefJsDialogHandlerOwn, public Recorder {
 public:
  bool OnJsAlert(B browser, F frame, S message) override { return Hit("OnJsAlert", browser, frame, message); }
  bool OnJsConfirm(B browser, F frame, S message, bool& retval) override {
    return Hit("OnJsConfirm", browser, frame, message, Out(retval));
  }
  bool OnJsPrompt(B browser, F frame, S message, S defaultValue, bool& retval, ustring& result) override {
    return Hit("OnJsPrompt", browser, frame, message, defaultValue, Out(retval), Out(result));
  }
};

class TRecV8Context : public TCefV8ContextHandlerOwn, public Recorder {
 public:
  void OnContextCreated(B browser, F frame, const IPtr<ICefv8Context>& context) override {
    Hit("OnContextCreated", browser, frame, context);
  }
  void OnContextReleased(B browser, F frame, const IPtr<ICefv8Context>& context) override {
    Hit("OnContextReleased", browser, frame, context);
  }
};

class TRecRender : public TCefRenderHandlerOwn, public Recorder {
 public:
  bool GetViewRect(B browser, PCefRect rect) override { return Hit("GetViewRect", browser, rect); }
  bool GetScreenRect(B browser, PCefRect rect) override { return Hit("GetScreenRect", browser, rect); }
  bool GetScreenPoint(B browser, int x, int y, int& screenX, int& screenY) override {
    return Hit("GetScreenPoint", browser, x, y, Out(screenX), Out(screenY));
  }
  void OnPopupShow(B browser, bool show) override { Hit("OnPopupShow", browser, show); }
  void OnPopupSize(B browser, PCefRect rect) override { Hit("OnPopupSize", browser, rect); }
  void OnPaint(B browser, TCefPaintElementType type, size_t count, const TCefRect* rects, const void* buffer) override {
    Hit("OnPaint", browser, type, count, rects, buffer);
  }
  void OnCursorChange(B browser, TCefCursorHandle cursor) override { Hit("OnCursorChange", browser, cursor); }
};

class TRecDrag : public TCefDragHandlerOwn, public Recorder {
 public:
  bool OnDragStart(B browser, const IPtr<ICefDragData>& data, TCefDragOperationsMask mask) override {
    return Hit("OnDragStart", browser, data, mask);
  }
  bool OnDragEnter(B browser, const IPtr<ICefDragData>& data, TCefDragOperationsMask mask) override {
    return Hit("OnDragEnter", browser, data, mask);
  }
};

class TRecDownload : public TCefDownloadHandlerOwn, public Recorder {
 public:
  int ReceivedData(void* data, int size) override { return Hit("ReceivedData", data, size), count_answer; }
  void Complete() override { Hit("Complete"); }
};

class TRecProxy : public TCefProxyHandlerOwn, public Recorder {
 public:
  void GetProxyForUrl(S url, TCefProxyType& type, ustring& list) override {
    Hit("GetProxyForUrl", url, Out(type), Out(list));
  }
};

class TRecResourceBundle : public TCefResourceBundleHandlerOwn, public Recorder {
 public:
  bool GetLocalizedString(int id, ustring& text) override { return Hit("GetLocalizedString", id, Out(text)); }
  bool GetDataResource(int id, void*& data, size_t& size) override {
    return Hit("GetDataResource", id, Out(data), Out(size));
  }
};

// The application hands out what the test put in `proxy` and `bundle`.
class TRecApp : public TCefAppOwn, public Recorder {
 public:
  IPtr<ICefProxyHandler> proxy;
  IPtr<ICefResourceBundleHandler> bundle;
  IPtr<ICefProxyHandler> GetProxyHandler() override { return Hit("GetProxyHandler"), proxy; }
  IPtr<ICefResourceBundleHandler> GetResourceBundleHandler() override {
    return Hit("GetResourceBundleHandler"), bundle;
  }
};

}  // namespace larkwell::handler_test
