#include "skin/acSaturationChange.h"

#include "paint/sGraphUtils.h"

uint32_t TacSaturationChange::operator()(uint32_t color) const {
  if (amount_ == 0) return color;
  const int64_t channel[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
  const int64_t sum = channel[0] + channel[1] + channel[2];
  uint32_t result = 0;
  for (int i = 0; i < 3; ++i) {
    // 300 (x + a (sum / 3 - x) / 100 + 1/2), whose floor / 300 is the rounded channel.
    const int64_t scaled = 300 * channel[i] + amount_ * (sum - 3 * channel[i]) + 150;
    int64_t rounded = scaled / 300;
    const int64_t rest = scaled % 300;
    if (rest == 0) return AdjustSaturation(color, amount_);  // halfway between two integers
    if (rest < 0) --rounded;
    const int64_t limited = rounded < 0 ? 0 : rounded > 255 ? 255 : rounded;
    result |= static_cast<uint32_t>(limited) << (8 * i);
  }
  return result;
}
