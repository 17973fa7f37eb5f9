#include "paint/sKeyedCorner.h"

#include <algorithm>

#include "paint/acPixelOps.h"
#include "paint/sBorderMask.h"
#include "skin/sSkinModel.h"

void FillKeyedCorner(TacBitmap* dst, const TacBitmap* src, const TacRect& r, int code, const TsSkinModel* model,
                     int maskIndex, TacPoint p) {
  if (!dst || !src) return;
  const TsMaskData* mask = nullptr;
  const TacBitmap* test = nullptr;
  int ox = 0, oy = 0;
  if (maskIndex != -1) {
    if (!model || !model->IsValidImgIndex(maskIndex)) return;
    mask = &model->Masks[static_cast<size_t>(maskIndex)];
    test = MaskSource(*mask);
    if (!test) return;
    const int fw = MaskFrameWidth(*mask), fh = MaskFrameHeight(*mask);
    const bool right = code == ccTopRight || code == ccBottomRight;
    const bool bottom = code == ccBottomLeft || code == ccBottomRight;
    ox = mask->R.Left + (right ? fw - mask->WR : 0);
    oy = mask->R.Top + (bottom ? fh - mask->WB : 0);
  }
  const int64_t w = std::min<int64_t>(r.Width(), static_cast<int64_t>(src->Width()) - p.X);
  const int64_t h = std::min<int64_t>(r.Height(), static_cast<int64_t>(src->Height()) - p.Y);
  const int dbpp = dst->BytesPerPixel(), sbpp = src->BytesPerPixel();
  for (int64_t b = 0; b < h; ++b) {
    const int64_t ty = r.Top + b, sy = p.Y + b;
    if (ty < 0 || ty >= dst->Height() || sy < 0) continue;
    for (int64_t a = 0; a < w; ++a) {
      const int64_t tx = r.Left + a, sx = p.X + a;
      if (tx < 0 || tx >= dst->Width() || sx < 0) continue;
      uint8_t* t = dst->Pixel(static_cast<int>(tx), static_cast<int>(ty));
      bool take;
      if (!test) {
        take = IsKeyPixel(t);
      } else {
        const int64_t mx = ox + a, my = oy + b;
        take = InBitmap(test, mx, my) && IsKeyPixel(test->Pixel(static_cast<int>(mx), static_cast<int>(my)));
      }
      if (!take) continue;
      const uint8_t* s = src->Pixel(static_cast<int>(sx), static_cast<int>(sy));
      t[0] = s[0], t[1] = s[1], t[2] = s[2];
      if (dbpp == 4) t[3] = sbpp == 4 ? s[3] : 255;
    }
  }
}
