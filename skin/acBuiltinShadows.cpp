#include "skin/acBuiltinShadows.h"

#include <cstddef>

#include "skin/acImageDecode.h"

// Generated at build time from skin/builtin/*.png.
extern const unsigned char BuiltinShadowActivePng[];
extern const size_t BuiltinShadowActivePng_size;
extern const unsigned char BuiltinShadowInactivePng[];
extern const size_t BuiltinShadowInactivePng_size;

namespace {
TacBitmapPtr Decode(const unsigned char* data, size_t size) {
  try {
    return DecodePng(data, size);
  } catch (const EacImageError&) {
    return nullptr;
  }
}
}  // namespace

const TacBitmap* BuiltinShadow(bool active) {
  static const TacBitmapPtr activeImage = Decode(BuiltinShadowActivePng, BuiltinShadowActivePng_size);
  static const TacBitmapPtr inactiveImage = Decode(BuiltinShadowInactivePng, BuiltinShadowInactivePng_size);
  return active ? activeImage.get() : inactiveImage.get();
}
