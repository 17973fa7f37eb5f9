#include "paint/acGlowPlacement.h"

#include <algorithm>

#include "skin/sMaskData.h"

TacGlowMargins GlowImageMargins(const TsMaskData& mask) {
  return TacGlowMargins{MaskMarginLeft(mask), MaskMarginTop(mask), MaskMarginRight(mask), MaskMarginBottom(mask)};
}

namespace {

struct Cut {
  int Start;  // cut at the start (left or top)
  int End;    // cut at the end (right or bottom)
};

// One axis: item length n, visible span [v0, v1) of it, image edges a (start) and b (end),
// whole glow length full.
Cut CutAxis(int n, int v0, int v1, int a, int b, int margin, int full) {
  const int shown = v1 - v0;
  const int start = v0 != 0 ? a + v0 - margin : 0;
  int end = 0;
  if (v1 != n) end = start != 0 ? full - start - shown : n + b - shown - margin;
  // With a margin wider than the image's edge the glow does not reach the item's edge,
  // and a visible part beyond it cuts nothing.
  return Cut{std::max(0, start), std::max(0, end)};
}

}  // namespace

TacGlowPlacement PlaceGlow(const TacRect& item, TacRect v, const TacGlowMargins& m, int margin) {
  const int w = item.Width(), h = item.Height();
  TacGlowPlacement p{};
  p.FullWidth = w + m.Left + m.Right - 2 * margin;
  p.FullHeight = h + m.Top + m.Bottom - 2 * margin;
  v.Left = std::max(v.Left, 0);
  v.Top = std::max(v.Top, 0);
  v.Right = std::min(v.Right, w);
  v.Bottom = std::min(v.Bottom, h);
  if (v.Left >= v.Right || v.Top >= v.Bottom || p.FullWidth <= 0 || p.FullHeight <= 0) return p;  // Empty()
  const Cut cx = CutAxis(w, v.Left, v.Right, m.Left, m.Right, margin, p.FullWidth);
  const Cut cy = CutAxis(h, v.Top, v.Bottom, m.Top, m.Bottom, margin, p.FullHeight);
  p.CropLeft = std::min(cx.Start, p.FullWidth);
  p.CropTop = std::min(cy.Start, p.FullHeight);
  p.Width = p.FullWidth - p.CropLeft - cx.End;
  p.Height = p.FullHeight - p.CropTop - cy.End;
  p.X = item.Left - m.Left + margin + p.CropLeft;
  p.Y = item.Top - m.Top + margin + p.CropTop;
  return p;
}
