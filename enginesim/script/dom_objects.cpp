// Documents and DOM nodes: the engine structures the program calls, one handle per structure.
#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "enginesim/core/sim_object.h"
#include "enginesim/exports.h"
#include "enginesim/script/dom_model.h"
#include "enginesim/script/script_support.h"

namespace larkwell::enginesim {
namespace {

constexpr TCefDomDocumentType kHtmlDocument = 1;
constexpr TCefDomNodeType kElementNode = 1;
constexpr TCefDomNodeType kTextNode = 3;
constexpr TCefDomNodeType kDocumentNode = 9;

template <DomKind Kind>
bool has_kind(const DomNodeData& node) {
  return node.kind == Kind;
}

// The first element of the document with tag `tag`.
DomNodeData* first_element(DomDocumentData& document, std::u16string_view tag) {
  return find_node(document.root,
                   [tag](const DomNodeData& node) { return node.kind == DomKind::element && node.tag == tag; });
}

class SimDomDocument final : public SimObjectOf<TCefDomDocument> {
 public:
  explicit SimDomDocument(DomRef document) : SimObjectOf("document"), doc_(std::move(document)) {
    TCefDomDocument* s = structure();
    s->get_type = entry<&SimDomDocument::get_type>;
    s->get_document = entry<&SimDomDocument::get_document>;
    s->get_body = entry<&SimDomDocument::element<&body_of>>;
    s->get_head = entry<&SimDomDocument::element<&head_of>>;
    s->get_title = entry<&SimDomDocument::get_title>;
    s->get_element_by_id = entry<&SimDomDocument::get_element_by_id>;
    s->get_focused_node = entry<&SimDomDocument::get_focused_node>;
    s->has_selection = entry<&SimDomDocument::has_selection>;
    s->get_selection_start_node = entry<&SimDomDocument::selection_node<&DomDocumentData::selection_start>>;
    s->get_selection_start_offset = entry<&SimDomDocument::selection_offset<&DomDocumentData::selection_start>>;
    s->get_selection_end_node = entry<&SimDomDocument::selection_node<&DomDocumentData::selection_end>>;
    s->get_selection_end_offset = entry<&SimDomDocument::selection_offset<&DomDocumentData::selection_end>>;
    s->get_selection_as_markup = entry<&SimDomDocument::get_selection_as_markup>;
    s->get_selection_as_text = entry<&SimDomDocument::get_selection_as_text>;
    s->get_base_url = entry<&SimDomDocument::get_base_url>;
    s->get_complete_url = entry<&SimDomDocument::get_complete_url>;
  }

  const DomRef& data() const noexcept { return doc_; }

 private:
  static DomNodeData* body_of(DomDocumentData& document) { return first_element(document, u"body"); }
  static DomNodeData* head_of(DomDocumentData& document) { return first_element(document, u"head"); }

  TCefDomDocumentType get_type() { return kHtmlDocument; }
  TCefDomNode* get_document() { return node_handle(doc_, &doc_->root); }

  template <DomNodeData* (*Find)(DomDocumentData&)>
  TCefDomNode* element() {
    return node_handle(doc_, Find(*doc_));
  }

  PCefStringUserFree get_title() {
    const DomNodeData* title = first_element(*doc_, u"title");
    return userfree_text(title != nullptr ? inner_text_of(*title) : std::u16string());
  }

  TCefDomNode* get_element_by_id(const TCefString* id) {
    const std::u16string_view wanted = text_of(id);
    return node_handle(doc_, find_node(doc_->root, [wanted](const DomNodeData& node) {
                         const std::u16string* own = node.attribute(u"id");
                         return node.kind == DomKind::element && own != nullptr && *own == wanted;
                       }));
  }

  TCefDomNode* get_focused_node() { return node_handle(doc_, doc_->focused); }
  int has_selection() { return doc_->selection_start.node != nullptr ? 1 : 0; }

  template <DomPosition DomDocumentData::*End>
  TCefDomNode* selection_node() {
    return node_handle(doc_, ((*doc_).*End).node);
  }
  template <DomPosition DomDocumentData::*End>
  int selection_offset() {
    return ((*doc_).*End).offset;
  }

