// Stretching a rectangle of one bitmap onto a rectangle of another, in our own
// integer code so that every platform draws the same pixels.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acRect.h"

// Pixel replication: target pixel i takes source pixel Left + (2i + 1) x sw div
// (2 x dw), the source pixel under its centre (the platform's default stretch
// for enlarging; shrinking drops lines instead of combining them).
void StretchNearest(TacBitmap* dst, const TacRect& d, const TacBitmap* src, const TacRect& s);

// Halftone: every target pixel is the area-weighted average of the source
// pixels it covers (exact integer weights, rounded half up), so a shrunk image
// keeps its average colour and an enlarged one blends neighbouring pixels at
// the seams. A 32-bit source averages its alpha like a colour; a 24-bit source
// gives alpha 255 in a 32-bit target.
void StretchHalftone(TacBitmap* dst, const TacRect& d, const TacBitmap* src, const TacRect& s);

// Both: target pixels outside dst are skipped; source columns and rows outside
// src are read from its nearest edge. Nothing happens for an empty rectangle.
