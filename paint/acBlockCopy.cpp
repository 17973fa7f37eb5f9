#include "paint/acBlockCopy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

bool ClipBlock(int dstWidth, int dstHeight, int dx, int dy, int srcWidth, int srcHeight, int sx, int sy, int w,
               int h, TacClippedBlock& out) {
  // 64-bit on the way: far-off coordinates must not wrap around into the bitmap.
  int64_t x0 = dx, y0 = dy, s0 = sx, t0 = sy, cw = w, ch = h;
  int64_t cut = std::max<int64_t>({0, -x0, -s0});
  x0 += cut, s0 += cut, cw -= cut;
  cut = std::max<int64_t>({0, -y0, -t0});
  y0 += cut, t0 += cut, ch -= cut;
  cw = std::min<int64_t>({cw, dstWidth - x0, srcWidth - s0});
  ch = std::min<int64_t>({ch, dstHeight - y0, srcHeight - t0});
  if (cw <= 0 || ch <= 0) return false;
  out = TacClippedBlock{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(s0), static_cast<int>(t0),
                        static_cast<int>(cw), static_cast<int>(ch)};
  return true;
}

void CopyBitmapRect(TacBitmap* dst, int x, int y, const TacBitmap* src, const TacRect& q) {
  if (!dst || !src) return;
  TacClippedBlock b;
  if (!ClipBlock(dst->Width(), dst->Height(), x, y, src->Width(), src->Height(), q.Left, q.Top,
                 static_cast<int>(std::min<int64_t>(INT32_MAX, static_cast<int64_t>(q.Right) - q.Left)),
                 static_cast<int>(std::min<int64_t>(INT32_MAX, static_cast<int64_t>(q.Bottom) - q.Top)), b))
    return;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  // Rows run upward when the copy moves down within one bitmap, so no source
  // row is overwritten before it is read.
  const bool upward = src == dst && b.DstY > b.SrcY;
  for (int k = 0; k < b.Height; ++k) {
    const int j = upward ? b.Height - 1 - k : k;
    uint8_t* d = dst->Pixel(b.DstX, b.DstY + j);
    const uint8_t* s = src->Pixel(b.SrcX, b.SrcY + j);
    if (dbpp == sbpp) {
      std::memmove(d, s, static_cast<size_t>(b.Width) * dbpp);
    } else if (dbpp == 4) {
      for (int i = 0; i < b.Width; ++i, d += 4, s += 3) d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
    } else {
      for (int i = 0; i < b.Width; ++i, d += 3, s += 4) d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
  }
}

void TileBitmapRect(TacBitmap* dst, const TacRect& target, const TacBitmap* src, const TacRect& block) {
  if (!dst || !src || block.Width() <= 0 || block.Height() <= 0) return;
  // A block reaching outside src is cut the way single copies would cut it.
  if (block.Left < 0 || block.Top < 0 || block.Right > src->Width() || block.Bottom > src->Height() || src == dst) {
    for (int64_t x = target.Left; x < target.Right; x += block.Width())
      for (int64_t y = target.Top; y < target.Bottom; y += block.Height()) {
        const int w = static_cast<int>(std::min<int64_t>(block.Width(), target.Right - x));
        const int h = static_cast<int>(std::min<int64_t>(block.Height(), target.Bottom - y));
        CopyBitmapRect(dst, static_cast<int>(x), static_cast<int>(y), src,
                       TacRect{block.Left, block.Top, block.Left + w, block.Top + h});
      }
    return;
  }
  const int left = std::max(target.Left, 0), right = std::min(target.Right, dst->Width());
  const int top = std::max(target.Top, 0), bottom = std::min(target.Bottom, dst->Height());
  if (left >= right || top >= bottom) return;
  const int bw = block.Width(), bh = block.Height();
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  const int i0 = static_cast<int>((static_cast<int64_t>(left) - target.Left) % bw);
  for (int y = top; y < bottom; ++y) {
    const int sy = block.Top + static_cast<int>((static_cast<int64_t>(y) - target.Top) % bh);
    const uint8_t* srow = src->Pixel(block.Left, sy);
    uint8_t* d = dst->Pixel(left, y);
    int i = i0, x = left;
    while (x < right) {
      const int n = std::min(bw - i, right - x);
      const uint8_t* s = srow + static_cast<ptrdiff_t>(i) * sbpp;
      if (dbpp == sbpp) {
        std::memcpy(d, s, static_cast<size_t>(n) * dbpp);
      } else if (dbpp == 4) {
        for (int k = 0; k < n; ++k) d[k * 4] = s[k * 3], d[k * 4 + 1] = s[k * 3 + 1], d[k * 4 + 2] = s[k * 3 + 2], d[k * 4 + 3] = 255;
      } else {
        for (int k = 0; k < n; ++k) d[k * 3] = s[k * 4], d[k * 3 + 1] = s[k * 4 + 1], d[k * 3 + 2] = s[k * 4 + 2];
      }
      d += static_cast<ptrdiff_t>(n) * dbpp;
      x += n;
      i = 0;
    }
  }
}
