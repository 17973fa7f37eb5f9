// A button's image and region from its border mask: the region loses exactly
// the key-coloured corner pixels, which leave the image unchanged.
#include "paint/sMaskToBitmap.h"

#include <gtest/gtest.h>

#include <random>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"
#include "paint/acPixelOps.h"
#include "paint/sBorderMask.h"

using paintfix::Bitmap24;
using paintfix::MasterModel;

namespace {
constexpr uint32_t kSentinel = 0x5A5A5A;
}

TEST(DrawMaskToBitmap, FuchsiaCornersStayAndLeaveTheRegion) {
  // One 12 x 12 frame, margins 4; the three pixels nearest each corner are key.
  MasterModel mm(Bitmap24(12, 12, [](int x, int y) {
    const int dx = std::min(x, 11 - x), dy = std::min(y, 11 - y);
    return dx + dy < 2 ? TransparentKey : 0x00C000u;
  }));
  const TsMaskData m = mm.Mask({0, 0, 12, 12}, 1, 0, 4, 4, 4, 4, 4);
  TestBitmap b(30, 20, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  TacRegion region(TacRect{0, 0, 30, 20});
  DrawMaskToBitmap(b.get(), &region, true, 0, m);
  EXPECT_EQ(region.Area(), 30 * 20 - 4 * 3);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {29, 0}, {28, 0}, {29, 19}, {0, 19}, {0, 18}}) {
    EXPECT_EQ(b.Rgb(x, y), kSentinel) << x << "," << y;
    EXPECT_FALSE(region.Contains(x, y)) << x << "," << y;
  }
  EXPECT_EQ(b.Rgb(1, 1), 0x00C000u);
  EXPECT_TRUE(region.Contains(1, 1));
  EXPECT_EQ(b.Rgb(15, 10), 0x00C000u);  // the centre
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(DrawMaskToBitmap, MaskedCornersBlendSidesBlendEvenKeyPixels) {
  // MaskType 1: colour red 200 over mask red 128 (key pixel at the frame's top-left
  // and one in the top side); target red 100.
  MasterModel mm(Bitmap24(12, 24, [](int x, int y) -> uint32_t {
    if (y >= 12) return 128u;
    return (x == 0 && y == 0) || (x == 6 && y == 0) ? TransparentKey : 200u;
  }));
  const TsMaskData m = mm.Mask({0, 0, 12, 24}, 1, 1, 0, 4, 4, 4, 4);
  TestBitmap b(12, 12, TacPixelFormat::pf24bit);
  b.Fill(100);
  TacRegion region(TacRect{0, 0, 12, 12});
  DrawMaskToBitmap(b.get(), &region, false, 0, m);
  EXPECT_EQ(b.Rgb(0, 0), 100u);                          // corner key: unchanged
  EXPECT_EQ(b.Rgb(1, 0) & 0xFF, 150u);                   // ((100 - 200) * 128 + 200 * 256) shr 8
  EXPECT_EQ(b.Rgb(6, 0) & 0xFF, ((100u - 0xFF) * 128 + 0xFF * 256) >> 8 & 0xFF);  // side key pixel blended
  EXPECT_FALSE(region.Contains(0, 0));
  EXPECT_TRUE(region.Contains(6, 0));  // only corners cut the region
}

