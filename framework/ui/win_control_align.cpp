// The controls' layout inside their parent: alignment to the parent's free area, and the edges
// an unaligned control is anchored to.
#include <algorithm>

#include "framework/ui/win_control.h"

namespace larkwell {

void TWinControl::Realign() {
  if (realigning_) return;
  realigning_ = true;
  const RECT client = ClientRect();
  const int clientWidth = client.right - client.left;
  const int clientHeight = client.bottom - client.top;
  const bool firstTime = aligned_client_width_ < 0;
  const int grownX = firstTime ? 0 : clientWidth - aligned_client_width_;
  const int grownY = firstTime ? 0 : clientHeight - aligned_client_height_;
  aligned_client_width_ = clientWidth;
  aligned_client_height_ = clientHeight;

  RECT free = client;
  const auto place = [](TWinControl& child, int left, int top, int width, int height) {
    if (child.left_ != left || child.top_ != top || child.width_ != width || child.height_ != height ||
        !child.handle_) {
      child.SetBounds(left, top, std::max(width, 0), std::max(height, 0));
    }
  };
  try {
    // The system's order of docking: top, bottom, left, right, then what is left for the client.
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
      for (TWinControl* child : controls_) {
        if (child->align_ != pass || !child->visible_) continue;
        const int freeWidth = free.right - free.left;
        const int freeHeight = free.bottom - free.top;
        switch (pass) {
          case TAlign::alTop:
            place(*child, free.left, free.top, freeWidth, child->height_);
            free.top += child->height_;
            break;
          case TAlign::alBottom:
            place(*child, free.left, free.bottom - child->height_, freeWidth, child->height_);
            free.bottom -= child->height_;
            break;
          case TAlign::alLeft:
            place(*child, free.left, free.top, child->width_, freeHeight);
            free.left += child->width_;
            break;
          case TAlign::alRight:
            place(*child, free.right - child->width_, free.top, child->width_, freeHeight);
            free.right -= child->width_;
            break;
          default:
            place(*child, free.left, free.top, freeWidth, freeHeight);
            break;
        }
      }
    }
    // Unaligned children follow the edges they are anchored to.
    if (grownX != 0 || grownY != 0) {
      for (TWinControl* child : controls_) {
        if (child->align_ != TAlign::alNone) continue;
        int left = child->left_, top = child->top_, width = child->width_, height = child->height_;
        if (child->anchors_.Contains(TAnchorKind::akRight)) {
          child->anchors_.Contains(TAnchorKind::akLeft) ? width += grownX : left += grownX;
        }
        if (child->anchors_.Contains(TAnchorKind::akBottom)) {
          child->anchors_.Contains(TAnchorKind::akTop) ? height += grownY : top += grownY;
        }
        place(*child, left, top, width, height);
      }
    }
  } catch (...) {
    realigning_ = false;
    throw;
  }
  realigning_ = false;
}

}  // namespace larkwell
