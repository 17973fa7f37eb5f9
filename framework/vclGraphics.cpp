#include "framework/vclGraphics.h"

#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"

void DrawAlphaBitmap(HDC dc, int x, int y, const TacBitmap& src) {
  if (src.Format() != TacPixelFormat::pf32bit || src.Width() <= 0 || src.Height() <= 0) return;
  TacBitmapPtr pre = NewDibBitmap(src.Width(), src.Height(), TacPixelFormat::pf32bit);
  if (!pre) return;
  for (int row = 0; row < src.Height(); ++row) {
    const uint8_t* s = src.Row(row);
    uint8_t* d = pre->Row(row);
    for (int col = 0; col < src.Width(); ++col, s += 4, d += 4) {
      unsigned a = s[3];
      d[0] = static_cast<uint8_t>((s[0] * a + 127) / 255);
      d[1] = static_cast<uint8_t>((s[1] * a + 127) / 255);
      d[2] = static_cast<uint8_t>((s[2] * a + 127) / 255);
      d[3] = static_cast<uint8_t>(a);
    }
  }
  TacMemoryDC mem(dc);
  TacSelectObject picture(mem.Get(), static_cast<HBITMAP>(pre->Handle()));
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, x, y, src.Width(), src.Height(), mem.Get(), 0, 0, src.Width(), src.Height(), bf);
}
