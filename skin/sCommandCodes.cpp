#include "skin/sCommandCodes.h"

#include <algorithm>

#include "paint/sGraphUtils.h"

uint32_t MixBgColor(uint32_t sectionColor, uint32_t parentColor, int transparency) {
  if (transparency <= 0) return sectionColor;
  if (transparency >= 100) return parentColor;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int c = static_cast<int>((sectionColor >> shift) & 0xFF);
    const int p = static_cast<int>((parentColor >> shift) & 0xFF);
    const double v = (100.0 - transparency) / 100.0 * c + transparency / 100.0 * p;
    const int channel = std::clamp(static_cast<int>(RoundHalfEven(v)), 0, 255);
    out |= static_cast<uint32_t>(channel) << shift;
  }
  return out;
}
