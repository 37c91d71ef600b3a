// Reading markup into the document model: the markup reader's pieces, well-formed only.
#include <memory>
#include <utility>
#include <vector>

#include "enginesim/page/markup.h"
#include "enginesim/script/dom_model.h"

namespace larkwell::enginesim {

bool parse_markup(std::u16string_view markup, DomNodeData& root) {
  MarkupReader reader(markup);
  std::vector<DomNodeData*> open{&root};
  for (MarkupReader::Piece piece; (piece = reader.next()) != MarkupReader::Piece::end && reader.well_formed();) {
    const MarkupTag& tag = reader.tag();
    if (piece == MarkupReader::Piece::tag && tag.end) {
      if (open.size() == 1 || open.back()->tag != tag.name) return false;
      open.pop_back();
      continue;
    }
    auto node = std::make_unique<DomNodeData>(piece == MarkupReader::Piece::text ? DomKind::text : DomKind::element);
    if (piece == MarkupReader::Piece::text) {
      node->text = reader.text();
    } else {
      node->tag = tag.name;
      node->attributes = tag.attributes;
    }
    node->parent = open.back();
    open.back()->children.push_back(std::move(node));
    DomNodeData* added = open.back()->children.back().get();
    if (added->kind == DomKind::element && !tag.self_closing && !is_void_element(added->tag)) open.push_back(added);
  }
  return reader.well_formed() && open.size() == 1;
}

}  // namespace larkwell::enginesim
