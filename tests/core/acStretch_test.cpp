// Our own stretching: pixel replication and area-averaging halftone.
#include "paint/acStretch.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"

using paintfix::Bitmap24;

TEST(StretchHalftone, ShrinkingAveragesTheCoveredArea) {
  TacBitmapPtr src = Bitmap24(4, 2, [](int x, int) { return x % 2 ? 255u : 0u; });
  TestBitmap b(2, 1, TacPixelFormat::pf24bit);
  StretchHalftone(b.get(), {0, 0, 2, 1}, src.get(), {0, 0, 4, 2});
  EXPECT_EQ(b.Rgb(0, 0), 128u);  // (0 + 255) / 2 rounded half up
  // 3 source columns onto 2: column 0 covers 1.5 source pixels.
  TacBitmapPtr three = Bitmap24(3, 1, [](int x, int) { return x == 0 ? 90u : x == 1 ? 30u : 0u; });
  StretchHalftone(b.get(), {0, 0, 2, 1}, three.get(), {0, 0, 3, 1});
  EXPECT_EQ(b.Rgb(0, 0), 70u);  // (90 * 2 + 30 * 1) / 3
  EXPECT_EQ(b.Rgb(1, 0), 10u);  // (30 * 1 + 0 * 2) / 3
}

TEST(StretchHalftone, EnlargingAFlatPieceKeepsItFlatAndStaysInside) {
  TacBitmapPtr src = Bitmap24(2, 2, [](int, int) { return 0x123456u; });
  TestBitmap b(10, 10, TacPixelFormat::pf32bit, true);
  b.Fill(0, 0);
  StretchHalftone(b.get(), {-3, 2, 15, 7}, src.get(), {0, 0, 2, 2});
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = y >= 2 && y < 7;
      ASSERT_EQ(b.Rgb(x, y), inside ? 0x123456u : 0u) << x << "," << y;
      ASSERT_EQ(b.Alpha(x, y), inside ? 255 : 0);
    }
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(StretchNearest, ReplicatesThePixelUnderEachCentre) {
  TacBitmapPtr src = Bitmap24(3, 1, [](int x, int) { return 10u * (x + 1); });
  TestBitmap b(7, 1, TacPixelFormat::pf24bit);
  StretchNearest(b.get(), {0, 0, 7, 1}, src.get(), {0, 0, 3, 1});
  const uint32_t want[7] = {10, 10, 20, 20, 20, 30, 30};  // (2i + 1) * 3 div 14
  for (int x = 0; x < 7; ++x) EXPECT_EQ(b.Rgb(x, 0), want[x]) << x;
  // Within one bitmap, a stretch that overlaps its source reads the old pixels.
  TestBitmap s(6, 2, TacPixelFormat::pf24bit);
  for (int x = 0; x < 6; ++x) s.Set(x, 0, 10u * x), s.Set(x, 1, 0);
  StretchNearest(s.get(), {0, 0, 6, 1}, s.get(), {0, 0, 3, 1});
  EXPECT_EQ(s.Rgb(5, 0), 20u);
}
