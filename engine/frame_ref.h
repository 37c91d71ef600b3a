// The wrapper of the engine's frame. Each method calls the frame member of the same name;
// LoadStream and LoadFile both end in load_stream.
#pragma once

#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefFrameRef : public TCefBaseRef, public ICefFrame {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefFrame> UnWrap(void* data);

  void Undo() override;
  void Redo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void Del() override;
  void SelectAll() override;
  void Print() override;
  void ViewSource() override;
  ustring GetSource() override;
  ustring GetText() override;
  void LoadRequest(const IPtr<ICefRequest>& request) override;
  void LoadUrl(const ustring& url) override;
  void LoadString(const ustring& str, const ustring& url) override;
  // Loads through a custom stream reader over `stream`; with `owned` the reader frees the
  // stream when the engine lets it go.
  void LoadStream(TStream* stream, bool owned, const ustring& url) override;
  // Loads through the engine's file reader; a file the engine cannot open loads nothing and
  // reports nothing.
  void LoadFile(const ustring& filename, const ustring& url) override;
  void ExecuteJavaScript(const ustring& jsCode, const ustring& scriptUrl, int startLine) override;
  bool IsMain() override;
  bool IsFocused() override;
  ustring GetName() override;
  int64_t GetIdentifier() override;
  IPtr<ICefFrame> GetParent() override;
  ustring GetUrl() override;
  IPtr<ICefBrowser> GetBrowser() override;
  void VisitDom(const IPtr<ICefDomVisitor>& visitor) override;
  void VisitDomProc(const TCefFastDomVisitorProc& proc) override;
  IPtr<ICefv8Context> GetV8Context() override;
};
template <>
struct CefRefClass<ICefFrame> {
  using type = TCefFrameRef;
};

}  // namespace larkwell
