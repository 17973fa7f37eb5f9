// Colour arithmetic and software fills of the painting core.
#pragma once

#include <cstdint>

#include "paint/acRect.h"

class TacBitmap;

// Rounds to the nearest integer, halves to the even neighbour, whatever the
// floating-point environment says.
int64_t RoundHalfEven(double v);

// 0 for negative values, 255 above 255, else v.
uint8_t ClampByte(int v);

// The pixel word of a colour with alpha 255: memory order blue, green, red, 255.
// The colour is used as it is (not resolved).
uint32_t ColorToPixel32(uint32_t color);

// Channel-wise round(a * w + b * (1 - w)); the top byte is a's.
uint32_t WeightedColor(uint32_t a, uint32_t b, double w);

// The colour (resolved) with its hue turned by offset degrees; top byte 0.
uint32_t RotateHue(int offset, uint32_t color);

// Moves the colour toward its grey (amount > 0, percent) or away from it
// (amount < 0); amount 0 returns the colour unchanged, otherwise the top byte is 0.
uint32_t AdjustSaturation(uint32_t color, int amount);

// Software fills of a bitmap with the resolved colour, clipped to the bitmap.
// 32-bit pixels get alpha 255 (what a GDI brush leaves is undefined there).
void FillSolidRect(TacBitmap* bmp, const TacRect& r, uint32_t color);
// Four strips in this order: top (full width), left (below the top strip),
// bottom (right of the left strip), right (between top and bottom strips).
void FillSolidFrame(TacBitmap* bmp, const TacRect& r, int left, int top, int right, int bottom,
                    uint32_t color);
