#include "paint/sStateGlyph.h"

#include <algorithm>

#include "paint/acPixelOps.h"
#include "paint/sAlphaGraph.h"
#include "paint/sGraphUtils.h"
#include "paint/sMaskPieces.h"
#include "skin/sSkinModel.h"

void BlendGlyph(const TacRect& d, const TacRect& q, TacBitmap* dst, const TsMaskData& m, int blendMode,
                const TacBitmap* src) {
  if (!dst || !src) return;
  if (m.MaskType == 0) {
    CopyKeyed(dst, src, d.Left, d.Top, TransparentKey, q);
    return;
  }
  const int fh = MaskFrameHeight(m);
  // Offsets (i, j) that lie inside both rectangles and, with the mask rows, both bitmaps.
  const int64_t w = std::min<int64_t>(static_cast<int64_t>(d.Right) - d.Left, static_cast<int64_t>(q.Right) - q.Left) + 1;
  const int64_t h = std::min<int64_t>(static_cast<int64_t>(d.Bottom) - d.Top, static_cast<int64_t>(q.Bottom) - q.Top) + 1;
  const int dbpp = dst->BytesPerPixel();
  for (int64_t j = 0; j < h; ++j) {
    const int64_t ty = d.Top + j, sy = q.Top + j, my = sy + fh;
    if (ty < 0 || ty >= dst->Height() || sy < 0 || my < 0 || my >= src->Height()) continue;
    for (int64_t i = 0; i < w; ++i) {
      const int64_t tx = d.Left + i, sx = q.Left + i;
      if (tx < 0 || tx >= dst->Width() || sx < 0 || sx >= src->Width()) continue;
      const uint8_t* s = src->Pixel(static_cast<int>(sx), static_cast<int>(sy));
      if (IsKeyPixel(s)) continue;
      const uint8_t* mk = src->Pixel(static_cast<int>(sx), static_cast<int>(my));
      uint8_t* p = dst->Pixel(static_cast<int>(tx), static_cast<int>(ty));
      for (int k = 0; k < 3; ++k) {
        const int mv = blendMode == 1 ? mk[k] : (mk[k] > 154 ? 255 : mk[k] + 100);
        p[k] = MaskMix(p[k], s[k], mv);
      }
      if (dbpp == 4) p[3] = 255;
    }
  }
}

void DrawStateGlyph(TacBitmap* bmp, TacPoint p, int state, int blendMode, const TsMaskData& m,
                    const TacParentImage& pi) {
  if (!bmp || m.ImageCount <= 0) return;
  const int fw = MaskFrameWidth(m), fh = MaskFrameHeight(m);
  if (fw <= 0 || fh <= 0) return;
  const int s = std::clamp(state, 0, m.ImageCount - 1);
  const int sx = s * fw;
  const int cx = p.X < 0 ? -p.X : 0, cy = p.Y < 0 ? -p.Y : 0;
  if (cx >= fw || cy >= fh) return;
  // The cut columns and rows come off the glyph's left and top only; its right
  // and bottom edges stay where they are.
  const TacRect src{m.R.Left + sx + cx, m.R.Top + cy, m.R.Left + sx + fw - 1, m.R.Top + fh - 1};
  const TacRect dst{p.X + cx, p.Y + cy, p.X + fw - 1, p.Y + fh - 1};
  if (m.Bmp) {
    if (m.Bmp->Width() >= m.R.Right && m.Bmp->Height() >= m.R.Bottom) BlendGlyph(dst, src, bmp, m, blendMode, m.Bmp.get());
    return;
  }
  if (!m.Manager || !m.Manager->MasterBitmap) return;
  const TacBitmap* master = m.Manager->MasterBitmap.get();
  if (m.MaskType > 0)
    BlendGlyph(dst, src, bmp, m, blendMode, master);
  else if (blendMode == 1)
    CopyPieceKeyed(bmp, master, dst.Left, dst.Top, true, pi, TransparentKey, src);
  else
    CopyBlendedRect(bmp, dst.Left, dst.Top, TransparentKey, 0.5, src, master);
}
