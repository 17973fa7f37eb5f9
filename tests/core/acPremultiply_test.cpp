#include "paint/acPremultiply.h"

#include <gtest/gtest.h>

#include "PixelTestBitmaps.h"

TEST(PremultiplyAlpha, ScalesColourByAlpha) {
  struct Case { uint32_t rgb; uint8_t alpha; uint32_t expected; };
  const Case cases[] = {
      {0xFFFFFF, 255, 0xFFFFFF}, {0xFFFFFF, 0, 0x000000}, {0xFFFFFF, 128, 0x808080},
      {0x402010, 128, 0x201008},  // 16 * 128 / 255 = 8.03
      {0x0000FF, 1, 0x000001},    // 255 / 255
      {0x000080, 1, 0x000001},    // 128 / 255 rounds to 1
      {0x00007F, 1, 0x000000},
  };
  TestBitmap b(7, 1, TacPixelFormat::pf32bit, true);
  for (int i = 0; i < 7; ++i) b.Set(i, 0, cases[i].rgb, cases[i].alpha);
  PremultiplyAlpha(b.get());
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(b.Rgb(i, 0), cases[i].expected) << i;
    EXPECT_EQ(b.Alpha(i, 0), cases[i].alpha) << i;
  }
  EXPECT_TRUE(b.GuardsIntact());

  TestBitmap rgb(2, 1, TacPixelFormat::pf24bit);
  rgb.Fill(0x123456);
  PremultiplyAlpha(rgb.get());  // no alpha: untouched
  EXPECT_EQ(rgb.Rgb(1, 0), 0x123456u);
  PremultiplyAlpha(nullptr);
}
