#include "paint/sAlphaGraph.h"

#include <algorithm>
#include <cstdint>

#include "paint/acBlendRows.h"
#include "paint/acColors.h"
#include "paint/sGraphUtils.h"

namespace {

const char kUnit[] = "sAlphaGraph";
const char kFormatNotSupported[] = "Bitmap format is not supported";

bool TooSmall(const TacBitmap* bmp) { return bmp->Width() < 2 || bmp->Height() < 2; }

bool SameRgb(const uint8_t* bgr, uint32_t color) {
  return bgr[2] == (color & 0xFF) && bgr[1] == ((color >> 8) & 0xFF) && bgr[0] == ((color >> 16) & 0xFF);
}

}  // namespace

bool TacFastBase::AttachAs(const TacBitmap* bmp, TacPixelFormat format) {
  // A null bitmap is refused like a too small one rather than dereferenced.
  if (!bmp || TooSmall(bmp)) {
    Width = 0;
    return false;
  }
  if (bmp->Format() != format) throw EacAssertion(kFormatNotSupported, kUnit);
  Bitmap = bmp;
  Width = bmp->Width();
  Height = bmp->Height();
  Row0 = bmp->Row0();
  RowStep = static_cast<int32_t>(bmp->RowStep());
  return true;
}

bool TacFastSumBase::Attach(const TacBitmap* src, const TacBitmap* dst) {
  if (!src || !dst || TooSmall(src) || TooSmall(dst)) return false;
  Src = src;
  Dst = dst;
  Width = std::min(src->Width(), dst->Width());
  Height = std::min(src->Height(), dst->Height());
  SrcRow0 = src->Row0();
  DstRow0 = dst->Row0();
  SrcStep = static_cast<int32_t>(src->RowStep());
  DstStep = static_cast<int32_t>(dst->RowStep());
  return true;
}

void TacFastSumBase::BlendBytes(int bpp) {
  const int n = (DstRect.Right - DstRect.Left) * bpp;
  if (n <= 0) return;
  const unsigned a = Alpha;
  const ptrdiff_t srcRowShift = static_cast<ptrdiff_t>(SrcRect.Bottom) - DstRect.Bottom;
  for (int y = DstRect.Bottom - 1; y >= DstRect.Top; --y) {
    uint8_t* d = DstRow0 + static_cast<ptrdiff_t>(y) * DstStep + static_cast<ptrdiff_t>(DstRect.Left) * bpp;
    const uint8_t* s =
        SrcRow0 + (y + srcRowShift) * static_cast<ptrdiff_t>(SrcStep) + static_cast<ptrdiff_t>(SrcRect.Left) * bpp;
    BlendBytesDown(d, s, n, a);
  }
}

void FillOpaque32(TacBitmap* bmp, const TacRect& r, uint32_t color) {
  TacFast32 fast;
  if (!fast.Attach(bmp)) return;
  // Callers keep r inside; clipping anyway keeps a stray rectangle from writing
  // outside the pixel buffer.
  const int left = std::max(r.Left, 0), right = std::min(r.Right, fast.Width);
  const int top = std::max(r.Top, 0), bottom = std::min(r.Bottom, fast.Height);
  if (left >= right) return;
  const uint32_t word = ColorToPixel32(color);
  const uint8_t px[4] = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                         static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
  for (int y = top; y < bottom; ++y) {
    uint8_t* p = fast.Row0 + static_cast<ptrdiff_t>(y) * fast.RowStep + static_cast<ptrdiff_t>(left) * 4;
    for (int x = left; x < right; ++x, p += 4) std::copy(px, px + 4, p);
  }
}

void SetAlphaInRect(TacBitmap* bmp, const TacRect& r, uint8_t alpha) {
  if (!bmp || bmp->Format() != TacPixelFormat::pf32bit) return;
  const int left = std::max(r.Left, 0), right = std::min(r.Right, bmp->Width());
  const int top = std::max(r.Top, 0), bottom = std::min(r.Bottom, bmp->Height());
  for (int y = top; y < bottom; ++y) {
    uint8_t* row = bmp->Row(y);
    for (int x = left; x < right; ++x) row[x * 4 + 3] = alpha;
  }
}

