// Where a glow window goes: the glow image's fixed edges reach `margin` pixels in
// over the item, so the window is the item grown by the image margins less twice
// that; an item partly hidden by its parent loses the glow over its hidden parts.
#pragma once

#include "paint/acRect.h"

struct TsMaskData;

struct TacGlowMargins {
  int Left;
  int Top;
  int Right;
  int Bottom;
};

// The image's own margins, else its BorderWidth, else its frame width or height.
TacGlowMargins GlowImageMargins(const TsMaskData& mask);

struct TacGlowPlacement {
  int FullWidth;   // the whole glow picture (the item grown by the margins)
  int FullHeight;
  int CropLeft;    // where the window's part starts in the whole picture
  int CropTop;
  int Width;       // the window
  int Height;
  int X;           // the window's screen position
  int Y;
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

// `item` in screen coordinates, `visible` the part of it not hidden (item coordinates;
// cut to the item first). A glow that keeps nothing comes out Empty(). Crops never
// reach outside the whole picture, also when the margin is wider than the image's
// edges.
TacGlowPlacement PlaceGlow(const TacRect& item, TacRect visible, const TacGlowMargins& image, int margin);