TEST(DrawMaskToBitmap, OwnImageWithoutFramesIsOneFrame) {
  TsSkinModel model;
  model.MasterBitmap = NewMemoryBitmap(0, 0, TacPixelFormat::pf24bit);
  TsMaskData m;
  m.Bmp = Bitmap24(9, 9, [](int x, int y) { return x == 0 && y == 0 ? TransparentKey : 0x0000FFu; });
  m.ImageCount = 0;
  m.WL = m.WT = m.WR = m.WB = 3;
  m.Manager = &model;
  TestBitmap b(20, 20, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  TacRegion region(TacRect{0, 0, 20, 20});
  DrawMaskToBitmap(b.get(), &region, false, 2, m);
  EXPECT_EQ(b.Rgb(5, 0), 0x0000FFu);
  EXPECT_EQ(b.Rgb(0, 0), kSentinel);
  EXPECT_EQ(region.Area(), 399);
  DrawMaskToBitmap(b.get(), nullptr, false, 0, m);  // no region: the image alone
}

// Random masks and sizes: the region is the whole bitmap less exactly the
// corner pixels whose mask pixel is key-coloured, and those pixels keep the
// bitmap's old colour. The output has a fixed checksum.
TEST(DrawMaskToBitmapRandom, RegionRunsAgreeWithKeyedCornerPixels) {
  std::mt19937 rng(4242);
  uint64_t sum = 1469598103934665603ull;
  for (int round = 0; round < 100; ++round) {
    const int frames = 1 + static_cast<int>(rng() % 3), maskType = static_cast<int>(rng() % 2);
    const int fw = 6 + static_cast<int>(rng() % 12), fh = 6 + static_cast<int>(rng() % 12);
    const uint32_t base = rng() & 0xFFFFFF;
    MasterModel mm(Bitmap24(fw * frames, fh * (maskType + 1), [&](int x, int y) -> uint32_t {
      if (y >= fh) return static_cast<uint32_t>(rng() & 0xFF) * 0x010101u;
      const int fx = x % fw, fy = y % fh;
      const int dx = std::min(fx, fw - 1 - fx), dy = std::min(fy, fh - 1 - fy);
      // Key pixels near the corners, ragged, and some holes inside corners.
      if (dx + dy < 2 || (dx < 3 && dy < 3 && rng() % 4 == 0)) return TransparentKey;
      return (base + static_cast<uint32_t>(fx * 8 + fy * 0x800)) & 0xFFFFFF;
    }));
    const TsMaskData m = mm.Mask({0, 0, fw * frames, fh * (maskType + 1)}, frames, maskType,
                                 static_cast<int>(rng() % 8), 3, 3, 3, 3);
    const int w = 2 + static_cast<int>(rng() % 50), h = 2 + static_cast<int>(rng() % 40);
    const int state = static_cast<int>(rng() % 4);
    TestBitmap b(w, h, TacPixelFormat::pf24bit, rng() % 2 != 0);
    b.Fill(kSentinel);
    TacRegion region(TacRect{0, 0, w, h});
    DrawMaskToBitmap(b.get(), &region, rng() % 2 != 0, state, m);
    ASSERT_TRUE(b.GuardsIntact()) << round;

    TacBorderLayout l;
    ASSERT_TRUE(ComputeBorderLayout(m, TacRect{0, 0, w, h}, state, l));
    int64_t keyed = 0;
    for (TacBorderPiece piece : {TacBorderPiece::TopLeft, TacBorderPiece::TopRight, TacBorderPiece::BottomLeft,
                                 TacBorderPiece::BottomRight}) {
      const TacPiecePlace p = BorderPiecePlace(l, piece);
      for (int y = p.Target.Top; y < p.Target.Bottom; ++y)
        for (int x = p.Target.Left; x < p.Target.Right; ++x) {
          const bool key = IsKeyPixel(mm.Model.MasterBitmap->Pixel(p.Source.Left + x - p.Target.Left,
                                                                   p.Source.Top + y - p.Target.Top));
          keyed += key;
          ASSERT_EQ(region.Contains(x, y), !key) << round << " at " << x << "," << y;
          if (key) ASSERT_EQ(b.Rgb(x, y), kSentinel) << round;
        }
    }
    ASSERT_EQ(region.Area(), static_cast<int64_t>(w) * h - keyed) << round;
    sum = paintfix::Checksum(b.get(), sum);
    paintfix::Dump(b.get(), "masktobitmap_" + std::to_string(round));
  }
  EXPECT_EQ(sum, 16611029979372626311ull);
}
