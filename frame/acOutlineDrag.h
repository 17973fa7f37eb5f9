// The outline drag of ResizeMode rmBorder: the window is moved or sized as an
// inverted outline on the desktop and placed once when the button goes up.
// This is the rectangle arithmetic; the provider draws the outline and moves
// the window.
#pragma once

#include "paint/acPoint.h"
#include "paint/acRect.h"

class TacOutlineDrag {
 public:
  // zone: the hit-test code of the border being dragged (10 to 17); any other
  // value moves the window. The rectangle is left, top, right, bottom.
  void Begin(const TacRect& window, int minWidth, int minHeight, int zone, bool sizing);
  // The pointer moved to p (screen coordinates). Answers whether the outline
  // changed; the first move after Begin only records the pointer.
  bool Move(TacPoint p);
  // Ends the drag; true with the rectangle to apply, false when there is
  // nothing to apply (no drag, or a size drag that never moved).
  bool End(TacRect& apply);

  bool Active() const { return active_; }
  const TacRect& Rect() const { return rect_; }

 private:
  TacRect rect_{0, 0, 0, 0};
  int minWidth_ = 0;
  int minHeight_ = 0;
  int zone_ = 0;
  bool sizing_ = false;
  bool active_ = false;
  bool firstMovePending_ = false;
  bool moved_ = false;
  TacPoint last_{0, 0};
};
