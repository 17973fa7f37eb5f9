// Nine-part images kept within insets (extended window borders).
#include "paint/sNinePartImage.h"

#include <gtest/gtest.h>

#include <random>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"

using paintfix::Bitmap24;

namespace {
constexpr uint32_t kSentinel = 0x5A5A5A;
uint32_t Src(int x, int y) { return static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 | 0x800000u; }
}  // namespace

TEST(DrawNinePartImage, CornersAreLShapesWithinTheInsets) {
  // Source 100 x 120, margins (24, 48, 24, 24), insets (10, 30, 10, 10), edges
  // stretched, no centre.
  TacBitmapPtr src = Bitmap24(100, 120, Src);
  TestBitmap b(200, 150, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  DrawNinePartImage(b.get(), src.get(), {0, 0, 200, 150}, {0, 0, 100, 120}, {24, 48, 24, 24}, {10, 30, 10, 10},
                    {npStretch, npStretch, npStretch, npStretch}, npStretch, false);
  // Top-left: a 24 x 30 block plus a 10 x 18 block below it.
  EXPECT_EQ(b.Rgb(23, 29), Src(23, 29));
  EXPECT_EQ(b.Rgb(9, 47), Src(9, 47));
  EXPECT_EQ(b.Rgb(10, 30), kSentinel);
  EXPECT_EQ(b.Rgb(23, 40), kSentinel);
  // The left edge is 10 wide, its 48 source rows replicated over 78 target rows
  // (each target row shows the source row under its centre).
  EXPECT_EQ(b.Rgb(9, 80), Src(9, 48 + (2 * 32 + 1) * 48 / (2 * 78)));
  EXPECT_EQ(b.Rgb(10, 80), kSentinel);
  // Nothing inside the insets.
  for (int y = 30; y < 140; ++y)
    for (int x = 10; x < 190; ++x) ASSERT_EQ(b.Rgb(x, y), kSentinel) << x << "," << y;
  // Bottom-right: 24 x 10 at the bottom, then 10 x 14 above it.
  EXPECT_EQ(b.Rgb(199, 149), Src(99, 119));
  EXPECT_EQ(b.Rgb(176, 140), Src(76, 110));
  EXPECT_EQ(b.Rgb(190, 126), Src(90, 96));
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(DrawNinePartImage, TiledEdgesAndCentreRepeatTheSourceMiddle) {
  TacBitmapPtr src = Bitmap24(10, 10, Src);
  TestBitmap b(23, 17, TacPixelFormat::pf32bit);
  b.Fill(kSentinel, 0);
  DrawNinePartImage(b.get(), src.get(), {0, 0, 23, 17}, {0, 0, 10, 10}, {3, 3, 3, 3}, {3, 3, 3, 3},
                    {npTile, npTile, npTile, npTile}, npTile, true);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 23; ++x) {
      const int sx = x < 3 ? x : x >= 20 ? 7 + x - 20 : 3 + (x - 3) % 4;
      const int sy = y < 3 ? y : y >= 14 ? 7 + y - 14 : 3 + (y - 3) % 4;
      ASSERT_EQ(b.Rgb(x, y), Src(sx, sy)) << x << "," << y;
      ASSERT_EQ(b.Alpha(x, y), 255);
    }
  // Other modes draw nothing.
  b.Fill(kSentinel, 0);
  DrawNinePartImage(b.get(), src.get(), {0, 0, 23, 17}, {0, 0, 10, 10}, {3, 3, 3, 3}, {3, 3, 3, 3}, {5, 5, 5, 5}, 5,
                    true);
  EXPECT_EQ(b.Rgb(10, 1), kSentinel);
  EXPECT_EQ(b.Rgb(10, 8), kSentinel);
  EXPECT_EQ(b.Rgb(1, 1), Src(1, 1));
}

TEST(DrawNinePartImageRandom, StaysInsideAndMatchesItsChecksum) {
  std::mt19937 rng(99);
  uint64_t sum = 1469598103934665603ull;
  for (int round = 0; round < 60; ++round) {
    const int sw = 4 + static_cast<int>(rng() % 40), sh = 4 + static_cast<int>(rng() % 40);
    TacBitmapPtr src = Bitmap24(sw, sh, [&](int x, int y) {
      return static_cast<uint32_t>(x * 255 / sw) | static_cast<uint32_t>(y * 255 / sh) << 8 | 0x600000u;
    });
    const TacEdges m{static_cast<int>(rng() % (sw / 2)), static_cast<int>(rng() % (sh / 2)),
                     static_cast<int>(rng() % (sw / 2)), static_cast<int>(rng() % (sh / 2))};
    const TacEdges in{static_cast<int>(rng() % 20), static_cast<int>(rng() % 20), static_cast<int>(rng() % 20),
                      static_cast<int>(rng() % 20)};
    const TacEdges modes{static_cast<int>(rng() % 3), static_cast<int>(rng() % 3), static_cast<int>(rng() % 3),
                         static_cast<int>(rng() % 3)};
    const int w = 1 + static_cast<int>(rng() % 80), h = 1 + static_cast<int>(rng() % 60);
    TestBitmap b(w, h, rng() % 2 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit, rng() % 2 != 0);
    b.Fill(kSentinel, 0);
    DrawNinePartImage(b.get(), src.get(), {0, 0, w, h}, {0, 0, sw, sh}, m, in, modes, static_cast<int>(rng() % 3),
                      rng() % 2 != 0);
    ASSERT_TRUE(b.GuardsIntact()) << round;
    paintfix::Dump(b.get(), "ninepart_" + std::to_string(round));
    sum = paintfix::Checksum(b.get(), sum);
  }
  EXPECT_EQ(sum, 17060626356907631025ull);
}
