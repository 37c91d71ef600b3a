// The stand-in's document model.
//
// A document is one DomDocumentData owning its tree of DomNodeData. Every engine structure the
// engine hands out (document, node, event) is a handle that shares ownership of the document,
// so a node structure keeps its whole document alive and two handles of the same node are "the
// same". Listeners registered on nodes are held by reference until the document goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/page/url.h"
#include "enginesim/script/script_support.h"

namespace larkwell::enginesim {

enum class DomKind { document, element, text };

struct DomListener {
  std::u16string type;
  Held<TCefDomEventListener> listener;  // empty when registered without one
  bool use_capture = false;
};

struct DomNodeData {
  explicit DomNodeData(DomKind node_kind) : kind(node_kind) {}

  const std::u16string* attribute(std::u16string_view name) const;
  bool is_form_control() const;
  std::u16string value() const;  // a form control's current value, a text node's text

  DomKind kind;
  std::u16string tag;                                                 // elements: the tag name, lower case
  std::u16string text;                                                // text nodes
  std::vector<std::pair<std::u16string, std::u16string>> attributes;  // in markup order
  std::optional<std::u16string> set_value;                            // a form control's value once the program set it
  DomNodeData* parent = nullptr;
  std::vector<std::unique_ptr<DomNodeData>> children;
  std::vector<DomListener> listeners;
};

struct DomPosition {
  DomNodeData* node = nullptr;
  int offset = 0;
};

struct DomDocumentData {
  DomNodeData root{DomKind::document};
  std::u16string base_url;
  DomNodeData* focused = nullptr;
  DomPosition selection_start;  // no node: nothing selected
  DomPosition selection_end;
};
using DomRef = std::shared_ptr<DomDocumentData>;

// The first node at or below `from`, in document order, for which match(node) holds.
template <class Match>
DomNodeData* find_node(DomNodeData& from, const Match& match) {
  if (match(from)) return &from;
  for (const auto& child : from.children) {
    if (DomNodeData* found = find_node(*child, match)) return found;
  }
  return nullptr;
}

// --- markup (dom_markup.cpp)

// Appends the nodes of well-formed `markup` to `root`; false when it is malformed.
bool parse_markup(std::u16string_view markup, DomNodeData& root);
std::u16string markup_of(const DomNodeData& node);
// Elements written without an end tag (input, br, img, ...).
bool is_void_element(std::u16string_view tag);
std::u16string inner_text_of(const DomNodeData& node);
// The DOM node name: the upper-case tag, "#text" or "#document".
std::u16string node_name_of(const DomNodeData& node);
std::u16string selection_text(const DomDocumentData& document);
std::u16string selection_markup(const DomDocumentData& document);

// --- engine structures (dom_objects.cpp)

TCefDomDocument* document_handle(DomRef document);
// Null for a null node.
TCefDomNode* node_handle(const DomRef& document, DomNodeData* node);

// A document parsed from `markup`; null when it is malformed. One reference.
TCefDomDocument* create_document(std::u16string_view markup, std::u16string_view base_url);

// What an engine structure of the program's stands for; empty when it is null or not one of
// the engine's documents or nodes (the latter recorded by the ledger).
DomRef document_of(TCefDomDocument* structure, const char* call);
struct DomNodeRef {
  DomRef document;
  DomNodeData* node = nullptr;
};
DomNodeRef node_of(TCefDomNode* structure, const char* call);

struct DomEventInit {
  std::u16string type;
  int32_t category = 0;
  bool bubbles = false;
  bool cancelable = false;
};
// Calls the listeners of `target` and its ancestors for the event; the number called.
int dispatch_event(const DomNodeRef& target, const DomEventInit& init);

}  // namespace larkwell::enginesim