  PCefStringUserFree get_selection_as_markup() { return userfree_text(selection_markup(*doc_)); }
  PCefStringUserFree get_selection_as_text() { return userfree_text(selection_text(*doc_)); }
  PCefStringUserFree get_base_url() { return userfree_text(doc_->base_url); }
  PCefStringUserFree get_complete_url(const TCefString* partial) {
    return userfree_text(complete_url(doc_->base_url, text_of(partial)));
  }

  DomRef doc_;
};

class SimDomNode final : public SimObjectOf<TCefDomNode> {
 public:
  SimDomNode(DomRef document, DomNodeData* node) : SimObjectOf("DOM node"), doc_(std::move(document)), node_(node) {
    TCefDomNode* s = structure();
    s->get_type = entry<&SimDomNode::get_type>;
    s->is_text = entry<&SimDomNode::is<&has_kind<DomKind::text>>>;
    s->is_element = entry<&SimDomNode::is<&has_kind<DomKind::element>>>;
    s->is_form_control_element = entry<&SimDomNode::is<&is_form_control>>;
    s->get_form_control_element_type = entry<&SimDomNode::get_form_control_element_type>;
    s->is_same = entry<&SimDomNode::is_same>;
    s->get_name = entry<&SimDomNode::text<&node_name_of>>;
    s->get_value = entry<&SimDomNode::text<&value_of>>;
    s->set_value = entry<&SimDomNode::set_value>;
    s->get_as_markup = entry<&SimDomNode::text<&markup_of>>;
    s->get_document = entry<&SimDomNode::get_document>;
    s->get_parent = entry<&SimDomNode::relative<&parent_of>>;
    s->get_previous_sibling = entry<&SimDomNode::relative<&sibling_of<-1>>>;
    s->get_next_sibling = entry<&SimDomNode::relative<&sibling_of<+1>>>;
    s->has_children = entry<&SimDomNode::is<&has_children>>;
    s->get_first_child = entry<&SimDomNode::relative<&first_child_of>>;
    s->get_last_child = entry<&SimDomNode::relative<&last_child_of>>;
    s->add_event_listener = entry<&SimDomNode::add_event_listener>;
    s->get_element_tag_name = entry<&SimDomNode::text<&tag_of>>;
    s->has_element_attributes = entry<&SimDomNode::is<&has_attributes>>;
    s->has_element_attribute = entry<&SimDomNode::has_element_attribute>;
    s->get_element_attribute = entry<&SimDomNode::get_element_attribute>;
    s->get_element_attributes = entry<&SimDomNode::get_element_attributes>;
    s->set_element_attribute = entry<&SimDomNode::set_element_attribute>;
    s->get_element_inner_text = entry<&SimDomNode::text<&inner_text_of>>;
  }

  DomNodeRef data() const { return DomNodeRef{doc_, node_}; }

 private:
  // --- questions about the node, one function each, shared by the slots through templates
  static bool is_form_control(const DomNodeData& node) { return node.is_form_control(); }
  static bool has_children(const DomNodeData& node) { return !node.children.empty(); }
  static bool has_attributes(const DomNodeData& node) {
    return node.kind == DomKind::element && !node.attributes.empty();
  }
  static std::u16string value_of(const DomNodeData& node) { return node.value(); }
  static std::u16string tag_of(const DomNodeData& node) { return node.tag; }

  static DomNodeData* parent_of(const DomNodeData& node) { return node.parent; }
  static DomNodeData* first_child_of(const DomNodeData& node) {
    return node.children.empty() ? nullptr : node.children.front().get();
  }
  static DomNodeData* last_child_of(const DomNodeData& node) {
    return node.children.empty() ? nullptr : node.children.back().get();
  }
  template <int Step>
  static DomNodeData* sibling_of(const DomNodeData& node) {
    if (node.parent == nullptr) return nullptr;
    const auto& siblings = node.parent->children;
    auto at =
        std::find_if(siblings.begin(), siblings.end(), [&node](const auto& sibling) { return sibling.get() == &node; });
    const auto index = (at - siblings.begin()) + Step;
    return index >= 0 && index < static_cast<std::ptrdiff_t>(siblings.size()) ? siblings[index].get() : nullptr;
  }

