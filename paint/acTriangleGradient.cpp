#include "paint/acTriangleGradient.h"

#include <algorithm>
#include <vector>

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  if ((a % b) != 0 && a < 0) --q;
  return q;
}
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Edge function of the directed edge a -> b at p, in doubled coordinates (pixel
// centres are odd): positive on the left side.
struct Edge {
  int64_t A, B, C;  // w(px, py) = A * px + B * py + C
  int64_t At(int64_t px, int64_t py) const { return A * px + B * py + C; }
};
Edge MakeEdge(const TacGradientVertex& a, const TacGradientVertex& b) {
  const int64_t ax = 2 * static_cast<int64_t>(a.X), ay = 2 * static_cast<int64_t>(a.Y);
  const int64_t bx = 2 * static_cast<int64_t>(b.X), by = 2 * static_cast<int64_t>(b.Y);
  // (bx - ax) * (py - ay) - (by - ay) * (px - ax)
  return Edge{-(by - ay), bx - ax, (by - ay) * ax - (bx - ax) * ay};
}

// Exact running quotient of a numerator that grows linearly: value = N div D.
struct Stepper {
  int64_t Q, R, DQ, DR, D;
  void Start(int64_t n, int64_t step, int64_t d) {
    D = d;
    Q = FloorDiv(n, d), R = n - Q * d;
    DQ = FloorDiv(step, d), DR = step - DQ * d;
  }
  void Next() {
    Q += DQ, R += DR;
    if (R >= D) ++Q, R -= D;
  }
};

uint8_t HighByte(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 65535) >> 8); }

}  // namespace

void FillGradientTriangles(TacBitmap* bmp, const TacGradientVertex* v, int vertexCount,
                           const TacGradientTriangle* tris, int triangleCount, int clipLeft, int clipTop,
                           int clipRight, int clipBottom) {
  if (!bmp || !v || !tris) return;
  clipLeft = std::max(clipLeft, 0);
  clipTop = std::max(clipTop, 0);
  clipRight = std::min(clipRight, bmp->Width());
  clipBottom = std::min(clipBottom, bmp->Height());
  if (clipLeft >= clipRight || clipTop >= clipBottom) return;

  struct Prepared {
    Edge E[3];  // E[k] is the weight of vertex k
    int64_t Area;
    const TacGradientVertex* V[3];
  };
  std::vector<Prepared> prepared;
  for (int t = 0; t < triangleCount; ++t) {
    const TacGradientTriangle& tri = tris[t];
    if (tri.V0 < 0 || tri.V1 < 0 || tri.V2 < 0 || tri.V0 >= vertexCount || tri.V1 >= vertexCount ||
        tri.V2 >= vertexCount)
      continue;
    Prepared p{{MakeEdge(v[tri.V1], v[tri.V2]), MakeEdge(v[tri.V2], v[tri.V0]), MakeEdge(v[tri.V0], v[tri.V1])},
               0,
               {&v[tri.V0], &v[tri.V1], &v[tri.V2]}};
    p.Area = p.E[2].At(2 * static_cast<int64_t>(v[tri.V2].X), 2 * static_cast<int64_t>(v[tri.V2].Y));
    if (p.Area == 0) continue;
    if (p.Area < 0) {
      for (Edge& e : p.E) e.A = -e.A, e.B = -e.B, e.C = -e.C;
      p.Area = -p.Area;
    }
    prepared.push_back(p);
  }
  if (prepared.empty()) return;

  const int width = clipRight - clipLeft;
  const int bpp = bmp->BytesPerPixel();
  std::vector<uint8_t> claimed(static_cast<size_t>(width));
  for (int y = clipTop; y < clipBottom; ++y) {
    std::fill(claimed.begin(), claimed.end(), 0);
    const int64_t py = 2 * static_cast<int64_t>(y) + 1;
    const int64_t px0 = 2 * static_cast<int64_t>(clipLeft) + 1;
    uint8_t* row = bmp->Row(y);
    for (const Prepared& t : prepared) {
      // Columns i (from clipLeft) where every weight is >= 0: w(i) = w0 + 2 A i.
      int64_t lo = 0, hi = width - 1;
      int64_t w0[3];
      for (int k = 0; k < 3; ++k) {
        w0[k] = t.E[k].At(px0, py);
        const int64_t slope = 2 * t.E[k].A;
        if (slope == 0) {
          if (w0[k] < 0) hi = -1;
        } else if (slope > 0) {
          lo = std::max(lo, CeilDiv(-w0[k], slope));
        } else {
          hi = std::min(hi, FloorDiv(w0[k], -slope));
        }
      }
      if (lo > hi) continue;
      // Colour numerators N = sum w_k * c_k are linear in the column as well.
      Stepper ch[3];
      const uint16_t TacGradientVertex::*channel[3] = {&TacGradientVertex::Blue, &TacGradientVertex::Green,
                                                       &TacGradientVertex::Red};
      for (int c = 0; c < 3; ++c) {
        int64_t n = 0, step = 0;
        for (int k = 0; k < 3; ++k) {
          const int64_t cv = t.V[k]->*channel[c];
          n += (w0[k] + 2 * t.E[k].A * lo) * cv;
          step += 2 * t.E[k].A * cv;
        }
        ch[c].Start(n, step, t.Area);
      }
      uint8_t* p = row + static_cast<ptrdiff_t>(clipLeft + lo) * bpp;
      for (int64_t i = lo; i <= hi; ++i, p += bpp) {
        if (!claimed[static_cast<size_t>(i)]) {
          claimed[static_cast<size_t>(i)] = 1;
          p[0] = HighByte(ch[0].Q), p[1] = HighByte(ch[1].Q), p[2] = HighByte(ch[2].Q);
          if (bpp == 4) p[3] = 255;
        }
        for (Stepper& s : ch) s.Next();
      }
    }
  }
}
