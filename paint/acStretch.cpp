#include "paint/acStretch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct Span {
  int64_t First, Last;  // target indexes inside the target bitmap, inclusive
};

// Target indexes 0..dw-1 of a rectangle starting at `origin`, cut to [0, limit).
bool VisibleSpan(int64_t origin, int64_t dw, int64_t limit, Span& span) {
  span.First = std::max<int64_t>(0, -origin);
  span.Last = std::min<int64_t>(dw - 1, limit - 1 - origin);
  return span.First <= span.Last;
}

int ClampIndex(int64_t v, int size) { return static_cast<int>(v < 0 ? 0 : v >= size ? size - 1 : v); }

void PutPixel(uint8_t* d, int dbpp, const uint32_t v[4], bool srcHasAlpha) {
  d[0] = static_cast<uint8_t>(v[0]);
  d[1] = static_cast<uint8_t>(v[1]);
  d[2] = static_cast<uint8_t>(v[2]);
  if (dbpp == 4) d[3] = srcHasAlpha ? static_cast<uint8_t>(v[3]) : 255;
}

// One axis of the area weights: target cell i covers [i*sw, (i+1)*sw), source
// cell j covers [j*dw, (j+1)*dw); the weight is their overlap.
struct Weight {
  int Source;
  uint32_t W;
};
struct Cell {
  size_t Begin, End;  // range in the weight list
};

void BuildWeights(int64_t sw, int64_t dw, int64_t srcStart, int srcSize, const Span& span, std::vector<Weight>& out,
                  std::vector<Cell>& cells) {
  out.clear();
  cells.clear();
  for (int64_t i = span.First; i <= span.Last; ++i) {
    const int64_t lo = i * sw, hi = (i + 1) * sw;
    Cell c{out.size(), 0};
    for (int64_t j = lo / dw; j * dw < hi; ++j) {
      const int64_t w = std::min(hi, (j + 1) * dw) - std::max(lo, j * dw);
      if (w > 0) out.push_back(Weight{ClampIndex(srcStart + j, srcSize), static_cast<uint32_t>(w)});
    }
    c.End = out.size();
    cells.push_back(c);
  }
}

// Sizes of both rectangles and the part of the target that lies inside its bitmap;
// false when there is nothing to draw.
struct StretchGeometry {
  int64_t dw, dh, sw, sh;
  Span cols, rows;
};

bool PrepareStretch(const TacBitmap* dst, const TacRect& d, const TacBitmap* src, const TacRect& s,
                    StretchGeometry& g) {
  if (!dst || !src || src->Width() <= 0 || src->Height() <= 0) return false;
  g.dw = static_cast<int64_t>(d.Right) - d.Left;
  g.dh = static_cast<int64_t>(d.Bottom) - d.Top;
  g.sw = static_cast<int64_t>(s.Right) - s.Left;
  g.sh = static_cast<int64_t>(s.Bottom) - s.Top;
  if (g.dw <= 0 || g.dh <= 0 || g.sw <= 0 || g.sh <= 0) return false;
  return VisibleSpan(d.Left, g.dw, dst->Width(), g.cols) && VisibleSpan(d.Top, g.dh, dst->Height(), g.rows);
}

}  // namespace

