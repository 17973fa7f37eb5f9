// Nine-part borders: margin shrinking, frame choice, piece placement, tiling
// with cut last blocks, stretching, masked pieces, and random masks in guarded
// bitmaps with a checksum of the output.
#include "paint/sBorderMask.h"

#include <gtest/gtest.h>

#include <random>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"

using paintfix::Bitmap24;
using paintfix::MasterModel;

namespace {

constexpr uint32_t kSentinel = 0x5A5A5A;

// Frame k of a mask is filled with FrameColour(k, x, y): unique per frame and place.
uint32_t FramePixel(int frame, int x, int y) {
  return static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(0x40 + frame) << 16;
}

}  // namespace

TEST(ShrinkMargins, ExcessIsSharedAndOddSizesTakeOneFromTheFarMargin) {
  struct Case {
    int size, a, b, wantA, wantB;
  } cases[] = {
      {10, 8, 8, 5, 5},  // d = 3, even
      {11, 8, 8, 6, 5},  // d = 2, odd
      {16, 8, 8, 8, 8},  // fits
      {9, 8, 8, 5, 4},
      {3, 8, 8, 2, 1},
      {2, 5, 0, 2, 0},   // unequal margins never exceed the size
      {0, 4, 4, 0, 0},
  };
  for (const Case& c : cases) {
    int a = c.a, b = c.b;
    ShrinkMargins(c.size, a, b);
    EXPECT_EQ(a, c.wantA) << c.size << " " << c.a << "," << c.b;
    EXPECT_EQ(b, c.wantB) << c.size << " " << c.a << "," << c.b;
  }
}

// Three frames of 20 x 20 side by side; margins 8 all round.
class BorderMask : public ::testing::Test {
 protected:
  BorderMask() : mm(Bitmap24(60, 20, [](int x, int y) { return FramePixel(x / 20, x % 20, y); })) {}
  TsMaskData Mask(int drawMode) { return mm.Mask({0, 0, 60, 20}, 3, 0, drawMode, 8, 8, 8, 8); }
  MasterModel mm;
};

TEST_F(BorderMask, NarrowTargetsShrinkTheMarginsAndDrawNoMiddle) {
  for (int width : {10, 11}) {
    TestBitmap b(width, 20, TacPixelFormat::pf24bit);
    b.Fill(kSentinel);
    DrawBorderMask(b.get(), {0, 0, width, 20}, false, false, 0, Mask(0), EmptyParentImage);
    const int wl = width == 10 ? 5 : 6, wr = 5;
    for (int x = 0; x < width; ++x) {
      // Left edge from the frame's first wl columns, right edge from its last wr ones.
      const int srcX = x < wl ? x : 20 - wr + (x - wl);
      EXPECT_EQ(b.Rgb(x, 0), FramePixel(0, srcX, 0)) << width << " " << x;
    }
  }
}

TEST_F(BorderMask, StateIsLoweredToTheLastFrame) {
  for (int state : {0, 1, 2, 5, -1}) {
    TestBitmap b(30, 30, TacPixelFormat::pf24bit);
    DrawBorderMask(b.get(), {0, 0, 30, 30}, false, false, state, Mask(0), EmptyParentImage);
    const int frame = state < 0 ? 0 : std::min(state, 2);
    EXPECT_EQ(b.Rgb(0, 0), FramePixel(frame, 0, 0)) << state;
    EXPECT_EQ(b.Rgb(29, 29), FramePixel(frame, 19, 19)) << state;
  }
}

