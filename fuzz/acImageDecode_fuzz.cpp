// BMP, PNG and JPEG decoding of arbitrary bytes: a bitmap or a clean error.
#include <cstddef>
#include <cstdint>

#include "skin/acImageDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TacBitmapPtr bmp = DecodeImage(data, size);
    if (!bmp || bmp->Width() > MaxImageSide || bmp->Height() > MaxImageSide) __builtin_trap();
    // Touch the last pixel: the bitmap must be as large as it claims.
    if (bmp->Width() > 0 && bmp->Height() > 0) {
      volatile uint8_t last = bmp->Pixel(bmp->Width() - 1, bmp->Height() - 1)[0];
      (void)last;
    }
  } catch (const EacImageError&) {
  }
  return 0;
}