void StretchNearest(TacBitmap* dst, const TacRect& d, const TacBitmap* src, const TacRect& s) {
  StretchGeometry g;
  if (!PrepareStretch(dst, d, src, s, g)) return;
  const int64_t dw = g.dw, dh = g.dh, sw = g.sw, sh = g.sh;
  const Span cols = g.cols, rows = g.rows;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  std::vector<int> srcCol(static_cast<size_t>(cols.Last - cols.First + 1));
  for (int64_t i = cols.First; i <= cols.Last; ++i)
    srcCol[static_cast<size_t>(i - cols.First)] = ClampIndex(s.Left + (2 * i + 1) * sw / (2 * dw), src->Width());
  // A stretch within one bitmap reads rows it may already have written; work
  // from a copy of the source rows then.
  std::vector<uint8_t> rowCopy;
  for (int64_t j = rows.First; j <= rows.Last; ++j) {
    const int sy = ClampIndex(s.Top + (2 * j + 1) * sh / (2 * dh), src->Height());
    const uint8_t* srow = src->Row(sy);
    if (src == dst) {
      rowCopy.assign(srow, srow + static_cast<size_t>(src->Width()) * sbpp);
      srow = rowCopy.data();
    }
    uint8_t* p = dst->Pixel(static_cast<int>(d.Left + cols.First), static_cast<int>(d.Top + j));
    for (size_t k = 0; k < srcCol.size(); ++k, p += dbpp) {
      const uint8_t* q = srow + static_cast<ptrdiff_t>(srcCol[k]) * sbpp;
      p[0] = q[0], p[1] = q[1], p[2] = q[2];
      if (dbpp == 4) p[3] = sbpp == 4 ? q[3] : 255;
    }
  }
}

void StretchHalftone(TacBitmap* dst, const TacRect& d, const TacBitmap* src, const TacRect& s) {
  StretchGeometry g;
  if (!PrepareStretch(dst, d, src, s, g)) return;
  const int64_t dw = g.dw, dh = g.dh, sw = g.sw, sh = g.sh;
  const Span cols = g.cols, rows = g.rows;
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  const bool srcAlpha = sbpp == 4;
  std::vector<Weight> wx, wy;
  std::vector<Cell> cx, cy;
  BuildWeights(sw, dw, s.Left, src->Width(), cols, wx, cx);
  BuildWeights(sh, dh, s.Top, src->Height(), rows, wy, cy);

  const uint64_t total = static_cast<uint64_t>(sw) * static_cast<uint64_t>(sh);
  const size_t n = cx.size();
  std::vector<uint64_t> acc(n * 4);
  // Target rows are written only after all their source rows were read; within
  // one bitmap the result rows are buffered until the end.
  std::vector<uint8_t> out;
  const bool sameBitmap = src == dst;
  if (sameBitmap) out.resize(cy.size() * n * static_cast<size_t>(dbpp));
  for (size_t r = 0; r < cy.size(); ++r) {
    std::fill(acc.begin(), acc.end(), 0);
    for (size_t a = cy[r].Begin; a < cy[r].End; ++a) {
      const uint8_t* srow = src->Row(wy[a].Source);
      const uint64_t wv = wy[a].W;
      for (size_t i = 0; i < n; ++i) {
        uint64_t h[4] = {0, 0, 0, 0};
        for (size_t b = cx[i].Begin; b < cx[i].End; ++b) {
          const uint8_t* q = srow + static_cast<ptrdiff_t>(wx[b].Source) * sbpp;
          const uint64_t w = wx[b].W;
          h[0] += w * q[0], h[1] += w * q[1], h[2] += w * q[2];
          if (srcAlpha) h[3] += w * q[3];
        }
        uint64_t* ac = &acc[i * 4];
        ac[0] += wv * h[0], ac[1] += wv * h[1], ac[2] += wv * h[2], ac[3] += wv * h[3];
      }
    }
    uint8_t* p = sameBitmap ? &out[r * n * static_cast<size_t>(dbpp)]
                            : dst->Pixel(static_cast<int>(d.Left + cols.First), static_cast<int>(d.Top + rows.First + static_cast<int64_t>(r)));
    for (size_t i = 0; i < n; ++i, p += dbpp) {
      uint32_t v[4];
      for (int ch = 0; ch < 4; ++ch) v[ch] = static_cast<uint32_t>((acc[i * 4 + ch] + total / 2) / total);
      PutPixel(p, dbpp, v, srcAlpha);
    }
  }
  if (sameBitmap)
    for (size_t r = 0; r < cy.size(); ++r) {
      uint8_t* p = dst->Pixel(static_cast<int>(d.Left + cols.First), static_cast<int>(d.Top + rows.First + static_cast<int64_t>(r)));
      std::copy(&out[r * n * dbpp], &out[(r + 1) * n * dbpp], p);
    }
}