  template <bool (*Question)(const DomNodeData&)>
  int is() {
    return Question(*node_) ? 1 : 0;
  }
  template <std::u16string (*Text)(const DomNodeData&)>
  PCefStringUserFree text() {
    return userfree_text(Text(*node_));
  }
  template <DomNodeData* (*Relation)(const DomNodeData&)>
  TCefDomNode* relative() {
    return node_handle(doc_, Relation(*node_));
  }

  TCefDomNodeType get_type() {
    switch (node_->kind) {
      case DomKind::document:
        return kDocumentNode;
      case DomKind::text:
        return kTextNode;
      case DomKind::element:
        break;
    }
    return kElementNode;
  }

  PCefStringUserFree get_form_control_element_type() {
    std::u16string type;
    if (node_->is_form_control()) {
      const std::u16string* declared = node_->attribute(u"type");
      if (node_->tag == u"select") {
        type = u"select-one";
      } else if (node_->tag == u"textarea") {
        type = u"textarea";
      } else {
        type = declared != nullptr ? *declared : node_->tag == u"button" ? u"submit" : u"text";
      }
    }
    return userfree_text(type);
  }

  int is_same(TCefDomNode* that) {
    Held<TCefDomNode> other = Held<TCefDomNode>::adopt(that);
    return other && node_of(other.get(), "is_same").node == node_ ? 1 : 0;
  }

  // Form controls and text nodes take a value; other nodes refuse.
  int set_value(const TCefString* value) {
    if (node_->kind == DomKind::text) {
      node_->text = text_copy(value);
    } else if (node_->is_form_control()) {
      node_->set_value = text_copy(value);
    } else {
      return 0;
    }
    return 1;
  }

  TCefDomDocument* get_document() { return document_handle(doc_); }

  // The listener's reference, if any, is the engine's until the document goes.
  void add_event_listener(const TCefString* event_type, TCefDomEventListener* listener, int use_capture) {
    node_->listeners.push_back(
        DomListener{text_copy(event_type), Held<TCefDomEventListener>::adopt(listener), use_capture != 0});
  }

  int has_element_attribute(const TCefString* name) { return node_->attribute(text_of(name)) != nullptr ? 1 : 0; }

  PCefStringUserFree get_element_attribute(const TCefString* name) {
    const std::u16string* value = node_->attribute(text_of(name));
    return userfree_text(value != nullptr ? *value : std::u16string());
  }

  // Appends every attribute to the program's map, through the engine's own map functions.
  void get_element_attributes(TCefStringMap map) {
    for (const auto& [name, value] : node_->attributes) {
      const TCefString lent_name = lent_text(name);
      const TCefString lent_value = lent_text(value);
      cef_string_map_append(map, &lent_name, &lent_value);
    }
  }

  int set_element_attribute(const TCefString* name, const TCefString* value) {
    if (node_->kind != DomKind::element || text_of(name).empty()) return 0;
    auto& attributes = node_->attributes;
    auto found = std::find_if(attributes.begin(), attributes.end(),
                              [key = text_of(name)](const auto& attribute) { return attribute.first == key; });
    if (found != attributes.end()) {
      found->second = text_copy(value);
    } else {
      attributes.emplace_back(text_copy(name), text_copy(value));
    }
    return 1;
  }

  DomRef doc_;
  DomNodeData* node_;
};

}  // namespace

TCefDomDocument* document_handle(DomRef document) {
  return document ? make_object<SimDomDocument>(std::move(document))->structure() : nullptr;
}

TCefDomNode* node_handle(const DomRef& document, DomNodeData* node) {
  return node != nullptr ? make_object<SimDomNode>(document, node)->structure() : nullptr;
}

TCefDomDocument* create_document(std::u16string_view markup, std::u16string_view base_url) {
  auto document = std::make_shared<DomDocumentData>();
  if (!parse_markup(markup, document->root)) return nullptr;
  document->base_url = base_url;
  return document_handle(std::move(document));
}

DomRef document_of(TCefDomDocument* structure, const char* call) {
  if (structure == nullptr) return nullptr;
  const SimDomDocument* document = object_of<SimDomDocument>(structure, call);
  return document != nullptr ? document->data() : nullptr;
}

DomNodeRef node_of(TCefDomNode* structure, const char* call) {
  if (structure == nullptr) return {};
  const SimDomNode* node = object_of<SimDomNode>(structure, call);
  return node != nullptr ? node->data() : DomNodeRef{};
}

}  // namespace larkwell::enginesim