TEST_F(BorderMask, PiecesTileFromTheirCornersAndCutTheLastBlock) {
  // Width 30: middle source 4 columns, target middle 14 = 4 + 4 + 4 + 2.
  TestBitmap b(30, 27, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  DrawBorderMask(b.get(), {0, 0, 30, 27}, true, false, 1, Mask(4), EmptyParentImage);
  for (int y = 0; y < 27; ++y)
    for (int x = 0; x < 30; ++x) {
      const int sx = x < 8 ? x : x >= 22 ? 12 + (x - 22) : 8 + (x - 8) % 4;
      const int sy = y < 8 ? y : y >= 19 ? 12 + (y - 19) : 8 + (y - 8) % 4;
      ASSERT_EQ(b.Rgb(x, y), FramePixel(1, sx, sy)) << x << "," << y;
    }
  // Without bit 4 (or without fill centre) the centre stays.
  b.Fill(kSentinel);
  DrawBorderMask(b.get(), {0, 0, 30, 27}, true, false, 1, Mask(0), EmptyParentImage);
  EXPECT_EQ(b.Rgb(15, 13), kSentinel);
  DrawBorderMask(b.get(), {0, 0, 30, 27}, false, false, 1, Mask(4), EmptyParentImage);
  EXPECT_EQ(b.Rgb(15, 13), kSentinel);
}

TEST_F(BorderMask, DrawModeSevenSkipsStateZeroAndStretchesOtherwise) {
  TestBitmap b(40, 40, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  DrawBorderMask(b.get(), {0, 0, 40, 40}, true, false, 0, Mask(7), EmptyParentImage);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(b.Rgb(x, y), kSentinel);
  // A flat middle: stretched (halftone) it stays exactly flat.
  MasterModel flat(Bitmap24(60, 20, [](int x, int y) {
    const bool mid = x % 20 >= 8 && x % 20 < 12 && y >= 8 && y < 12;
    return mid ? 0x112233u : FramePixel(x / 20, x % 20, y);
  }));
  DrawBorderMask(b.get(), {0, 0, 40, 40}, true, false, 1, flat.Mask({0, 0, 60, 20}, 3, 0, 7, 8, 8, 8, 8),
                 EmptyParentImage);
  EXPECT_EQ(b.Rgb(20, 20), 0x112233u);
  EXPECT_EQ(b.Rgb(0, 0), FramePixel(1, 0, 0));
  // A side stretched over 24 rows from its 4 source rows: row 8 + 6k shows source
  // row 8 + k exactly (each target row covers 1/6 of one source row).
  EXPECT_EQ(b.Rgb(0, 8), FramePixel(1, 0, 8));
  EXPECT_EQ(b.Rgb(0, 14), FramePixel(1, 0, 9));
  EXPECT_EQ(b.Rgb(39, 31 - 0), FramePixel(1, 19, 11));
}

TEST_F(BorderMask, KeyedCornerPixelsShowTheParentOrStay) {
  MasterModel keyed(Bitmap24(20, 20, [](int x, int y) { return x + y < 3 ? TransparentKey : 0x00FF00u; }));
  const TsMaskData m = keyed.Mask({0, 0, 20, 20}, 1, 0, 0, 6, 6, 6, 6);
  TacBitmapPtr parent = Bitmap24(50, 50, [](int x, int y) { return static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y); });
  TestBitmap b(20, 20, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  DrawBorderMask(b.get(), {0, 0, 20, 20}, false, true, 0, m, ParentImageFromBitmap(parent.get(), 7, 9));
  EXPECT_EQ(b.Rgb(0, 0), 7u << 16 | 9u);
  EXPECT_EQ(b.Rgb(2, 0), 9u << 16 | 9u);
  EXPECT_EQ(b.Rgb(3, 0), 0x00FF00u);
  b.Fill(kSentinel);
  DrawBorderMask(b.get(), {0, 0, 20, 20}, false, false, 0, m, ParentImageFromBitmap(parent.get(), 7, 9));
  EXPECT_EQ(b.Rgb(0, 0), kSentinel);
  // No image: the parent's fill colour.
  DrawBorderMask(b.get(), {0, 0, 20, 20}, false, true, 0, m, ParentImageFromColor(0x0000FF));
  EXPECT_EQ(b.Rgb(1, 1), 0x0000FFu);
}

TEST_F(BorderMask, MaskedPiecesMixThroughTheMaskHalf) {
  // One frame 12 x 12 over its 12-row mask: colour red 200, mask red 0/128/255 by column third.
  MasterModel half(Bitmap24(12, 24, [](int x, int y) -> uint32_t {
    if (y < 12) return x == 0 && y == 0 ? TransparentKey : 200u;
    return x < 4 ? 0u : x < 8 ? 128u : 255u;
  }));
  const TsMaskData m = half.Mask({0, 0, 12, 24}, 1, 1, 0, 4, 4, 4, 4);
  TestBitmap b(12, 12, TacPixelFormat::pf32bit);
  b.Fill(100, 7);
  DrawBorderMask(b.get(), {0, 0, 12, 12}, false, true, 0, m, ParentImageFromColor(0x00FF00));
  EXPECT_EQ(b.Rgb(1, 0) & 0xFF, 200u);                             // M = 0
  EXPECT_EQ(b.Rgb(5, 0) & 0xFF, ((100u - 200u) * 128 + 200u * 256) >> 8);  // M = 128: 150
  EXPECT_EQ(b.Rgb(9, 0) & 0xFF, static_cast<uint32_t>(((100 - 200) * 255 + 200 * 256) >> 8));  // 100 (+0)
  EXPECT_EQ(b.Rgb(0, 0), 0x00FF00u);  // the key pixel takes the fill colour
  EXPECT_EQ(b.Alpha(0, 0), 255);
  EXPECT_EQ(b.Alpha(5, 0), 7);        // drawn without a parent image: alpha stays
}

TEST_F(BorderMask, NothingWithoutSkinFramesOrRoom) {
  TestBitmap b(20, 20, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  TsMaskData noSkin = Mask(0);
  noSkin.Manager = nullptr;
  DrawBorderMask(b.get(), {0, 0, 20, 20}, true, false, 1, noSkin, EmptyParentImage);
  TsMaskData noFrames = Mask(0);
  noFrames.ImageCount = 0;
  DrawBorderMask(b.get(), {0, 0, 20, 20}, true, false, 1, noFrames, EmptyParentImage);
  DrawBorderMask(b.get(), {0, 0, 1, 20}, true, false, 1, Mask(0), EmptyParentImage);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(b.Rgb(x, y), kSentinel);
}

// Random masks, states and rectangles, partly outside the bitmap: nothing is
// written outside the rectangle or the bitmap, and the output has a fixed checksum.
TEST(BorderMaskRandom, StaysInsideAndMatchesItsChecksum) {
  std::mt19937 rng(7771);
  uint64_t sum = 1469598103934665603ull;
  for (int round = 0; round < 120; ++round) {
    const int frames = 1 + static_cast<int>(rng() % 3), maskType = static_cast<int>(rng() % 2);
    const int fw = 8 + static_cast<int>(rng() % 14), fh = 8 + static_cast<int>(rng() % 14);
    // Each frame a framed box: a darker rim, a lighter inside, rounded key corners;
    // the mask half (if any) a ramp, so pictures of the output are readable.
    const uint32_t base = rng() & 0xFFFFFF, rim = base >> 1 & 0x7F7F7F;
    const int round_ = 1 + static_cast<int>(rng() % 3);
    MasterModel mm(Bitmap24(fw * frames + 3, fh * (maskType + 1) + 2, [&](int x, int y) -> uint32_t {
      const int fx = (x - 1) % fw, fy = (y - 1) % fh, frame = (x - 1) / fw;
      if (y - 1 >= fh) return static_cast<uint32_t>(fx * 255 / fw) * 0x010101u;  // mask half
      const int dx = std::min(fx, fw - 1 - fx), dy = std::min(fy, fh - 1 - fy);
      if (dx + dy < round_) return TransparentKey;
      if (dx == 0 || dy == 0) return rim;
      return (base + 0x202020u * static_cast<uint32_t>(frame) + static_cast<uint32_t>(fy * 4)) & 0xFFFFFF;
    }));
    // Margins hold the rounded corners (at least round_ + 1, at most half the frame).
    auto margin = [&](int f) { return round_ + 1 + static_cast<int>(rng() % (f / 2 - round_)); };
    const int wl = margin(fw), wr = margin(fw), wt = margin(fh), wb = margin(fh);
    const TsMaskData m = mm.Mask({1, 1, 1 + fw * frames, 1 + fh * (maskType + 1)}, frames, maskType,
                                 static_cast<int>(rng() % 8), wl, wt, wr, wb);
    const bool is32 = rng() % 2 != 0;
    const int w = 2 + static_cast<int>(rng() % 70), h = 2 + static_cast<int>(rng() % 50);
    TestBitmap b(w, h, is32 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit, rng() % 2 != 0);
    b.Fill(kSentinel, 9);
    TacRect r{static_cast<int>(rng() % (w / 4 + 4)) - 3, static_cast<int>(rng() % (h / 4 + 4)) - 3, 0, 0};
    r.Right = r.Left + static_cast<int>(rng() % (w + 6));
    r.Bottom = r.Top + static_cast<int>(rng() % (h + 6));
    TacBitmapPtr parent = Bitmap24(w + 10, h + 10, [](int x, int y) { return static_cast<uint32_t>(x * 5 + y * 300); });
    const TacParentImage pi = rng() % 2 ? ParentImageFromBitmap(parent.get(), 2, 3) : ParentImageFromColor(0x808000);
    DrawBorderMask(b.get(), r, rng() % 2 != 0, rng() % 2 != 0, static_cast<int>(rng() % 5), m, pi);
    ASSERT_TRUE(b.GuardsIntact()) << round;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) ASSERT_EQ(b.Rgb(x, y), kSentinel) << round;
    paintfix::Dump(b.get(), "border_random_" + std::to_string(round));
    sum = paintfix::Checksum(b.get(), sum);
  }
  EXPECT_EQ(sum, 3243792748038447972ull);
}