void FadeRectToColor(TacBitmap* bmp, TacRect r, uint8_t percent, uint32_t color) {
  if (!bmp) return;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, bmp->Width() - 1);
  r.Bottom = std::min(r.Bottom, bmp->Height() - 1);
  if (r.Left > r.Right || r.Top > r.Bottom) return;

  const double f = percent / 100.0;
  const double g = 1 - f;
  const uint32_t c = ColorToRGB(color);
  // Each output byte depends only on the input byte: one table per channel
  // (memory order blue, green, red) gives the exact rounding at table cost.
  uint8_t table[3][256];
  const double mix[3] = {((c >> 16) & 0xFF) * g, ((c >> 8) & 0xFF) * g, (c & 0xFF) * g};
  for (int ch = 0; ch < 3; ++ch)
    for (int v = 0; v < 256; ++v) {
      int64_t x = RoundHalfEven(v * f + mix[ch]);
      table[ch][v] = static_cast<uint8_t>(x < 0 ? 0 : x > 255 ? 255 : x);
    }

  const int bpp = bmp->Format() == TacPixelFormat::pf32bit ? 4 : 3;
  for (int y = r.Top; y <= r.Bottom; ++y) {
    uint8_t* p = bmp->Row(y) + static_cast<ptrdiff_t>(r.Left) * bpp;
    for (int x = r.Left; x <= r.Right; ++x, p += bpp) {
      p[0] = table[0][p[0]];
      p[1] = table[1][p[1]];
      p[2] = table[2][p[2]];
    }
  }
}

void CopyBlendedRect(TacBitmap* dst, int x, int y, uint32_t key, double w, TacRect r, const TacBitmap* src) {
  if (!dst || !src) return;
  int64_t dx = 0, dy = 0;
  if (r.Top < 0) {
    dy = r.Top;
    r.Top = 0;
  }
  if (r.Left < 0) {
    dx = r.Left;
    r.Left = 0;
  }
  r.Bottom = std::min(r.Bottom, src->Height() - 1);
  r.Right = std::min(r.Right, src->Width() - 1);
  if (r.Top > r.Bottom || r.Left > r.Right) return;

  // Destination row/column of source offset i/j is origin + i; the source
  // rectangle already lies inside src, so only the destination bounds the loops.
  const int64_t rowOrigin = static_cast<int64_t>(y) - dy;
  const int64_t colOrigin = static_cast<int64_t>(x) - dx;
  const int64_t iFirst = std::max<int64_t>(0, -rowOrigin);
  const int64_t iLast = std::min<int64_t>(r.Bottom - r.Top, dst->Height() - 1 - rowOrigin);
  const int64_t jFirst = std::max<int64_t>(0, -colOrigin);
  const int64_t jLast = std::min<int64_t>(r.Right - r.Left, dst->Width() - 1 - colOrigin);
  if (iFirst > iLast || jFirst > jLast) return;

  const bool useKey = (key >> 24) != 0xFF;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  for (int64_t i = iFirst; i <= iLast; ++i) {
    uint8_t* d = dst->Pixel(static_cast<int>(colOrigin + jFirst), static_cast<int>(rowOrigin + i));
    const uint8_t* s = src->Pixel(static_cast<int>(r.Left + jFirst), static_cast<int>(r.Top + i));
    for (int64_t j = jFirst; j <= jLast; ++j, d += dbpp, s += sbpp) {
      if (useKey && SameRgb(s, key)) continue;
      for (int ch = 0; ch < 3; ++ch) {
        const double sv = s[ch];
        int64_t v = RoundHalfEven(sv - w * (sv - d[ch]));
        d[ch] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
      }
    }
  }
}

