#include "frame/acOutlineDrag.h"

#include <algorithm>

#include "frame/acFrameHitTest.h"

void TacOutlineDrag::Begin(const TacRect& window, int minWidth, int minHeight, int zone, bool sizing) {
  rect_ = window;
  minWidth_ = minWidth;
  minHeight_ = minHeight;
  zone_ = zone;
  sizing_ = sizing;
  active_ = true;
  firstMovePending_ = true;
  moved_ = false;
}

bool TacOutlineDrag::Move(TacPoint p) {
  if (!active_) return false;
  if (firstMovePending_) {
    firstMovePending_ = false;
    last_ = p;
    return false;
  }
  const int dx = p.X - last_.X;
  const int dy = p.Y - last_.Y;
  last_ = p;
  if (dx == 0 && dy == 0) return false;
  moved_ = true;
  if (!sizing_) {
    rect_.Left += dx;
    rect_.Right += dx;
    rect_.Top += dy;
    rect_.Bottom += dy;
    return true;
  }
  const int z = zone_;
  // An edge never comes closer to its opposite than the minimum size.
  if (z == acHit::Top || z == acHit::TopLeft || z == acHit::TopRight)
    rect_.Top = std::min(rect_.Top + dy, rect_.Bottom - minHeight_);
  if (z == acHit::Bottom || z == acHit::BottomLeft || z == acHit::BottomRight)
    rect_.Bottom = std::max(rect_.Bottom + dy, rect_.Top + minHeight_);
  if (z == acHit::Left || z == acHit::TopLeft || z == acHit::BottomLeft)
    rect_.Left = std::min(rect_.Left + dx, rect_.Right - minWidth_);
  if (z == acHit::Right || z == acHit::TopRight || z == acHit::BottomRight)
    rect_.Right = std::max(rect_.Right + dx, rect_.Left + minWidth_);
  return true;
}

bool TacOutlineDrag::End(TacRect& apply) {
  if (!active_) return false;
  active_ = false;
  if (sizing_ && !moved_) return false;
  apply = rect_;
  return true;
}
