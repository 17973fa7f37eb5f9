#include "paint/sBorderMask.h"

#include <algorithm>

#include "paint/acBlockCopy.h"
#include "paint/acStretch.h"
#include "paint/sMaskPieces.h"
#include "skin/sSkinModel.h"

void ShrinkMargins(int size, int& a, int& b) {
  if (size < a + b) {
    const int d = (a + b - size) / 2;
    a -= d;
    b -= d;
    if (size % 2 != 0) b -= 1;
    a = std::max(a, 0);
    b = std::max(b, 0);
  }
  // Very unequal margins can still exceed the size; the near one keeps its share.
  a = std::min(a, std::max(size, 0));
  b = std::min(b, std::max(size - a, 0));
}

const TacBitmap* MaskSource(const TsMaskData& m) {
  if (m.Bmp) return m.Bmp.get();
  return m.Manager && m.Manager->MasterBitmap ? m.Manager->MasterBitmap.get() : nullptr;
}

bool ComputeBorderLayout(const TsMaskData& m, const TacRect& r, int state, TacBorderLayout& out) {
  if (m.ImageCount <= 0) return false;
  TacBorderLayout l{};
  l.WL = m.WL, l.WT = m.WT, l.WR = m.WR, l.WB = m.WB;
  ShrinkMargins(r.Width(), l.WL, l.WR);
  ShrinkMargins(r.Height(), l.WT, l.WB);
  l.FrameWidth = MaskFrameWidth(m);
  l.FrameHeight = MaskFrameHeight(m);
  const int s = std::clamp(state, 0, m.ImageCount - 1);
  const int fx = s * l.FrameWidth;
  l.MidWidth = std::max(0, l.FrameWidth - l.WL - l.WR);
  l.MidHeight = std::max(0, l.FrameHeight - l.WT - l.WB);
  l.SrcLeft = m.R.Left + fx;
  l.SrcMidX = l.SrcLeft + l.WL;
  l.SrcRightX = l.SrcMidX + l.MidWidth;
  l.SrcTop = m.R.Top;
  l.SrcMidY = l.SrcTop + l.WT;
  l.SrcBottomY = m.R.Top + l.FrameHeight - l.WB;
  l.Target = r;
  out = l;
  return true;
}

TacPiecePlace BorderPiecePlace(const TacBorderLayout& l, TacBorderPiece piece) {
  const TacRect& r = l.Target;
  const int xl = r.Left, xm = r.Left + l.WL, xr = r.Right - l.WR, xe = r.Right;
  const int yt = r.Top, ym = r.Top + l.WT, yb = r.Bottom - l.WB, ye = r.Bottom;
  auto src = [](int x, int y, int w, int h) { return TacRect{x, y, x + w, y + h}; };
  switch (piece) {
    case TacBorderPiece::TopLeft: return {{xl, yt, xm, ym}, src(l.SrcLeft, l.SrcTop, l.WL, l.WT), true};
    case TacBorderPiece::Left: return {{xl, ym, xm, yb}, src(l.SrcLeft, l.SrcMidY, l.WL, l.MidHeight), false};
    case TacBorderPiece::Top: return {{xm, yt, xr, ym}, src(l.SrcMidX, l.SrcTop, l.MidWidth, l.WT), false};
    case TacBorderPiece::BottomLeft: return {{xl, yb, xm, ye}, src(l.SrcLeft, l.SrcBottomY, l.WL, l.WB), true};
    case TacBorderPiece::Bottom: return {{xm, yb, xr, ye}, src(l.SrcMidX, l.SrcBottomY, l.MidWidth, l.WB), false};
    case TacBorderPiece::BottomRight: return {{xr, yb, xe, ye}, src(l.SrcRightX, l.SrcBottomY, l.WR, l.WB), true};
    case TacBorderPiece::TopRight: return {{xr, yt, xe, ym}, src(l.SrcRightX, l.SrcTop, l.WR, l.WT), true};
    case TacBorderPiece::Right: return {{xr, ym, xe, yb}, src(l.SrcRightX, l.SrcMidY, l.WR, l.MidHeight), false};
    case TacBorderPiece::Centre:
    default: return {{xm, ym, xr, yb}, src(l.SrcMidX, l.SrcMidY, l.MidWidth, l.MidHeight), false};
  }
}

void DrawBorderMask(TacBitmap* bmp, const TacRect& r, bool fillCentre, bool cornersUseParent, int state,
                    const TsMaskData& m, const TacParentImage& pi) {
  if (!bmp) return;
  if (state == 0 && (m.DrawMode & 2)) return;
  if (r.Width() < 2 || r.Height() < 2 || !m.Manager || m.ImageCount == 0) return;
  const TacBitmap* src = MaskSource(m);
  TacBorderLayout layout;
  if (!src || !ComputeBorderLayout(m, r, state, layout)) return;

  static const TacBorderPiece kOrder[] = {TacBorderPiece::TopLeft,    TacBorderPiece::Left,
                                          TacBorderPiece::Top,        TacBorderPiece::BottomLeft,
                                          TacBorderPiece::Bottom,     TacBorderPiece::BottomRight,
                                          TacBorderPiece::TopRight,   TacBorderPiece::Right,
                                          TacBorderPiece::Centre};
  const bool centre = fillCentre && (m.DrawMode & 4);
  const bool masked = m.MaskType != 0;
  const bool stretch = !masked && (m.DrawMode & 1);
  for (TacBorderPiece piece : kOrder) {
    if (piece == TacBorderPiece::Centre && !centre) continue;
    const TacPiecePlace place = BorderPiecePlace(layout, piece);
    const TacRect& s = place.Source;
    if (masked) {
      const bool usePar = place.Corner && cornersUseParent;
      const TacParentImage& par = place.Corner ? pi : EmptyParentImage;
      if (!TileMaskedPiece(place.Target, s, bmp, m, usePar, par, src))
        ForEachTile(place.Target, s.Width(), s.Height(), [&](const TacRect& d, int w, int h) {
          CopyPieceMasked(d, TacRect{s.Left, s.Top, s.Left + w, s.Top + h}, bmp, m, usePar, par, src);
        });
    } else if (place.Corner) {
      CopyPieceKeyed(bmp, src, place.Target.Left, place.Target.Top, cornersUseParent, pi, TransparentKey,
                     TacRect{s.Left, s.Top, s.Right - 1, s.Bottom - 1});
    } else if (stretch) {
      StretchHalftone(bmp, place.Target, src, s);
    } else {
      TileBitmapRect(bmp, place.Target, src, s);
    }
  }
}
