// The wrappers of the engine's document objects: document, node and DOM event.
#pragma once

#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefDomDocumentRef : public TCefBaseRef, public ICefDomDocument {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefDomDocument> UnWrap(void* data);

  TCefDomDocumentType GetType() override;
  IPtr<ICefDomNode> GetDocument() override;
  IPtr<ICefDomNode> GetBody() override;
  IPtr<ICefDomNode> GetHead() override;
  ustring GetTitle() override;
  IPtr<ICefDomNode> GetElementById(const ustring& id) override;
  IPtr<ICefDomNode> GetFocusedNode() override;
  bool HasSelection() override;
  IPtr<ICefDomNode> GetSelectionStartNode() override;
  int GetSelectionStartOffset() override;
  IPtr<ICefDomNode> GetSelectionEndNode() override;
  int GetSelectionEndOffset() override;
  ustring GetSelectionAsMarkup() override;
  ustring GetSelectionAsText() override;
  ustring GetBaseUrl() override;
  ustring GetCompleteUrl(const ustring& partialURL) override;
};
template <>
struct CefRefClass<ICefDomDocument> {
  using type = TCefDomDocumentRef;
};

class TCefDomNodeRef : public TCefBaseRef, public ICefDomNode {
 public:
  using TCefBaseRef::TCefBaseRef;
  static IPtr<ICefDomNode> UnWrap(void* data);

  TCefDomNodeType GetType() override;
  bool IsText() override;
  bool IsElement() override;
  bool IsFormControlElement() override;
  ustring GetFormControlElementType() override;
  bool IsSame(const IPtr<ICefDomNode>& that) override;
  ustring GetName() override;
  ustring GetValue() override;
  bool SetValue(const ustring& value) override;
  ustring GetAsMarkup() override;
  IPtr<ICefDomDocument> GetDocument() override;
  IPtr<ICefDomNode> GetParent() override;
  IPtr<ICefDomNode> GetPreviousSibling() override;
  IPtr<ICefDomNode> GetNextSibling() override;
  bool HasChildren() override;
  IPtr<ICefDomNode> GetFirstChild() override;
  IPtr<ICefDomNode> GetLastChild() override;
  // The listener goes to the engine with one reference, or null when there is none.
  void AddEventListener(const ustring& eventType, bool useCapture, const IPtr<ICefDomEventListener>& listener) override;
  void AddEventListenerProc(const ustring& eventType, bool useCapture,
                            const TCefFastDomEventListenerProc& proc) override;
  ustring GetElementTagName() override;
  bool HasElementAttributes() override;
  bool HasElementAttribute(const ustring& attrName) override;
  ustring GetElementAttribute(const ustring& attrName) override;
  // The engine fills the given map (its own handle).
  void GetElementAttributes(TCefStringMap attrMap) override;
  bool SetElementAttribute(const ustring& attrName, const ustring& value) override;
  ustring GetElementInnerText() override;
};
template <>
struct CefRefClass<ICefDomNode> {
  using type = TCefDomNodeRef;
};

class TCefDomEventRef : public TCefBaseRef, public ICefDomEvent {
 public:
  using TCefBaseRef::TCefBaseRef;
  static IPtr<ICefDomEvent> UnWrap(void* data);

  ustring GetType() override;
  TCefDomEventCategory GetCategory() override;
  TCefDomEventPhase GetPhase() override;
  bool CanBubble() override;
  bool CanCancel() override;
  IPtr<ICefDomDocument> GetDocument() override;
  IPtr<ICefDomNode> GetTarget() override;
  IPtr<ICefDomNode> GetCurrentTarget() override;
};
template <>
struct CefRefClass<ICefDomEvent> {
  using type = TCefDomEventRef;
};

}  // namespace larkwell
