#include "engine/dom_refs.h"

#include "engine/closures.h"

namespace larkwell {

// ---- document

IPtr<ICefDomDocument> TCefDomDocumentRef::UnWrap(void* data) {
  return CefUnWrap<TCefDomDocumentRef, ICefDomDocument>(data);
}

using TNodeResult = IPtr<ICefDomNode>;
TCefDomDocumentType TCefDomDocumentRef::GetType() {
  return CefCall<TCefDomDocumentType, &TCefDomDocument::get_type>(FData);
}
TNodeResult TCefDomDocumentRef::GetDocument() { return CefCall<TNodeResult, &TCefDomDocument::get_document>(FData); }
TNodeResult TCefDomDocumentRef::GetBody() { return CefCall<TNodeResult, &TCefDomDocument::get_body>(FData); }
TNodeResult TCefDomDocumentRef::GetHead() { return CefCall<TNodeResult, &TCefDomDocument::get_head>(FData); }
ustring TCefDomDocumentRef::GetTitle() { return CefCall<ustring, &TCefDomDocument::get_title>(FData); }
TNodeResult TCefDomDocumentRef::GetElementById(const ustring& id) {
  return CefCall<TNodeResult, &TCefDomDocument::get_element_by_id>(FData, id);
}
TNodeResult TCefDomDocumentRef::GetFocusedNode() {
  return CefCall<TNodeResult, &TCefDomDocument::get_focused_node>(FData);
}
bool TCefDomDocumentRef::HasSelection() { return CefCall<bool, &TCefDomDocument::has_selection>(FData); }
TNodeResult TCefDomDocumentRef::GetSelectionStartNode() {
  return CefCall<TNodeResult, &TCefDomDocument::get_selection_start_node>(FData);
}
int TCefDomDocumentRef::GetSelectionStartOffset() {
  return CefCall<int, &TCefDomDocument::get_selection_start_offset>(FData);
}
TNodeResult TCefDomDocumentRef::GetSelectionEndNode() {
  return CefCall<TNodeResult, &TCefDomDocument::get_selection_end_node>(FData);
}
int TCefDomDocumentRef::GetSelectionEndOffset() {
  return CefCall<int, &TCefDomDocument::get_selection_end_offset>(FData);
}
ustring TCefDomDocumentRef::GetSelectionAsMarkup() {
  return CefCall<ustring, &TCefDomDocument::get_selection_as_markup>(FData);
}
ustring TCefDomDocumentRef::GetSelectionAsText() {
  return CefCall<ustring, &TCefDomDocument::get_selection_as_text>(FData);
}
ustring TCefDomDocumentRef::GetBaseUrl() { return CefCall<ustring, &TCefDomDocument::get_base_url>(FData); }
ustring TCefDomDocumentRef::GetCompleteUrl(const ustring& partialURL) {
  return CefCall<ustring, &TCefDomDocument::get_complete_url>(FData, partialURL);
}

// ---- node

IPtr<ICefDomNode> TCefDomNodeRef::UnWrap(void* data) { return CefUnWrap<TCefDomNodeRef, ICefDomNode>(data); }

TCefDomNodeType TCefDomNodeRef::GetType() { return CefCall<TCefDomNodeType, &TCefDomNode::get_type>(FData); }
bool TCefDomNodeRef::IsText() { return CefCall<bool, &TCefDomNode::is_text>(FData); }
bool TCefDomNodeRef::IsElement() { return CefCall<bool, &TCefDomNode::is_element>(FData); }
bool TCefDomNodeRef::IsFormControlElement() { return CefCall<bool, &TCefDomNode::is_form_control_element>(FData); }
ustring TCefDomNodeRef::GetFormControlElementType() {
  return CefCall<ustring, &TCefDomNode::get_form_control_element_type>(FData);
}
bool TCefDomNodeRef::IsSame(const IPtr<ICefDomNode>& that) { return CefCall<bool, &TCefDomNode::is_same>(FData, that); }
ustring TCefDomNodeRef::GetName() { return CefCall<ustring, &TCefDomNode::get_name>(FData); }
ustring TCefDomNodeRef::GetValue() { return CefCall<ustring, &TCefDomNode::get_value>(FData); }
bool TCefDomNodeRef::SetValue(const ustring& value) { return CefCall<bool, &TCefDomNode::set_value>(FData, value); }
ustring TCefDomNodeRef::GetAsMarkup() { return CefCall<ustring, &TCefDomNode::get_as_markup>(FData); }
IPtr<ICefDomDocument> TCefDomNodeRef::GetDocument() {
  return CefCall<IPtr<ICefDomDocument>, &TCefDomNode::get_document>(FData);
}
TNodeResult TCefDomNodeRef::GetParent() { return CefCall<TNodeResult, &TCefDomNode::get_parent>(FData); }
TNodeResult TCefDomNodeRef::GetPreviousSibling() {
  return CefCall<TNodeResult, &TCefDomNode::get_previous_sibling>(FData);
}
TNodeResult TCefDomNodeRef::GetNextSibling() { return CefCall<TNodeResult, &TCefDomNode::get_next_sibling>(FData); }
bool TCefDomNodeRef::HasChildren() { return CefCall<bool, &TCefDomNode::has_children>(FData); }
TNodeResult TCefDomNodeRef::GetFirstChild() { return CefCall<TNodeResult, &TCefDomNode::get_first_child>(FData); }
TNodeResult TCefDomNodeRef::GetLastChild() { return CefCall<TNodeResult, &TCefDomNode::get_last_child>(FData); }
void TCefDomNodeRef::AddEventListener(const ustring& eventType, bool useCapture,
                                      const IPtr<ICefDomEventListener>& listener) {
  // The engine takes the listener before the capture flag.
  CefCall<void, &TCefDomNode::add_event_listener>(FData, eventType, listener, useCapture);
}
void TCefDomNodeRef::AddEventListenerProc(const ustring& eventType, bool useCapture,
                                          const TCefFastDomEventListenerProc& proc) {
  AddEventListener(eventType, useCapture, New<TCefFastDomEventListener>(proc));
}
ustring TCefDomNodeRef::GetElementTagName() { return CefCall<ustring, &TCefDomNode::get_element_tag_name>(FData); }
bool TCefDomNodeRef::HasElementAttributes() { return CefCall<bool, &TCefDomNode::has_element_attributes>(FData); }
bool TCefDomNodeRef::HasElementAttribute(const ustring& attrName) {
  return CefCall<bool, &TCefDomNode::has_element_attribute>(FData, attrName);
}
ustring TCefDomNodeRef::GetElementAttribute(const ustring& attrName) {
  return CefCall<ustring, &TCefDomNode::get_element_attribute>(FData, attrName);
}
void TCefDomNodeRef::GetElementAttributes(TCefStringMap attrMap) {
  CefCall<void, &TCefDomNode::get_element_attributes>(FData, attrMap);
}
bool TCefDomNodeRef::SetElementAttribute(const ustring& attrName, const ustring& value) {
  return CefCall<bool, &TCefDomNode::set_element_attribute>(FData, attrName, value);
}
ustring TCefDomNodeRef::GetElementInnerText() {
  return CefCall<ustring, &TCefDomNode::get_element_inner_text>(FData);
}

// ---- event

IPtr<ICefDomEvent> TCefDomEventRef::UnWrap(void* data) { return CefUnWrap<TCefDomEventRef, ICefDomEvent>(data); }

ustring TCefDomEventRef::GetType() { return CefCall<ustring, &TCefDomEvent::get_type>(FData); }
TCefDomEventCategory TCefDomEventRef::GetCategory() {
  return CefCall<TCefDomEventCategory, &TCefDomEvent::get_category>(FData);
}
TCefDomEventPhase TCefDomEventRef::GetPhase() { return CefCall<TCefDomEventPhase, &TCefDomEvent::get_phase>(FData); }
bool TCefDomEventRef::CanBubble() { return CefCall<bool, &TCefDomEvent::can_bubble>(FData); }
bool TCefDomEventRef::CanCancel() { return CefCall<bool, &TCefDomEvent::can_cancel>(FData); }
IPtr<ICefDomDocument> TCefDomEventRef::GetDocument() {
  return CefCall<IPtr<ICefDomDocument>, &TCefDomEvent::get_document>(FData);
}
TNodeResult TCefDomEventRef::GetTarget() { return CefCall<TNodeResult, &TCefDomEvent::get_target>(FData); }
TNodeResult TCefDomEventRef::GetCurrentTarget() {
  return CefCall<TNodeResult, &TCefDomEvent::get_current_target>(FData);
}

}  // namespace larkwell
