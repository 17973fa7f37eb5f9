// An image drawn in nine parts whose edges must stay within given insets: the
// extended (shadow) borders of windows.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acRect.h"

struct TacEdges {
  int Left, Top, Right, Bottom;
};

// Side and centre modes.
enum TacNinePartMode : int { npTile = 0, npStretch = 1 };  // any other value draws nothing

// Draws source rectangle q of src over r of dst in nine parts with the margins:
// corners as L shapes that keep within the insets, the four edges (left, top,
// right, bottom) each no wider than its inset and tiled or stretched by its
// mode, and the centre between the full margins when fillCentre. Every piece is
// a plain copy (32-bit images keep their alpha); stretching replicates pixels.
// A tiled piece whose source middle is empty is not drawn.
void DrawNinePartImage(TacBitmap* dst, const TacBitmap* src, const TacRect& r, const TacRect& q,
                       const TacEdges& margins, const TacEdges& insets, const TacEdges& sideModes, int centreMode,
                       bool fillCentre);
