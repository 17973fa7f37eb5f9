// The dotted focus frame around a focused caption: a black dot every third pixel
// along the four edges, each with a white dot up and to the left of it.
#pragma once

#include <vector>

#include "paint/acRect.h"

struct TacFocusDot {
  int X;
  int Y;
  bool White;
};

// For i = 0..width div 3: black at (Left + 3i, Top) and (Left + 3i, Bottom), white at
// (Left + 3i - 1, Top - 1) and (Left + 3i - 1, Bottom - 1); for j = 0..height div 3:
// black at (Left, Top + 3j) and (Right, Top + 3j), white at (Left - 1, Top + 3j - 1)
// and (Right - 1, Top + 3j - 1). Right and Bottom are the frame's own lines here.
// An inverted rectangle (negative width or height) gives no dots.
std::vector<TacFocusDot> FocusDots(const TacRect& r);
