// Per-pixel helpers of the mask and texture code: pixels are addressed as byte
// pointers in blue, green, red (, alpha) order.
#pragma once

#include <cstdint>

#include "paint/acBitmap.h"
#include "paint/acColors.h"

// Colour value 0x00BBGGRR of a pixel.
inline uint32_t PixelRgb(const uint8_t* p) {
  return p[2] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
}
// Red, green and blue equal those of the colour; alpha is never compared.
inline bool PixelIs(const uint8_t* p, uint32_t color) { return (PixelRgb(p) ^ color) & 0xFFFFFF ? false : true; }
inline bool IsKeyPixel(const uint8_t* p) { return PixelIs(p, TransparentKey); }

inline void PutRgb(uint8_t* p, uint32_t rgb) {
  p[0] = static_cast<uint8_t>(rgb >> 16);
  p[1] = static_cast<uint8_t>(rgb >> 8);
  p[2] = static_cast<uint8_t>(rgb);
}

// One channel through its mask: m = 0 gives s, m = 255 keeps almost all of d.
// d * m + s * (256 - m) is never negative, so the shift is exact.
inline uint8_t MaskMix(int d, int s, int m) { return static_cast<uint8_t>(((d - s) * m + s * 256) >> 8); }

inline bool InBitmap(const TacBitmap* b, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < b->Width() && y < b->Height();
}
