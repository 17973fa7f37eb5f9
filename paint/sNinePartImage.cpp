#include "paint/sNinePartImage.h"

#include <algorithm>

#include "paint/acBlockCopy.h"
#include "paint/acStretch.h"
#include "paint/sBorderMask.h"

namespace {

void Copy(TacBitmap* dst, const TacBitmap* src, int w, int h, int sx, int sy, int dx, int dy) {
  if (w <= 0 || h <= 0) return;
  CopyBitmapRect(dst, dx, dy, src, TacRect{sx, sy, sx + w, sy + h});
}

// Tiles the bw x bh block at (sx, sy) over target, or stretches stretchSource over it.
void Piece(TacBitmap* dst, const TacBitmap* src, int mode, const TacRect& target, int sx, int sy, int bw, int bh,
           const TacRect& stretchSource) {
  if (target.Left >= target.Right || target.Top >= target.Bottom) return;
  if (mode == npTile) {
    ForEachTile(target, bw, bh, [&](const TacRect& d, int w, int h) { Copy(dst, src, w, h, sx, sy, d.Left, d.Top); });
  } else if (mode == npStretch) {
    StretchNearest(dst, target, src, stretchSource);
  }
}

}  // namespace

void DrawNinePartImage(TacBitmap* dst, const TacBitmap* src, const TacRect& r, const TacRect& q,
                       const TacEdges& m, const TacEdges& in, const TacEdges& modes, int centreMode,
                       bool fillCentre) {
  if (!dst || !src) return;
  const int l = std::min(m.Left, in.Left), t = std::min(m.Top, in.Top);
  const int rr = std::min(m.Right, in.Right), b = std::min(m.Bottom, in.Bottom);
  const int mw = std::max(0, q.Width() - m.Left - m.Right), mh = std::max(0, q.Height() - m.Top - m.Bottom);

  // Corners.
  Copy(dst, src, m.Left, t, q.Left, q.Top, r.Left, r.Top);
  if (t < m.Top) Copy(dst, src, l, m.Top - t, q.Left, q.Top + t, r.Left, r.Top + t);
  Copy(dst, src, m.Left, b, q.Left, q.Bottom - b, r.Left, r.Bottom - b);
  if (b < m.Bottom) Copy(dst, src, l, m.Bottom - b, q.Left, q.Bottom - m.Bottom, r.Left, r.Bottom - m.Bottom);
  Copy(dst, src, m.Right, t, q.Right - m.Right, q.Top, r.Right - m.Right, r.Top);
  if (t < m.Top) Copy(dst, src, rr, m.Top - t, q.Right - rr, q.Top + t, r.Right - rr, r.Top + t);
  Copy(dst, src, m.Right, b, q.Right - m.Right, q.Bottom - b, r.Right - m.Right, r.Bottom - b);
  if (b < m.Bottom) Copy(dst, src, rr, m.Bottom - b, q.Right - rr, q.Bottom - m.Bottom, r.Right - rr, r.Bottom - m.Bottom);

  // Edges: left, top, right, bottom.
  const int qMidTop = q.Top + m.Top, qMidBottom = q.Bottom - m.Bottom;
  const int qMidLeft = q.Left + m.Left, qMidRight = q.Right - m.Right;
  Piece(dst, src, modes.Left, TacRect{r.Left, r.Top + m.Top, r.Left + l, r.Bottom - m.Bottom}, q.Left, qMidTop, l,
        mh, TacRect{q.Left, qMidTop, q.Left + l, qMidBottom});
  Piece(dst, src, modes.Top, TacRect{r.Left + m.Left, r.Top, r.Right - m.Right, r.Top + t}, qMidLeft, q.Top, mw, t,
        TacRect{qMidLeft, q.Top, qMidRight, q.Top + t});
  Piece(dst, src, modes.Right, TacRect{r.Right - rr, r.Top + m.Top, r.Right, r.Bottom - m.Bottom}, q.Right - rr,
        qMidTop, rr, mh, TacRect{q.Right - rr, qMidTop, q.Right, qMidBottom});
  Piece(dst, src, modes.Bottom, TacRect{r.Left + m.Left, r.Bottom - b, r.Right - m.Right, r.Bottom}, qMidLeft,
        q.Bottom - b, mw, b, TacRect{qMidLeft, q.Bottom - b, qMidRight, q.Bottom});

  if (fillCentre)
    Piece(dst, src, centreMode, TacRect{r.Left + m.Left, r.Top + m.Top, r.Right - m.Right, r.Bottom - m.Bottom},
          qMidLeft, qMidTop, mw, mh, TacRect{qMidLeft, qMidTop, qMidRight, qMidBottom});
}
