#include "paint/acPremultiply.h"

#include "paint/acBitmap.h"

void PremultiplyAlpha(TacBitmap* bmp) {
  if (!bmp || bmp->Format() != TacPixelFormat::pf32bit) return;
  for (int y = 0; y < bmp->Height(); ++y) {
    uint8_t* p = bmp->Row(y);
    for (int x = 0; x < bmp->Width(); ++x, p += 4) {
      const unsigned a = p[3];
      if (a == 255) continue;
      p[0] = static_cast<uint8_t>((p[0] * a + 127) / 255);
      p[1] = static_cast<uint8_t>((p[1] * a + 127) / 255);
      p[2] = static_cast<uint8_t>((p[2] * a + 127) / 255);
    }
  }
}
