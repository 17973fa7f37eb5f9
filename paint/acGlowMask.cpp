#include "paint/acGlowMask.h"

#include <algorithm>

#include "paint/acBitmap.h"
#include "paint/acMask8.h"

TacRect GlowMaskRect(const TacRect& r, int glowSize) {
  const int grow = glowSize + 4;
  return TacRect{r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow};
}

TacGlowOffsets GlowTextOffsets(unsigned flags) {
  static constexpr int kDx[4] = {-1, 0, 1, 0};
  static constexpr int kDy[4] = {0, -1, 0, 1};
  TacGlowOffsets o;
  for (int bit = 0; bit < 4; ++bit) {
    if (flags & (1u << bit)) {
      o.Dx[o.Count] = kDx[bit];
      o.Dy[o.Count] = kDy[bit];
      ++o.Count;
    }
  }
  o.Dx[o.Count] = 0;
  o.Dy[o.Count] = 0;
  ++o.Count;
  return o;
}

namespace {

// (v - c) * m div 255, truncated toward zero, without a division: for a magnitude
// a <= 255 * 255, a div 255 = (a * 32897) shr 23. 32897 / 2^23 exceeds 1 / 255 by 5.9e-8,
// which adds at most 0.0039 to a / 255, whose fraction is at most 254 / 255: the floor
// never moves. The glow tests check every channel, colour and mask value.
inline int TowardGlow(int v, int c, int m) {
  const int x = (v - c) * m;
  const uint32_t a = static_cast<uint32_t>(x < 0 ? -x : x);
  const int q = static_cast<int>((a * 32897u) >> 23);
  return (x < 0 ? -q : q) + c;
}

}  // namespace

void ApplyGlowMask(TacBitmap* target, const TacMask8& mask, int left, int top, uint32_t color) {
  if (!target) return;
  const int bpp = target->BytesPerPixel();
  const int cb = (color >> 16) & 0xFF, cg = (color >> 8) & 0xFF, cr = color & 0xFF;
  // Mask columns and rows that land inside the target.
  const int i0 = std::max(0, -left), i1 = std::min(mask.Width(), target->Width() - left);
  const int j0 = std::max(0, -top), j1 = std::min(mask.Height(), target->Height() - top);
  for (int j = j0; j < j1; ++j) {
    const uint8_t* m = mask.Row(j);
    uint8_t* row = target->Row(top + j);
    for (int i = i0; i < i1; ++i) {
      const int v = m[i];
      if (v == 255) continue;
      uint8_t* p = row + static_cast<ptrdiff_t>(left + i) * bpp;
      p[0] = static_cast<uint8_t>(TowardGlow(p[0], cb, v));
      p[1] = static_cast<uint8_t>(TowardGlow(p[1], cg, v));
      p[2] = static_cast<uint8_t>(TowardGlow(p[2], cr, v));
      if (bpp == 4) p[3] = static_cast<uint8_t>(std::max(0, p[3] + v - 255));
    }
  }
}
