#include "enginesim/window/page_layout.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace larkwell::enginesim::window {
namespace {

bool is_space(char16_t c) { return c == u' ' || c == u'\t'; }

// Chinese, Japanese and Korean characters and full-width forms: a line may break beside each.
bool is_wide(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

// Punctuation that never starts a line, and punctuation that never ends one.
bool closes(char16_t c) {
  return std::u16string_view(u"，。、：；！？）】》」』〉,.;:!?)]}%").find(c) != std::u16string_view::npos;
}
bool opens(char16_t c) { return std::u16string_view(u"（【《「『〈([{").find(c) != std::u16string_view::npos; }

bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// A stretch of one run that a line never breaks inside.
struct Segment {
  std::size_t run;
  std::u16string_view text;
  bool breakable_before;
};

// Fills lines from segments, one block at a time.
class LineFiller {
 public:
  LineFiller(PageLayout& layout, Measure& measure, int right) : layout_(layout), measure_(measure), right_(right) {}

  // Lays out `runs` in `style` from line top `y`, lines starting at `left`; answers the
  // bottom of its last line.
  int fill(const std::vector<Run>& runs, TextStyle style, int left, int y) {
    style_ = style;
    left_ = left;
    x_ = left;
    y_ = y;
    height_ = measure_.line_height(style);
    line_start_piece_ = layout_.pieces.size();
    for (const Segment& segment : segments(runs)) place(segment, runs[segment.run]);
    finish_line();
    return y_ + height_;
  }

 private:
  static std::vector<Segment> segments(const std::vector<Run>& runs) {
    std::vector<Segment> out;
    char16_t before = 0;
    for (std::size_t r = 0; r < runs.size(); ++r) {
      const std::u16string_view text = runs[r].text;
      std::size_t start = 0;
      for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool at_end = i == text.size();
        const bool split = !at_end && i > 0 && may_break_between(text[i - 1], text[i]);
        if (!at_end && !split) continue;
        if (i > start) {
          const bool breakable = start > 0 || (before != 0 && may_break_between(before, text[0]));
          out.push_back({r, text.substr(start, i - start), breakable});
        }
        start = i;
      }
      if (!text.empty()) before = text.back();
    }
    return out;
  }

  void place(const Segment& segment, const Run& run) {
    std::u16string_view text = segment.text;
    std::u16string_view visible = text;
    while (!visible.empty() && is_space(visible.back())) visible.remove_suffix(1);
    const int width = measure_.width(visible, style_);
    if (x_ > left_ && segment.breakable_before && x_ + width > right_) new_line();
    // A segment wider than a whole line is cut where it has to be.
    while (x_ == left_ && measure_.width(text, style_) > right_ - left_ && text.size() > 1) {
      std::size_t fits = 1;
      while (fits < text.size() && measure_.width(text.substr(0, fits + 1), style_) <= right_ - left_) ++fits;
      if (fits < text.size() && is_high_surrogate(text[fits - 1])) ++fits;
      append(text.substr(0, fits), segment.run, run);
      text.remove_prefix(fits);
      new_line();
    }
    if (!text.empty()) append(text, segment.run, run);
  }

  void append(std::u16string_view text, std::size_t run_index, const Run& run) {
    std::vector<Piece>& pieces = layout_.pieces;
    if (pieces.size() == line_start_piece_ || run_index != last_run_) {
      Piece piece;
      piece.x = x_;
      piece.y = y_;
      piece.height = height_;
      piece.style = style_;
      piece.link = run.link;
      piece.href = run.href;
      pieces.push_back(std::move(piece));
      last_run_ = run_index;
    }
    pieces.back().text += text;
    x_ += measure_.width(text, style_);
  }

  void new_line() {
    finish_line();
    x_ = left_;
    y_ += height_;
  }

  // Pieces measure as a whole once their line is done (one call per piece, not per segment).
  void finish_line() {
    for (std::size_t i = line_start_piece_; i < layout_.pieces.size(); ++i) {
      Piece& piece = layout_.pieces[i];
      piece.width = measure_.width(piece.text, style_);
    }
    line_start_piece_ = layout_.pieces.size();
  }

  PageLayout& layout_;
  Measure& measure_;
  const int right_;
  TextStyle style_ = TextStyle::body;
  int left_ = 0, x_ = 0, y_ = 0, height_ = 0;
  std::size_t line_start_piece_ = 0, last_run_ = 0;
};

}  // namespace

bool may_break_between(char16_t before, char16_t after) {
  if (is_high_surrogate(before) || is_space(after)) return false;
  if (is_space(before)) return true;
  return (is_wide(before) || is_wide(after)) && !closes(after) && !opens(before);
}

TextStyle style_of(const Block& block) {
  if (block.kind != Block::Kind::heading) return TextStyle::body;
  return block.level <= 1 ? TextStyle::heading1 : block.level == 2 ? TextStyle::heading2 : TextStyle::heading3;
}

const Piece* PageLayout::link_at(int x, int y) const {
  for (const Piece& piece : pieces) {
    if (piece.link && piece.contains(x, y)) return &piece;
  }
  return nullptr;
}

PageLayout lay_out(std::u16string_view title, const Page& page, int width, Measure& measure) {
  PageLayout layout;
  const int right = std::max(width - kMargin, kMargin + 1);
  LineFiller filler(layout, measure, right);
  int y = kMargin;
  if (!title.empty()) y = filler.fill({Run{std::u16string(title), false, u""}}, TextStyle::title, kMargin, y);
  layout.title_bottom = y + 4;
  y = layout.title_bottom + 8;
  const int body_line = measure.line_height(TextStyle::body);
  const Block* previous = nullptr;
  for (const Block& block : page.blocks) {
    const TextStyle style = style_of(block);
    const bool spaced = previous != nullptr && !block.continued &&
                        (block.kind == Block::Kind::heading || block.kind == Block::Kind::paragraph ||
                         (block.kind == Block::Kind::list_item && previous->kind != Block::Kind::list_item));
    if (spaced) y += measure.line_height(style) / 2;
    previous = &block;
    if (block.kind == Block::Kind::line_break) {
      y += body_line;
      continue;
    }
    int left = kMargin;
    if (block.kind == Block::Kind::list_item) {
      left += kListIndent;
      Piece bullet;
      bullet.text = u"\u2022";
      bullet.width = measure.width(bullet.text, style);
      bullet.x = left - bullet.width - 8;
      bullet.y = y;
      bullet.height = measure.line_height(style);
      bullet.style = style;
      layout.pieces.push_back(std::move(bullet));
    }
    y = filler.fill(block.runs, style, left, y);
  }
  layout.height = y;
  return layout;
}

}  // namespace larkwell::enginesim::window
