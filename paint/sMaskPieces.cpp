#include "paint/sMaskPieces.h"

#include <algorithm>

#include "paint/acBlockCopy.h"
#include "paint/acPixelOps.h"

namespace {

// q clipped to the source: Left and Top at least 0, Right and Bottom (inclusive)
// at most the last column and row.
bool ClipInclusive(TacRect& q, const TacBitmap* src) {
  q.Left = std::max(q.Left, 0);
  q.Top = std::max(q.Top, 0);
  q.Right = std::min(q.Right, src->Width() - 1);
  q.Bottom = std::min(q.Bottom, src->Height() - 1);
  return q.Left <= q.Right && q.Top <= q.Bottom;
}

// Target columns/rows of an inclusive source rectangle placed at (x, y), cut to dst.
struct Walk {
  int64_t I0, I1, J0, J1;  // offsets inside q, inclusive
};
bool WalkInside(const TacRect& q, int x, int y, const TacBitmap* dst, Walk& w) {
  w.I0 = std::max<int64_t>(0, -static_cast<int64_t>(x));
  w.I1 = std::min<int64_t>(q.Right - q.Left, static_cast<int64_t>(dst->Width()) - 1 - x);
  w.J0 = std::max<int64_t>(0, -static_cast<int64_t>(y));
  w.J1 = std::min<int64_t>(q.Bottom - q.Top, static_cast<int64_t>(dst->Height()) - 1 - y);
  return w.I0 <= w.I1 && w.J0 <= w.J1;
}

void CopyPixel(uint8_t* d, int dbpp, const uint8_t* s, int sbpp) {
  d[0] = s[0], d[1] = s[1], d[2] = s[2];
  if (dbpp == 4) d[3] = sbpp == 4 ? s[3] : 255;
}

}  // namespace

void CopyPieceKeyed(TacBitmap* dst, const TacBitmap* src, int x, int y, bool usePar, const TacParentImage& pi,
                    uint32_t key, TacRect q) {
  if (!dst || !src || !ClipInclusive(q, src)) return;
  Walk w;
  if (!WalkInside(q, x, y, dst, w)) return;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  const bool parentImage = pi.HasImage && pi.Image;
  const bool parentIsTarget = parentImage && pi.Image == dst;
  // The key as a 32-bit pixel word: blue, green, red, alpha 0.
  const uint8_t key32[4] = {static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 8),
                            static_cast<uint8_t>(key), 0};
  const uint32_t fill = pi.FillColor;
  for (int64_t j = w.J0; j <= w.J1; ++j) {
    uint8_t* d = dst->Pixel(static_cast<int>(x + w.I0), static_cast<int>(y + j));
    const uint8_t* s = src->Pixel(static_cast<int>(q.Left + w.I0), static_cast<int>(q.Top + j));
    for (int64_t i = w.I0; i <= w.I1; ++i, d += dbpp, s += sbpp) {
      const bool keyed = sbpp == 4 ? std::equal(s, s + 4, key32) : PixelIs(s, key);
      if (!keyed) {
        CopyPixel(d, dbpp, s, sbpp);
      } else if (parentImage) {
        if (!usePar || parentIsTarget) continue;
        const int64_t px = x + i + pi.X, py = y + j + pi.Y;
        if (!InBitmap(pi.Image, px, py)) continue;
        CopyPixel(d, dbpp, pi.Image->Pixel(static_cast<int>(px), static_cast<int>(py)), pi.Image->BytesPerPixel());
        if (dbpp == 4) d[3] = 255;
      } else {
        PutRgb(d, fill);
        // From a 32-bit source the background is transparent (a glow over black).
        if (dbpp == 4) d[3] = sbpp == 4 ? 0 : 255;
      }
    }
  }
}

