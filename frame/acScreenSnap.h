// Screen snap: a moving window sticks to the work area's edges when it comes
// closer than SnapBuffer pixels.
#pragma once

#include "paint/acPoint.h"
#include "paint/acRect.h"

struct TacSnapInput {
  TacPoint Proposed;     // the proposed window position
  int Width = 0;
  int Height = 0;
  TacRect WorkArea{0, 0, 0, 0};
  int SnapBuffer = 10;
  int ExtWidth = 0;      // extended minus platform border width with a border form, else 0
  int ExtTop = 0;        // the extended border's top offset, 0 without a border form
};

// The position after snapping. The tests run right, bottom, left, top; a later
// one wins. A proposed (0, 0) is left alone, as is a maximized window.
TacPoint SnapToWorkArea(const TacSnapInput& in, bool screenSnap, bool maximized);
