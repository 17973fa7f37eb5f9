// Corner fill-in from a background, by key-coloured target pixels or by the
// key-coloured pixels of a mask's corner.
#include "paint/sKeyedCorner.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"
#include "paint/acColors.h"

using paintfix::Bitmap24;
using paintfix::MasterModel;

namespace {
uint32_t Ramp(int x, int y) { return static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y); }
}

TEST(FillKeyedCorner, WithoutMaskKeyColouredTargetPixelsTakeTheSource) {
  TestBitmap t(6, 6, TacPixelFormat::pf32bit);
  t.Fill(0x111111, 5);
  t.Set(2, 3, TransparentKey, 0);
  t.Set(5, 5, TransparentKey, 0);  // outside the source's reach
  TestBitmap s(4, 4, TacPixelFormat::pf32bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) s.Set(x, y, Ramp(x, y), 77);
  FillKeyedCorner(t.get(), s.get(), {1, 1, 6, 6}, ccTopLeft, nullptr, -1, {1, 1});
  EXPECT_EQ(t.Rgb(2, 3), Ramp(2, 3));  // offset (1, 2) from the corner, source (1 + 1, 1 + 2)
  EXPECT_EQ(t.Alpha(2, 3), 77);
  EXPECT_EQ(t.Rgb(5, 5), TransparentKey);
  EXPECT_EQ(t.Rgb(1, 1), 0x111111u);
  EXPECT_TRUE(t.GuardsIntact());
}

TEST(FillKeyedCorner, MaskCornerChoosesThePixels) {
  // One 10 x 10 frame, WR = WB = 3: its bottom-right corner starts at (7, 7);
  // there the pixel (8, 9) is key.
  MasterModel mm(Bitmap24(10, 10, [](int x, int y) { return x == 8 && y == 9 ? TransparentKey : 0x00FF00u; }));
  mm.Model.Masks.push_back(mm.Mask({0, 0, 10, 10}, 1, 0, 0, 3, 3, 3, 3));
  TestBitmap t(3, 3, TacPixelFormat::pf24bit);
  t.Fill(0x111111);
  TacBitmapPtr s = Bitmap24(3, 3, Ramp);
  FillKeyedCorner(t.get(), s.get(), {0, 0, 3, 3}, ccBottomRight, &mm.Model, 0, {0, 0});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(t.Rgb(x, y), x == 1 && y == 2 ? Ramp(1, 2) : 0x111111u) << x << "," << y;
  // An unknown code tests the top-left corner, which has no key pixel.
  t.Fill(0x111111);
  FillKeyedCorner(t.get(), s.get(), {0, 0, 3, 3}, 99, &mm.Model, 0, {0, 0});
  EXPECT_EQ(t.Rgb(1, 2), 0x111111u);
  FillKeyedCorner(t.get(), s.get(), {0, 0, 3, 3}, ccBottomRight, &mm.Model, 4, {0, 0});  // no such mask
  EXPECT_EQ(t.Rgb(1, 2), 0x111111u);
}
