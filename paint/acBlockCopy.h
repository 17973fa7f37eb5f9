// Plain block copies between bitmaps, the software counterpart of a BitBlt with
// SRCCOPY: whole rectangles, clipped to both bitmaps, any mix of 24 and 32 bits.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acRect.h"

// Copies src's rectangle q (Right and Bottom exclusive) to dst with its top-left
// at (x, y). Parts outside either bitmap are left out; the two rectangles move
// together when one of them is cut at its top or left. A 24-bit source gives
// alpha 255 in a 32-bit target; a 32-bit source keeps its alpha in a 32-bit
// target. src may be dst itself (overlapping rows are copied correctly).
void CopyBitmapRect(TacBitmap* dst, int x, int y, const TacBitmap* src, const TacRect& q);

// Tiles block (a rectangle of src) over target from target's top-left, the last
// column and row cut, as CopyBitmapRect block by block would. src must not be dst.
void TileBitmapRect(TacBitmap* dst, const TacRect& target, const TacBitmap* src, const TacRect& block);

// Clipping shared by the pixel loops: the part of a w x h block at (dx, dy) in
// dst and (sx, sy) in src that lies inside both. False when nothing is left.
struct TacClippedBlock {
  int DstX, DstY, SrcX, SrcY, Width, Height;
};
bool ClipBlock(int dstWidth, int dstHeight, int dx, int dy, int srcWidth, int srcHeight, int sx, int sy,
               int w, int h, TacClippedBlock& out);