namespace {

// One pixel through its mask half, with the key-pixel rules of CopyPieceMasked.
class MaskedWriter {
 public:
  MaskedWriter(const TacBitmap* dst, const TacBitmap* src, bool usePar, const TacParentImage& pi)
      : dbpp_(dst->BytesPerPixel()),
        usePar_(usePar),
        pi_(pi),
        parentImage_(pi.HasImage && pi.Image),
        opaque_(usePar && parentImage_ && dbpp_ == 4),
        fill_(ColorToRGB(pi.FillColor)) {
    (void)src;
  }
  // tx, ty: the target pixel's place (for the parent image).
  void Put(uint8_t* p, const uint8_t* c, const uint8_t* mk, int64_t tx, int64_t ty) const {
    if (!IsKeyPixel(c)) {
      p[0] = MaskMix(p[0], c[0], mk[0]);
      p[1] = MaskMix(p[1], c[1], mk[1]);
      p[2] = MaskMix(p[2], c[2], mk[2]);
      if (opaque_) p[3] = 255;
    } else if (!usePar_) {
      return;
    } else if (parentImage_) {
      const int64_t px = tx + pi_.X, py = ty + pi_.Y;
      if (!InBitmap(pi_.Image, px, py)) return;
      PutRgb(p, PixelRgb(pi_.Image->Pixel(static_cast<int>(px), static_cast<int>(py))));
      if (dbpp_ == 4) p[3] = 255;
    } else {
      PutRgb(p, fill_);
      if (dbpp_ == 4) p[3] = 255;
    }
  }

 private:
  int dbpp_;
  bool usePar_;
  TacParentImage pi_;
  bool parentImage_, opaque_;
  uint32_t fill_;
};

}  // namespace

void CopyPieceMasked(const TacRect& d, const TacRect& q, TacBitmap* dst, const TsMaskData& m, bool usePar,
                     const TacParentImage& pi, const TacBitmap* src) {
  if (!dst || !src) return;
  const int half = m.R.Height() / 2;
  TacClippedBlock b;
  const int w = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(d.Right) - d.Left,
                                                   static_cast<int64_t>(q.Right) - q.Left));
  const int h = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(d.Bottom) - d.Top,
                                                   static_cast<int64_t>(q.Bottom) - q.Top));
  // The mask rows lie `half` below: the colour rows may only reach that far.
  if (!ClipBlock(dst->Width(), dst->Height(), d.Left, d.Top, src->Width(), src->Height() - half, q.Left, q.Top, w,
                 h, b))
    return;
  if (half <= 0) return;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  const MaskedWriter writer(dst, src, usePar, pi);
  for (int j = 0; j < b.Height; ++j) {
    uint8_t* p = dst->Pixel(b.DstX, b.DstY + j);
    const uint8_t* c = src->Pixel(b.SrcX, b.SrcY + j);
    const uint8_t* mk = src->Pixel(b.SrcX, b.SrcY + j + half);
    for (int i = 0; i < b.Width; ++i, p += dbpp, c += sbpp, mk += sbpp)
      writer.Put(p, c, mk, static_cast<int64_t>(b.DstX) + i, static_cast<int64_t>(b.DstY) + j);
  }
}

bool TileMaskedPiece(const TacRect& target, const TacRect& block, TacBitmap* dst, const TsMaskData& m, bool usePar,
                     const TacParentImage& pi, const TacBitmap* src) {
  if (!dst || !src) return true;
  const int half = m.R.Height() / 2;
  const int bw = block.Width(), bh = block.Height();
  if (bw <= 0 || bh <= 0 || half <= 0) return true;
  if (block.Left < 0 || block.Top < 0 || block.Right > src->Width() || block.Bottom + half > src->Height())
    return false;
  const int left = std::max(target.Left, 0), right = std::min(target.Right, dst->Width());
  const int top = std::max(target.Top, 0), bottom = std::min(target.Bottom, dst->Height());
  if (left >= right || top >= bottom) return true;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  const MaskedWriter writer(dst, src, usePar, pi);
  const int i0 = static_cast<int>((static_cast<int64_t>(left) - target.Left) % bw);
  for (int y = top; y < bottom; ++y) {
    const int sy = block.Top + static_cast<int>((static_cast<int64_t>(y) - target.Top) % bh);
    const uint8_t* crow = src->Row(sy) + static_cast<ptrdiff_t>(block.Left) * sbpp;
    const uint8_t* mrow = src->Row(sy + half) + static_cast<ptrdiff_t>(block.Left) * sbpp;
    uint8_t* p = dst->Pixel(left, y);
    int i = i0;
    for (int x = left; x < right; ++x, p += dbpp) {
      writer.Put(p, crow + static_cast<ptrdiff_t>(i) * sbpp, mrow + static_cast<ptrdiff_t>(i) * sbpp, x, y);
      if (++i == bw) i = 0;
    }
  }
  return true;
}

