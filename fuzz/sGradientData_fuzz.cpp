// Gradient description texts: pieces within their ranges, or a conversion error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/acStrToInt.h"
#include "skin/sGradientData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TsGradArray g = ParseGradientData(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const TsGradPiece& p : g)
      if (p.Percent > 100 || static_cast<int32_t>(p.Color1) < 0 || static_cast<int32_t>(p.Color2) < 0)
        __builtin_trap();
  } catch (const EConvertError&) {
  }
  return 0;
}
