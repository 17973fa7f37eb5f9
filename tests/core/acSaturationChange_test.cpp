// The integer saturation change against the double-precision AdjustSaturation it
// stands for, over the whole input range.
#include "skin/acSaturationChange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "paint/sGraphUtils.h"

namespace {

// A channel's result depends on the channel, the sum of the three and the amount
// only. For every amount a skin load can use (-100..100, the remainder of a
// division by 101), every channel value meets every sum it can have.
TEST(SaturationChange, EqualsAdjustSaturationForEveryChannelAndSumAtEveryAmount) {
  long mismatches = 0;
  for (int amount = -100; amount <= 100; ++amount) {
    const TacSaturationChange change(amount);
    for (uint32_t x = 0; x < 256; ++x)
      for (uint32_t rest = 0; rest <= 510; ++rest) {
        const uint32_t g = std::min(rest, 255u), b = rest - g;
        const uint32_t c = x | g << 8 | b << 16;
        if (change(c) != AdjustSaturation(c, amount) && mismatches++ < 5)
          ADD_FAILURE() << std::hex << "colour " << c << std::dec << " amount " << amount;
      }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(SaturationChange, AmountsBeyondAHundredAndTopBytesAsAdjustSaturationTakesThem) {
  for (int amount : {101, 1000, -1000, INT_MAX, INT_MIN, 0}) {
    const TacSaturationChange change(amount);
    for (uint32_t c : {0x123456u, 0xFF0000u, 0x80FF8000u, 0xFF00000Fu, 0x00808080u})
      EXPECT_EQ(change(c), AdjustSaturation(c, amount)) << std::hex << c << std::dec << " " << amount;
  }
  EXPECT_EQ(TacSaturationChange(100)(0x0000FF), 0x555555u);  // all the way to the grey
}

}  // namespace
