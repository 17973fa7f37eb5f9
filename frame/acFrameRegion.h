// The window region of a skinned form: the window rectangle minus the pixels the
// skin's frame masks mark with the key colour in their corners.
#pragma once

#include <vector>

#include "paint/acBitmap.h"
#include "paint/acRect.h"
#include "skin/sMaskData.h"

// A corner mask and the image its pixels lie in (the mask's own bitmap or the
// skin's master bitmap).
struct TacCornerMask {
  const TsMaskData* Mask = nullptr;
  const TacBitmap* Image = nullptr;
};

// One-pixel-high rectangles of the key-coloured runs in the corners: the form's
// border mask at the top (y = 0) and at the bottom (y = form height - the mask's
// bottom border), then the title mask's top corners at y = 0. Right corners are
// moved to the window's right edge. A missing mask adds nothing.
std::vector<TacRect> BuildRegionRects(const TacCornerMask& border, const TacCornerMask& title, int windowWidth,
                                      int formHeight);

// The rectangle a form with an extended border keeps visible: the client part
// (left, right and bottom inset by the platform border, the top below the
// platform caption, 4 less with a short maximized title).
TacRect BorderFormClientRect(int windowWidth, int windowHeight, int sysBorder, int caption, bool maxShortTitle);
