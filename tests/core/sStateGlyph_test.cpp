// Glyph frames of masks at a point: cutting at the bitmap's edge, keyed and
// masked drawing, normal and faded blend modes.
#include "paint/sStateGlyph.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"

using paintfix::Bitmap24;
using paintfix::MasterModel;

namespace {
constexpr uint32_t kSentinel = 0x5A5A5A;
uint32_t Cell(int x, int y) { return static_cast<uint32_t>(x + 1) | static_cast<uint32_t>(y + 1) << 8; }
}  // namespace

TEST(DrawStateGlyph, PointLeftOfTheBitmapCutsTheFirstColumnsOnly) {
  // Two frames of 6 x 4.
  MasterModel mm(Bitmap24(12, 4, Cell));
  const TsMaskData m = mm.Mask({0, 0, 12, 4}, 2, 0, 0, 0, 0, 0, 0);
  TestBitmap b(8, 4, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  DrawStateGlyph(b.get(), {-3, 0}, 0, 1, m, EmptyParentImage);
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(b.Rgb(x, 1), x < 3 ? Cell(x + 3, 1) : kSentinel) << x;  // nothing of frame 1
  b.Fill(kSentinel);
  DrawStateGlyph(b.get(), {1, -2}, 7, 1, m, EmptyParentImage);  // state 7: the last frame
  EXPECT_EQ(b.Rgb(1, 0), Cell(6, 2));
  EXPECT_EQ(b.Rgb(6, 1), Cell(11, 3));
  EXPECT_EQ(b.Rgb(1, 2), kSentinel);
}

TEST(DrawStateGlyph, FadedGlyphFromTheMasterIsHalfStrength) {
  MasterModel mm(Bitmap24(2, 1, [](int x, int) { return x == 0 ? 200u : TransparentKey; }));
  const TsMaskData m = mm.Mask({0, 0, 2, 1}, 1, 0, 0, 0, 0, 0, 0);
  TestBitmap b(2, 1, TacPixelFormat::pf24bit);
  b.Fill(100);
  DrawStateGlyph(b.get(), {0, 0}, 0, 0, m, EmptyParentImage);
  EXPECT_EQ(b.Rgb(0, 0), 150u);
  EXPECT_EQ(b.Rgb(1, 0), 100u);
}

TEST(DrawStateGlyph, MaskedGlyphLightensItsMaskWhenFaded) {
  // Colour red 200 over mask values 0, 54, 155 (red channel).
  MasterModel mm(Bitmap24(3, 2, [](int x, int y) -> uint32_t {
    if (y == 0) return 200;
    return x == 0 ? 0u : x == 1 ? 54u : 155u;
  }));
  const TsMaskData m = mm.Mask({0, 0, 3, 2}, 1, 1, 0, 0, 0, 0, 0);
  struct Case {
    int blend;
    uint32_t want[3];
  } cases[] = {
      {1, {200, ((100 - 200) * 54 + 200 * 256) >> 8, ((100 - 200) * 155 + 200 * 256) >> 8}},
      // Faded: M' = M + 100, or 255 above 154.
      {0, {((100 - 200) * 100 + 200 * 256) >> 8, ((100 - 200) * 154 + 200 * 256) >> 8, ((100 - 200) * 255 + 200 * 256) >> 8}},
  };
  for (const Case& c : cases) {
    TestBitmap b(3, 1, TacPixelFormat::pf32bit);
    b.Fill(100, 0);
    DrawStateGlyph(b.get(), {0, 0}, 0, c.blend, m, EmptyParentImage);
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(b.Rgb(x, 0) & 0xFF, c.want[x]) << c.blend << " " << x;
      EXPECT_EQ(b.Alpha(x, 0), 255);
    }
  }
}

TEST(DrawStateGlyph, OwnImageMustHoldTheArea) {
  TsMaskData m;
  m.Bmp = Bitmap24(4, 2, Cell);
  m.R = {0, 0, 4, 2};
  m.ImageCount = 2;
  TestBitmap b(4, 4, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  DrawStateGlyph(b.get(), {1, 1}, 1, 1, m, EmptyParentImage);
  EXPECT_EQ(b.Rgb(1, 1), Cell(2, 0));
  EXPECT_EQ(b.Rgb(2, 2), Cell(3, 1));
  b.Fill(kSentinel);
  m.R = {0, 0, 6, 2};  // wider than its image: nothing
  DrawStateGlyph(b.get(), {1, 1}, 1, 1, m, EmptyParentImage);
  EXPECT_EQ(b.Rgb(1, 1), kSentinel);
}