void BlendBitmapOver(TacBitmap* dst, const TacBitmap* src, uint32_t alpha, int px0, int py0, TacRect r0) {
  if (!dst || !src) return;
  // 64-bit while clipping: far-off points must not overflow on the way in.
  int64_t px = px0, py = py0;
  int64_t left = r0.Left, top = r0.Top, right = r0.Right, bottom = r0.Bottom;
  if (px < 0) {
    left -= px;
    px = 0;
  }
  if (py < 0) {
    top -= py;
    py = 0;
  }
  if (left < 0) {
    px -= left;
    left = 0;
    if (px < 0) {
      left = -px;
      px = 0;
    }
  }
  if (top < 0) {
    py -= top;
    top = 0;
    if (py < 0) {
      top = -py;
      py = 0;
    }
  }
  if (left >= right || top >= bottom || px >= dst->Width() || py >= dst->Height() || left >= src->Width() ||
      top >= src->Height())
    return;
  right = std::min<int64_t>(right, src->Width());
  bottom = std::min<int64_t>(bottom, src->Height());
  if (px + (right - left) > dst->Width()) right = dst->Width() + left - px;
  if (py + (bottom - top) > dst->Height()) bottom = dst->Height() + top - py;

  const TacRect dstRect = {static_cast<int32_t>(px), static_cast<int32_t>(py),
                           static_cast<int32_t>(px + (right - left)), static_cast<int32_t>(py + (bottom - top))};
  const TacRect srcRect = {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                           static_cast<int32_t>(bottom)};
  if (src->Format() != dst->Format()) return;
  if (src->Format() == TacPixelFormat::pf32bit) {
    TacFastSum32 sum;
    if (!sum.Attach(src, dst)) return;
    sum.Alpha = static_cast<uint8_t>(alpha);
    sum.DstRect = dstRect;
    sum.SrcRect = srcRect;
    sum.Blend();
  } else {
    TacFastSum24 sum;
    if (!sum.Attach(src, dst)) return;
    sum.Alpha = static_cast<uint8_t>(alpha);
    sum.DstRect = dstRect;
    sum.SrcRect = srcRect;
    sum.Blend();
  }
}

void BlendEqualBitmaps(TacBitmap* dst, const TacBitmap* src, uint8_t alpha) {
  if (!dst || !src || dst->Width() != src->Width() || dst->Height() != src->Height()) return;
  // Mixed formats cannot be walked byte for byte; two 32-bit images are walked
  // in whole 4-byte pixels so no column is left out.
  if (dst->Format() != src->Format()) return;
  const TacRect whole = {0, 0, dst->Width(), dst->Height()};
  if (dst->Format() == TacPixelFormat::pf32bit) {
    TacFastSum32 sum;
    if (!sum.Attach(src, dst)) return;
    sum.Alpha = alpha;
    sum.DstRect = whole;
    sum.SrcRect = whole;
    sum.Blend();
  } else {
    TacFastSum24 sum;
    if (!sum.Attach(src, dst)) return;
    sum.Alpha = alpha;
    sum.DstRect = whole;
    sum.SrcRect = whole;
    sum.Blend();
  }
}


bool BlendEqualBitmapsInto(TacBitmap* out, const TacBitmap* dst, const TacBitmap* src, uint8_t alpha) {
  if (!out || !dst || out->Width() != dst->Width() || out->Height() != dst->Height() ||
      out->Format() != dst->Format())
    return false;
  const int w = dst->Width(), h = dst->Height();
  const int n = w * dst->BytesPerPixel();
  // The cases BlendEqualBitmaps refuses: the copy alone.
  const bool blends = src && src->Width() == w && src->Height() == h && src->Format() == dst->Format() && w >= 2 &&
                      h >= 2;
  for (int y = 0; y < h; ++y) {
    uint8_t* o = out->Row(y);
    const uint8_t* d = dst->Row(y);
    if (blends && o != d)
      BlendBytesInto(o, d, src->Row(y), n, alpha);
    else if (blends)
      BlendBytesDown(o, src->Row(y), n, alpha);
    else if (o != d)
      std::copy_n(d, n, o);
  }
  return true;
}

namespace {

void Grey(TacBitmap* bmp, bool useKey, uint32_t key) {
  if (!bmp) return;
  const int bpp = bmp->Format() == TacPixelFormat::pf24bit ? 3 : 4;
  for (int y = 0; y < bmp->Height(); ++y) {
    uint8_t* p = bmp->Row(y);
    for (int x = 0; x < bmp->Width(); ++x, p += bpp) {
      if (useKey && SameRgb(p, key)) continue;
      const uint8_t v = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = v;
    }
  }
}

}  // namespace

void MakeGrey(TacBitmap* bmp) { Grey(bmp, false, 0); }

void MakeGreyExceptKey(TacBitmap* bmp, uint32_t key) { Grey(bmp, true, key); }
