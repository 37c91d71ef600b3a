// Reading markup into the document model: a small parser for well-formed markup (elements,
// attributes with quoted or bare values, text, character references; comments, <!DOCTYPE> and
// processing instructions skipped).
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "enginesim/page/markup_text.h"
#include "enginesim/script/dom_model.h"

namespace larkwell::enginesim {
namespace {

bool ends_name(char16_t c) {
  return is_markup_space(c) || c == u'/' || c == u'>' || c == u'<' || c == u'=' || c == u'"' || c == u'\'';
}

DomNodeData* append_child(DomNodeData& parent, std::unique_ptr<DomNodeData> child) {
  child->parent = &parent;
  parent.children.push_back(std::move(child));
  return parent.children.back().get();
}

class MarkupParser {
 public:
  explicit MarkupParser(std::u16string_view markup) : in_(markup) {}

  bool parse(DomNodeData& root) {
    std::vector<DomNodeData*> open{&root};
    while (pos_ < in_.size()) {
      const bool well_formed = in_[pos_] != u'<'        ? read_text(*open.back())
                               : at(u"<!--")            ? skip_past(u"-->")
                               : at(u"<!") || at(u"<?") ? skip_past(u">")
                               : at(u"</")              ? read_end_tag(open)
                                                        : read_start_tag(open);
      if (!well_formed) return false;
    }
    return open.size() == 1;
  }

 private:
  bool at(std::u16string_view text) const { return in_.substr(pos_, text.size()) == text; }

  bool skip_past(std::u16string_view end) {
    const std::size_t found = in_.find(end, pos_);
    if (found == std::u16string_view::npos) return false;
    pos_ = found + end.size();
    return true;
  }

  void skip_spaces() {
    while (pos_ < in_.size() && is_markup_space(in_[pos_])) ++pos_;
  }

  std::u16string read_name() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && !ends_name(in_[pos_])) ++pos_;
    return ascii_lower(in_.substr(start, pos_ - start));
  }

  bool read_text(DomNodeData& parent) {
    const std::size_t end = std::min(in_.find(u'<', pos_), in_.size());
    auto text = std::make_unique<DomNodeData>(DomKind::text);
    text->text = decode_references(in_.substr(pos_, end - pos_));
    append_child(parent, std::move(text));
    pos_ = end;
    return true;
  }

  bool read_end_tag(std::vector<DomNodeData*>& open) {
    pos_ += 2;
    const std::u16string name = read_name();
    skip_spaces();
    if (!at(u">") || open.size() == 1 || open.back()->tag != name) return false;
    ++pos_;
    open.pop_back();
    return true;
  }

  bool read_start_tag(std::vector<DomNodeData*>& open) {
    ++pos_;
    auto element = std::make_unique<DomNodeData>(DomKind::element);
    element->tag = read_name();
    if (element->tag.empty()) return false;
    bool self_closing = false;
    for (;;) {
      skip_spaces();
      if (at(u"/>")) {
        pos_ += 2;
        self_closing = true;
        break;
      }
      if (at(u">")) {
        ++pos_;
        break;
      }
      std::u16string name = read_name();
      if (name.empty()) return false;
      skip_spaces();
      std::u16string value;
      if (at(u"=")) {
        ++pos_;
        skip_spaces();
        if (!read_value(value)) return false;
      }
      element->attributes.emplace_back(std::move(name), std::move(value));
    }
    DomNodeData* added = append_child(*open.back(), std::move(element));
    if (!self_closing && !is_void_element(added->tag)) open.push_back(added);
    return true;
  }

  // A quoted value, or a bare one up to a space or the end of the tag.
  bool read_value(std::u16string& value) {
    std::size_t start = pos_, end;
    if (at(u"\"") || at(u"'")) {
      end = in_.find(in_[pos_], ++start);
      if (end == std::u16string_view::npos) return false;
      pos_ = end + 1;
    } else {
      while (pos_ < in_.size() && !is_markup_space(in_[pos_]) && in_[pos_] != u'>') ++pos_;
      end = pos_;
      if (end == start) return false;
    }
    value = decode_references(in_.substr(start, end - start));
    return true;
  }

  std::u16string_view in_;
  std::size_t pos_ = 0;
};

}  // namespace

bool parse_markup(std::u16string_view markup, DomNodeData& root) { return MarkupParser(markup).parse(root); }

}  // namespace larkwell::enginesim
