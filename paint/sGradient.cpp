#include "paint/sGradient.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "paint/acTriangleGradient.h"
#include "paint/sGraphUtils.h"

namespace {

struct Channels {
  int C[3];  // blue, green, red: the pixel's byte order
};
Channels Split(uint32_t color) {
  return Channels{{static_cast<int>((color >> 16) & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                   static_cast<int>(color & 0xFF)}};
}

// Walks the n + 1 colours of one piece: single-precision accumulators that grow
// by a double-precision step, rounded half to even when written.
class PieceWalk {
 public:
  PieceWalk(uint32_t from, uint32_t to, int n) {
    const Channels a = Split(from), b = Split(to);
    for (int k = 0; k < 3; ++k) {
      acc_[k] = static_cast<float>(a.C[k]);
      step_[k] = static_cast<double>(b.C[k] - a.C[k]) / n;
    }
  }
  void Pixel(uint8_t out[3]) const {
    for (int k = 0; k < 3; ++k) out[k] = ClampByte(static_cast<int>(RoundHalfEven(acc_[k])));
  }
  void Next() {
    for (int k = 0; k < 3; ++k) acc_[k] = static_cast<float>(acc_[k] + step_[k]);
  }

 private:
  float acc_[3];
  double step_[3];
};

void PutRow(TacBitmap* bmp, int y, int left, int right, const uint8_t bgr[3]) {
  if (left >= right) return;
  const int bpp = bmp->BytesPerPixel();
  uint8_t* p = bmp->Pixel(left, y);
  p[0] = bgr[0], p[1] = bgr[1], p[2] = bgr[2];
  if (bpp == 4) p[3] = 255;
  // Double the painted run until the row is full.
  const size_t total = static_cast<size_t>(right - left) * bpp;
  for (size_t done = bpp; done < total; done *= 2) std::memcpy(p + done, p, std::min(done, total - done));
}

void Vertical(TacBitmap* bmp, const TacRect& r, const TsGradArray& g) {
  const int last = r.Bottom - 1;
  const int height = r.Height();
  if (height == 1) {
    // One row gives every piece zero steps; the row still gets the top colour
    // instead of being left unpainted.
    uint8_t bgr[3];
    PieceWalk(g[0].Color1, g[0].Color1, 1).Pixel(bgr);
    PutRow(bmp, r.Top, r.Left, r.Right, bgr);
    return;
  }
  int y = r.Top;
  for (size_t i = 0; i < g.size(); ++i) {
    const int start = y;
    y = start + static_cast<int>(static_cast<int64_t>(height) * g[i].Percent / 100);
    y = i + 1 == g.size() ? last : std::min(y, last);
    const int n = y - start;
    if (n <= 0) continue;
    PieceWalk walk(g[i].Color1, g[i].Color2, n);
    for (int row = start; row <= y; ++row, walk.Next()) {
      uint8_t bgr[3];
      walk.Pixel(bgr);
      PutRow(bmp, row, r.Left, r.Right, bgr);
    }
  }
}

void Horizontal(TacBitmap* bmp, const TacRect& r, const TsGradArray& g) {
  const int bpp = bmp->BytesPerPixel();
  const int width = r.Width();
  // Every row is the same: paint the first one, copy it down.
  uint8_t* first = bmp->Pixel(r.Left, r.Top);
  auto put = [&](int x, const uint8_t bgr[3]) {
    uint8_t* p = first + static_cast<ptrdiff_t>(x - r.Left) * bpp;
    p[0] = bgr[0], p[1] = bgr[1], p[2] = bgr[2];
    if (bpp == 4) p[3] = 255;
  };
  if (width == 1) {
    uint8_t bgr[3];
    PieceWalk(g[0].Color1, g[0].Color1, 1).Pixel(bgr);
    put(r.Left, bgr);
  } else {
    int x = r.Left;
    for (size_t i = 0; i < g.size(); ++i) {
      const int start = x;
      x = static_cast<int>(RoundHalfEven(g[i].Percent * (width / 100.0) + start));
      x = i + 1 == g.size() ? r.Right - 1 : std::min(x, r.Right - 1);
      const int n = x - start;
      if (n <= 0) continue;
      PieceWalk walk(g[i].Color1, g[i].Color2, n);
      for (int col = start; col <= x; ++col, walk.Next()) {
        uint8_t bgr[3];
        walk.Pixel(bgr);
        put(col, bgr);
      }
    }
  }
  const size_t bytes = static_cast<size_t>(width) * bpp;
  for (int y = r.Top + 1; y < r.Bottom; ++y) std::copy(first, first + bytes, bmp->Pixel(r.Left, y));
}

void Triangles(TacBitmap* bmp, const TacRect& r, const TsGradArray& g) {
  TacGradientVertex v[5] = {{r.Left, r.Top, 0, 0, 0},
                            {r.Left + r.Width() / 2, r.Top + r.Height() / 2, 0, 0, 0},
                            {r.Right, r.Top, 0, 0, 0},
                            {r.Right, r.Bottom, 0, 0, 0},
                            {r.Left, r.Bottom, 0, 0, 0}};
  uint32_t color = g[0].Color1;
  for (size_t k = 0; k < 5; ++k) {
    if (k < g.size()) color = g[k].Color1;
    v[k].Red = static_cast<uint16_t>((color & 0xFF) << 8);
    v[k].Green = static_cast<uint16_t>(((color >> 8) & 0xFF) << 8);
    v[k].Blue = static_cast<uint16_t>(((color >> 16) & 0xFF) << 8);
  }
  const TacGradientTriangle tris[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  FillGradientTriangles(bmp, v, 5, tris, 4, r.Left, r.Top, r.Right, r.Bottom);
}

}  // namespace

void PaintGradient(TacBitmap* bmp, TacRect r, const TsGradArray& g) {
  if (!bmp) return;
  r.Right = std::min(r.Right, bmp->Width());
  r.Bottom = std::min(r.Bottom, bmp->Height());
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  if (g.empty() || r.Left >= r.Right || r.Top >= r.Bottom) return;
  switch (g[0].Mode) {
    case 0: Vertical(bmp, r, g); break;
    case 1: Horizontal(bmp, r, g); break;
    case 2: Triangles(bmp, r, g); break;
    default: break;
  }
}
