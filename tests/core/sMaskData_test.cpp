#include "skin/sMaskData.h"

#include <gtest/gtest.h>

TEST(MaskData, MarginRuleCutsFramesAndHalvesIntoThirds) {
  struct Case {
    TacRect r;
    int count, maskType;
    int wl, wt;
  };
  const Case cases[] = {
      {{0, 0, 90, 40}, 3, 1, 10, 6},   // 3 frames of 30, image half 20 high
      {{10, 5, 31, 17}, 1, 0, 7, 4},
      {{0, 0, 100, 10}, 4, 0, 8, 3},   // integer division
      {{0, 0, 2, 2}, 1, 0, 0, 0},
      {{0, 0, 90, 40}, 0, 1, 0, 6},    // no frames: no horizontal margins
      {{0, 0, 90, 40}, 3, -1, 10, 0},
  };
  for (const Case& c : cases) {
    TsMaskData m;
    m.R = c.r;
    m.ImageCount = static_cast<int16_t>(c.count);
    m.MaskType = static_cast<int16_t>(c.maskType);
    ComputeMaskMargins(m);
    EXPECT_EQ(m.WL, c.wl);
    EXPECT_EQ(m.WR, c.wl);
    EXPECT_EQ(m.WT, c.wt);
    EXPECT_EQ(m.WB, c.wt);
  }
}

TEST(MaskData, MeasuresFallBackFromMarginsToBorderWidthToFrame) {
  TsMaskData m;
  m.R = {0, 0, 90, 40};
  m.ImageCount = 3;
  m.MaskType = 1;
  EXPECT_EQ(MaskFrameWidth(m), 30);
  EXPECT_EQ(MaskFrameHeight(m), 20);
  EXPECT_EQ(MaskMarginLeft(m), 30);
  EXPECT_EQ(MaskMarginBottom(m), 20);
  m.BorderWidth = 2;
  EXPECT_EQ(MaskMarginRight(m), 2);
  EXPECT_EQ(MaskMarginTop(m), 2);
  m.WL = 5;
  m.WB = 6;
  EXPECT_EQ(MaskMarginLeft(m), 5);
  EXPECT_EQ(MaskMarginBottom(m), 6);
  EXPECT_EQ(MaskImageSize(m).Width, 30);
  EXPECT_EQ(MaskImageSize(m).Height, 20);

  TsMaskData none;
  none.R = {0, 0, 90, 40};
  none.MaskType = -1;
  EXPECT_EQ(MaskFrameWidth(none), 0);
  EXPECT_EQ(MaskFrameHeight(none), 0);
  EXPECT_EQ(MaskMarginLeft(none), 90);  // ImageCount 0 counts as 1

  TsMaskData own;
  own.Bmp = NewMemoryBitmap(31, 21, TacPixelFormat::pf24bit);
  EXPECT_EQ(MaskImageSize(own).Width, 10);
  EXPECT_EQ(MaskImageSize(own).Height, 10);
}
