// The arithmetic of glowing text: where the 8-bit glow mask lies around the text,
// the offsets the text is laid at in it, and how the blurred mask tints a bitmap.
#pragma once

#include <cstdint>

#include "paint/acRect.h"

class TacBitmap;
class TacMask8;

// The text rectangle grown by glowSize + 4 on every side.
TacRect GlowMaskRect(const TacRect& textRect, int glowSize);

// Offsets at which the text is laid into the mask: (-1, 0) for bit 1 of `flags`,
// (0, -1) for bit 2, (+1, 0) for bit 4, (0, +1) for bit 8, and last (0, 0).
struct TacGlowOffsets {
  int Dx[5];
  int Dy[5];
  int Count = 0;
};
TacGlowOffsets GlowTextOffsets(unsigned flags);

// Mask pixel (i, j) with a value m other than 255 acts on the target pixel at
// (left + i, top + j) when that lies inside the target: each colour channel v becomes
// (v - c) * m div 255 + c for the channel c of `color` (0x00BBGGRR), and in a 32-bit
// target the alpha a becomes max(0, a + m - 255).
void ApplyGlowMask(TacBitmap* target, const TacMask8& mask, int left, int top, uint32_t color);
