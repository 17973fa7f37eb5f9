// The integer hue rotation against the double-precision RotateHue it stands for,
// over the whole input range.
#include "skin/acHueRotation.h"

#include <gtest/gtest.h>

#include <climits>

#include "paint/sGraphUtils.h"

namespace {

// Offsets a skin may carry, negative and far beyond a turn included.
const int Offsets[] = {0, 1, 40, 59, 60, 119, 180, 211, 299, 359, 360, 361, 719, 1000003, INT_MAX,
                       -1, -40, -59, -180, -359, -360, -1000003, INT_MIN};

// Every 24-bit colour, in four blocks of blue values so the blocks run side by
// side. Each colour meets one of the offsets: its rounded hue depends on the
// offset only through the halfway cases, which go to RotateHue anyway.
class HueRotationColours : public ::testing::TestWithParam<int> {};

TEST_P(HueRotationColours, EqualRotateHueForEveryColour) {
  const int offsetCount = static_cast<int>(sizeof Offsets / sizeof Offsets[0]);
  std::vector<TacHueRotation> rotations;
  for (int offset : Offsets) rotations.emplace_back(offset);
  const uint32_t firstBlue = static_cast<uint32_t>(GetParam()) * 64;
  long mismatches = 0;
  for (uint32_t c = firstBlue << 16; c < (firstBlue + 64) << 16; ++c) {
    const int k = static_cast<int>(c % static_cast<uint32_t>(offsetCount));
    const uint32_t want = RotateHue(Offsets[k], c);
    if (rotations[static_cast<size_t>(k)](c) != want && mismatches++ < 5)
      ADD_FAILURE() << std::hex << "colour " << c << std::dec << " offset " << Offsets[k];
  }
  EXPECT_EQ(mismatches, 0);
}
INSTANTIATE_TEST_SUITE_P(BlueBlocks, HueRotationColours, ::testing::Range(0, 4));

// After the hue is known, the result depends on the maximum, on max - min and on
// the turned hue only. Red-hue colours (red the maximum, green = blue the minimum)
// have the hue 0, so the offset alone sets the turned hue: every pair at every
// turned degree.
TEST(HueRotation, EqualRotateHueForEveryTurnedHueOfEveryMaximumAndSpread) {
  long mismatches = 0;
  for (int offset = 0; offset < 360; ++offset) {
    const TacHueRotation rotation(offset);
    for (uint32_t v = 1; v < 256; ++v)
      for (uint32_t low = 0; low < v; ++low) {
        const uint32_t c = v | low << 8 | low << 16;
        if (rotation(c) != RotateHue(offset, c) && mismatches++ < 5)
          ADD_FAILURE() << std::hex << "colour " << c << std::dec << " offset " << offset;
      }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(HueRotation, SystemColoursAndTopBytesAsRotateHueTakesThem) {
  const TacHueRotation rotation(120);
  for (uint32_t c : {0x8000000Fu, 0xFF000005u, 0x01FF0000u, 0xFF0000FFu})
    EXPECT_EQ(rotation(c), RotateHue(120, c)) << std::hex << c;
  EXPECT_EQ(rotation(0x0000FF), 0x00FF00u);  // pure red turns green
}

}  // namespace