void CopyKeyed(TacBitmap* dst, const TacBitmap* src, int x, int y, uint32_t key, TacRect q) {
  if (!dst || !src || !ClipInclusive(q, src)) return;
  Walk w;
  if (!WalkInside(q, x, y, dst, w)) return;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  for (int64_t j = w.J0; j <= w.J1; ++j) {
    uint8_t* d = dst->Pixel(static_cast<int>(x + w.I0), static_cast<int>(y + j));
    const uint8_t* s = src->Pixel(static_cast<int>(q.Left + w.I0), static_cast<int>(q.Top + j));
    for (int64_t i = w.I0; i <= w.I1; ++i, d += dbpp, s += sbpp)
      if (!PixelIs(s, key)) CopyPixel(d, dbpp, s, sbpp);
  }
}

void CopyKeyedImage(TacBitmap* dst, const TacBitmap* src, int x, int y, uint32_t key) {
  if (!dst || !src || src->Width() <= 0 || src->Height() <= 0) return;
  const TacRect whole{0, 0, src->Width() - 1, src->Height() - 1};
  Walk w;
  if (!WalkInside(whole, x, y, dst, w)) return;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  for (int64_t j = w.J0; j <= w.J1; ++j) {
    uint8_t* d = dst->Pixel(static_cast<int>(x + w.I0), static_cast<int>(y + j));
    const uint8_t* s = src->Pixel(static_cast<int>(w.I0), static_cast<int>(j));
    for (int64_t i = w.I0; i <= w.I1; ++i, d += dbpp, s += sbpp)
      if (!PixelIs(s, key)) {
        d[0] = s[0], d[1] = s[1], d[2] = s[2];
        if (dbpp == 4) d[3] = 255;
      }
  }
}

void CopyImageRect(const TacRect& d, const TacRect& q, TacBitmap* dst, bool usePar, const TacParentImage& pi,
                   const TacBitmap* src) {
  if (!dst || !src) return;
  const bool srcAlpha = src->Format() == TacPixelFormat::pf32bit;
  // A 24-bit source keeps its mask in the lower half: its colour rows end there.
  const int64_t srcRows = srcAlpha ? src->Height() : src->Height() / 2;
  int64_t n = std::min<int64_t>({static_cast<int64_t>(d.Bottom) - d.Top, static_cast<int64_t>(q.Bottom) - q.Top,
                                 static_cast<int64_t>(dst->Height()) - d.Top, srcRows - q.Top});
  int64_t m = std::min<int64_t>({static_cast<int64_t>(d.Right) - d.Left, static_cast<int64_t>(q.Right) - q.Left,
                                 static_cast<int64_t>(dst->Width()) - d.Left, static_cast<int64_t>(src->Width()) - q.Left});
  if (n < 1 || m < 1) return;
  int64_t dl = d.Left, dt = d.Top, ql = q.Left, qt = q.Top;
  const int64_t minLeft = std::min(dl, ql), minTop = std::min(dt, qt);
  if (minLeft < 0) dl -= minLeft, ql -= minLeft, m += minLeft;
  if (minTop < 0) dt -= minTop, qt -= minTop, n += minTop;
  if (n < 1 || m < 1) return;

  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  const int64_t maskShift = src->Height() / 2;
  const bool parentImage = pi.HasImage && pi.Image;
  for (int64_t j = 0; j < n; ++j) {
    uint8_t* p = dst->Pixel(static_cast<int>(dl), static_cast<int>(dt + j));
    const uint8_t* s = src->Pixel(static_cast<int>(ql), static_cast<int>(qt + j));
    // With alpha there is no mask; mk then just walks along the colour row.
    const uint8_t* mk = srcAlpha ? s : src->Pixel(static_cast<int>(ql), static_cast<int>(qt + j + maskShift));
    for (int64_t i = 0; i < m; ++i, p += dbpp, s += sbpp, mk += sbpp) {
      if (parentImage && IsKeyPixel(s)) {
        if (!usePar) continue;
        const int64_t px = pi.X + dl + i, py = pi.Y + dt + j;
        if (py >= pi.Image->Height()) continue;
        // Past the image's right edge (or above it) the rest of the row stays.
        if (px >= pi.Image->Width() || py < 0) break;
        if (px < 0) continue;
        PutRgb(p, PixelRgb(pi.Image->Pixel(static_cast<int>(px), static_cast<int>(py))));
        if (dbpp == 4) p[3] = 255;
        continue;
      }
      if (srcAlpha) {
        const int a = s[3];
        for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>(((s[k] - p[k]) * a + p[k] * 256) >> 8);
        if (dbpp == 4) p[3] = 255;
      } else {
        for (int k = 0; k < 3; ++k) p[k] = MaskMix(p[k], s[k], mk[k]);
      }
    }
  }
}
