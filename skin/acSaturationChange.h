// AdjustSaturation's result for one amount, computed with integers.
//
// Each channel x becomes x + a (avg - x) / 100 rounded, avg = (r + g + b) / 3: the
// exact value is a fraction with denominator 300, so it lies at least 1/300 from a
// rounding boundary unless it lies exactly on one, while the doubles stray from it
// by far less. Colours with a channel exactly halfway are handed to
// AdjustSaturation itself. The tests compare the two over every channel sum.
#pragma once

#include <cstdint>

class TacSaturationChange {
 public:
  explicit TacSaturationChange(int amount) : amount_(amount) {}
  // AdjustSaturation(color, amount), exactly.
  uint32_t operator()(uint32_t color) const;

 private:
  int amount_;
};
