// Nine-part borders from skin masks: four corners, four sides and a centre cut
// from one state frame of the mask and laid over a rectangle.
#pragma once

#include <algorithm>
#include <cstdint>

#include "paint/acBitmap.h"
#include "paint/acColors.h"
#include "paint/acRect.h"
#include "skin/sMaskData.h"

// The mask's margins for a target of this size: when the two margins of an axis
// exceed the size, each loses half the excess (the far one a pixel more for an
// odd size), none below 0, and together never more than the size.
void ShrinkMargins(int size, int& nearMargin, int& farMargin);

enum class TacBorderPiece { TopLeft, Left, Top, BottomLeft, Bottom, BottomRight, TopRight, Right, Centre };

// Where the pieces of one state frame come from and go to.
struct TacBorderLayout {
  int WL, WT, WR, WB;  // margins after shrinking
  int FrameWidth, FrameHeight;
  int MidWidth, MidHeight;  // source middles, at least 0
  int SrcLeft, SrcMidX, SrcRightX;   // source columns of the left edge, middle, right edge
  int SrcTop, SrcMidY, SrcBottomY;   // source rows of the top edge, middle, bottom edge
  TacRect Target;                    // the rectangle the border covers
};

struct TacPiecePlace {
  TacRect Target;  // where the piece goes (tiled or stretched over it)
  TacRect Source;  // one block of the frame (Right and Bottom exclusive)
  bool Corner;
};

// The mask's source image: its own bitmap, else the master bitmap of its skin.
const TacBitmap* MaskSource(const TsMaskData& m);

// False when the mask has no frames. The state is lowered to the last frame
// (and raised to 0).
bool ComputeBorderLayout(const TsMaskData& m, const TacRect& r, int state, TacBorderLayout& out);
TacPiecePlace BorderPiecePlace(const TacBorderLayout& layout, TacBorderPiece piece);

// Calls block(target, source) for every block of a bw x bh tiling of target from
// its top-left, the last column and row cut. Nothing for an empty block.
template <typename Fn>
void ForEachTile(const TacRect& target, int bw, int bh, Fn&& block) {
  if (bw <= 0 || bh <= 0) return;
  for (int64_t x = target.Left; x < target.Right; x += bw) {
    const int w = static_cast<int>(std::min<int64_t>(bw, target.Right - x));
    for (int64_t y = target.Top; y < target.Bottom; y += bh) {
      const int h = static_cast<int>(std::min<int64_t>(bh, target.Bottom - y));
      block(TacRect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + w, static_cast<int>(y) + h}, w,
            h);
    }
  }
}

// Draws one state frame of mask m as a nine-part border over r: corners through
// the key colour (with cornersUseParent, key-coloured corner pixels show pi's
// image at the target place + (pi.X, pi.Y)), sides and centre copied, tiled,
// or stretched in halftone when DrawMode has bit 1 (MaskType 0 only); a mask
// with a mask half is tiled through it. The centre only when fillCentre and
// DrawMode has bit 4; nothing in state 0 when DrawMode has bit 2.
void DrawBorderMask(TacBitmap* bmp, const TacRect& r, bool fillCentre, bool cornersUseParent, int state,
                    const TsMaskData& m, const TacParentImage& pi);
