#include "paint/sMaskToBitmap.h"

#include "paint/acPixelOps.h"
#include "paint/acStretch.h"
#include "paint/sBorderMask.h"

namespace {

struct Ctx {
  TacBitmap* Bmp;
  const TacBitmap* Src;
  int MaskShift;  // rows from a colour pixel to its mask pixel
  bool Masked;    // MaskType 1
};

// Copies source block s to target block d (same size, clipped to both bitmaps)
// pixel by pixel; corners skip key-coloured pixels and report their runs.
void CopyPiece(const Ctx& c, const TacRect& d, const TacRect& s, bool corner, TacRegion* region) {
  const int w = d.Width(), h = d.Height();
  const int dbpp = c.Bmp->BytesPerPixel(), sbpp = c.Src->BytesPerPixel();
  for (int j = 0; j < h; ++j) {
    const int ty = d.Top + j, sy = s.Top + j;
    const int my = sy + c.MaskShift;
    if (ty < 0 || ty >= c.Bmp->Height() || sy < 0 || sy >= c.Src->Height()) continue;
    if (c.Masked && (my < 0 || my >= c.Src->Height())) continue;
    int runStart = -1;  // first column of the current key-coloured run
    for (int i = 0; i < w; ++i) {
      const int tx = d.Left + i, sx = s.Left + i;
      if (tx < 0 || tx >= c.Bmp->Width() || sx < 0 || sx >= c.Src->Width()) continue;
      const uint8_t* sp = c.Src->Pixel(sx, sy);
      uint8_t* tp = c.Bmp->Pixel(tx, ty);
      const bool key = IsKeyPixel(sp);
      if (corner && key) {
        if (runStart < 0) runStart = tx;
        continue;
      }
      if (corner && runStart >= 0) {
        if (region) region->XorRect(TacRect{runStart, ty, tx, ty + 1});
        runStart = -1;
      }
      if (c.Masked) {
        const uint8_t* mp = c.Src->Pixel(sx, my);
        for (int k = 0; k < 3; ++k) tp[k] = MaskMix(tp[k], sp[k], mp[k]);
      } else {
        tp[0] = sp[0], tp[1] = sp[1], tp[2] = sp[2];
        if (dbpp == 4) tp[3] = sbpp == 4 ? sp[3] : 255;
      }
    }
    if (corner && runStart >= 0 && region)
      region->SubtractRect(TacRect{runStart, ty, std::min(d.Right, c.Bmp->Width()), ty + 1});
  }
}

}  // namespace

void DrawMaskToBitmap(TacBitmap* bmp, TacRegion* region, bool fillCentre, int state, const TsMaskData& mask) {
  if (!bmp || bmp->Width() <= 1 || bmp->Height() <= 1 || !mask.Manager) return;
  TsMaskData m;  // the measures only; the image stays with the mask
  m.R = mask.R, m.ImageCount = mask.ImageCount, m.MaskType = mask.MaskType, m.DrawMode = mask.DrawMode;
  m.WL = mask.WL, m.WT = mask.WT, m.WR = mask.WR, m.WB = mask.WB, m.Manager = mask.Manager;
  const TacBitmap* src = MaskSource(mask);
  if (!src) return;
  if (m.ImageCount < 1) {
    if (!mask.Bmp) return;
    m.ImageCount = 1;
    m.R = TacRect{0, 0, mask.Bmp->Width(), mask.Bmp->Height()};
  }
  TacBorderLayout layout;
  if (!ComputeBorderLayout(m, TacRect{0, 0, bmp->Width(), bmp->Height()}, state, layout)) return;

  const Ctx c{bmp, src, m.R.Height() / 2, m.MaskType == 1};
  const bool stretch = (m.DrawMode & 1) && m.MaskType != 1;
  static const TacBorderPiece kOrder[] = {TacBorderPiece::TopLeft,  TacBorderPiece::BottomLeft,
                                          TacBorderPiece::Left,     TacBorderPiece::Top,
                                          TacBorderPiece::Bottom,   TacBorderPiece::Right,
                                          TacBorderPiece::BottomRight, TacBorderPiece::TopRight,
                                          TacBorderPiece::Centre};
  for (TacBorderPiece piece : kOrder) {
    if (piece == TacBorderPiece::Centre && !(fillCentre && (m.DrawMode & 4))) continue;
    const TacPiecePlace place = BorderPiecePlace(layout, piece);
    const TacRect& s = place.Source;
    if (place.Corner) {
      CopyPiece(c, TacRect{place.Target.Left, place.Target.Top, place.Target.Left + s.Width(),
                           place.Target.Top + s.Height()},
                s, true, region);
    } else if (stretch) {
      StretchHalftone(bmp, place.Target, src, s);
    } else {
      ForEachTile(place.Target, s.Width(), s.Height(), [&](const TacRect& d, int w, int h) {
        CopyPiece(c, d, TacRect{s.Left, s.Top, s.Left + w, s.Top + h}, false, nullptr);
      });
    }
  }
}
