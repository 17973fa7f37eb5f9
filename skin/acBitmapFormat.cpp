#include "skin/acBitmapFormat.h"

#include <cstring>
#include <new>

TacBitmapPtr NewBitmapOrThrow(int width, int height, TacPixelFormat format) {
  TacBitmapPtr bmp = NewBitmap(width, height, format);
  if (!bmp) throw std::bad_alloc();
  return bmp;
}

TacBitmapPtr ConvertBitmap(const TacBitmap& src, TacPixelFormat format) {
  const int w = src.Width(), h = src.Height();
  TacBitmapPtr dst = NewBitmapOrThrow(w, h, format);
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = src.Row(y);
    uint8_t* d = dst->Row(y);
    if (src.Format() == format) {
      std::memcpy(d, s, static_cast<size_t>(w) * static_cast<size_t>(src.BytesPerPixel()));
    } else if (format == TacPixelFormat::pf24bit) {
      for (int x = 0; x < w; ++x, s += 4, d += 3) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
    } else {
      for (int x = 0; x < w; ++x, s += 3, d += 4) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = 255;
      }
    }
  }
  return dst;
}

void EnsurePixelFormat(TacBitmapPtr& bmp, TacPixelFormat format) {
  if (bmp && bmp->Format() != format) bmp = ConvertBitmap(*bmp, format);
}
