// Markup out of the document model: the serialiser behind get_as_markup, inner text, the text
// and markup of a selection, and what a node answers about itself.
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>

#include "enginesim/script/dom_model.h"

namespace larkwell::enginesim {
namespace {

std::u16string escape(std::u16string_view text, bool in_attribute) {
  std::u16string out;
  for (char16_t c : text) {
    if (c == u'&') {
      out += u"&amp;";
    } else if (c == u'<') {
      out += u"&lt;";
    } else if (c == u'>') {
      out += u"&gt;";
    } else if (c == u'"' && in_attribute) {
      out += u"&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

void append_open_tag(const DomNodeData& element, std::u16string& out) {
  out += u'<';
  out += element.tag;
  for (const auto& [name, value] : element.attributes) {
    out += u' ';
    out += name;
    out += u"=\"";
    out += escape(value, true);
    out += u'"';
  }
  out += u'>';
}

void append_close_tag(const DomNodeData& element, std::u16string& out) {
  if (is_void_element(element.tag)) return;
  out += u"</";
  out += element.tag;
  out += u'>';
}

void append_markup(const DomNodeData& node, std::u16string& out) {
  if (node.kind == DomKind::text) {
    out += escape(node.text, false);
    return;
  }
  if (node.kind == DomKind::element) append_open_tag(node, out);
  for (const auto& child : node.children) append_markup(*child, out);
  if (node.kind == DomKind::element) append_close_tag(node, out);
}

void append_inner_text(const DomNodeData& node, std::u16string& out) {
  if (node.kind == DomKind::text) out += node.text;
  for (const auto& child : node.children) append_inner_text(*child, out);
}

// The selection of a document as a range over its nodes in document order.
class SelectionRange {
 public:
  explicit SelectionRange(const DomDocumentData& document)
      : start_(document.selection_start), end_(document.selection_end) {
    int next = 0;
    number(document.root, next);
  }

  void append_text(const DomNodeData& node, std::u16string& out) const {
    if (!intersects(node)) return;
    if (node.kind == DomKind::text) out += selected_part(node);
    for (const auto& child : node.children) append_text(*child, out);
  }

  // The selected part of the ends' closest common ancestor: partly selected elements with
  // their tags, text trimmed to the selection.
  void append_markup(std::u16string& out) const {
    const DomNodeData& common = common_ancestor();
    if (common.kind == DomKind::text) {
      out += escape(selected_part(common), false);
      return;
    }
    append_children_markup(common, out);
  }

 private:
  struct Span {
    int first;
    int last;  // the last node of the subtree
  };

  void number(const DomNodeData& node, int& next) {
    const int first = next++;
    for (const auto& child : node.children) number(*child, next);
    spans_[&node] = Span{first, next - 1};
  }

  bool intersects(const DomNodeData& node) const {
    const Span span = spans_.at(&node);
    return span.last >= spans_.at(start_.node).first && span.first <= spans_.at(end_.node).first;
  }

  std::u16string_view selected_part(const DomNodeData& text_node) const {
    const std::u16string_view text = text_node.text;
    const std::size_t from =
        &text_node == start_.node ? static_cast<std::size_t>(start_.offset) : 0;
    const std::size_t to =
        &text_node == end_.node ? static_cast<std::size_t>(end_.offset) : text.size();
    return text.substr(from, to - from);
  }

  const DomNodeData& common_ancestor() const {
    for (const DomNodeData* candidate = start_.node; candidate != nullptr;
         candidate = candidate->parent) {
      const Span span = spans_.at(candidate);
      const int end_index = spans_.at(end_.node).first;
      if (span.first <= end_index && end_index <= span.last) return *candidate;
    }
    return *start_.node;  // unreachable: the ends share the document root
  }

  void append_children_markup(const DomNodeData& parent, std::u16string& out) const {
    for (const auto& child : parent.children) {
      if (!intersects(*child)) continue;
      if (child->kind == DomKind::text) {
        out += escape(selected_part(*child), false);
      } else {
        append_open_tag(*child, out);
        append_children_markup(*child, out);
        append_close_tag(*child, out);
      }
    }
  }

  DomPosition start_;
  DomPosition end_;
  std::unordered_map<const DomNodeData*, Span> spans_;
};

}  // namespace

constexpr std::u16string_view kVoidElements[] = {u"area",  u"base", u"br",     u"col",
                                                 u"embed", u"hr",   u"img",    u"input",
                                                 u"link",  u"meta", u"source", u"wbr"};

bool is_void_element(std::u16string_view tag) {
  return std::find(std::begin(kVoidElements), std::end(kVoidElements), tag) !=
         std::end(kVoidElements);
}

std::u16string markup_of(const DomNodeData& node) {
  std::u16string out;
  append_markup(node, out);
  return out;
}

std::u16string inner_text_of(const DomNodeData& node) {
  std::u16string out;
  append_inner_text(node, out);
  return out;
}

std::u16string node_name_of(const DomNodeData& node) {
  switch (node.kind) {
    case DomKind::document:
      return u"#document";
    case DomKind::text:
      return u"#text";
    case DomKind::element:
      break;
  }
  std::u16string name = node.tag;
  for (char16_t& c : name) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
  }
  return name;
}

std::u16string selection_text(const DomDocumentData& document) {
  std::u16string out;
  if (document.selection_start.node != nullptr) {
    SelectionRange(document).append_text(document.root, out);
  }
  return out;
}

std::u16string selection_markup(const DomDocumentData& document) {
  std::u16string out;
  if (document.selection_start.node != nullptr) SelectionRange(document).append_markup(out);
  return out;
}

// --- node data

const std::u16string* DomNodeData::attribute(std::u16string_view name) const {
  for (const auto& [key, value] : attributes) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool DomNodeData::is_form_control() const {
  return kind == DomKind::element &&
         (tag == u"input" || tag == u"select" || tag == u"textarea" || tag == u"button");
}

std::u16string DomNodeData::value() const {
  if (kind == DomKind::text) return text;
  if (!is_form_control()) return {};
  if (set_value) return *set_value;
  if (tag == u"textarea") return inner_text_of(*this);
  const std::u16string* initial = attribute(u"value");
  return initial != nullptr ? *initial : std::u16string();
}

}  // namespace larkwell::enginesim
