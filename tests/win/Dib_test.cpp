#include <windows.h>

#include <gtest/gtest.h>

#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"

// GDI draws into the same pixels the painting core reads.
TEST(DibBitmap, GdiFillReachesTheRows) {
  TacBitmapPtr bmp = NewDibBitmap(7, 5, TacPixelFormat::pf24bit);
  ASSERT_TRUE(bmp);
  ASSERT_NE(bmp->Handle(), nullptr);
  {
    TacMemoryDC dc(nullptr);
    TacSelectObject picture(dc.Get(), static_cast<HBITMAP>(bmp->Handle()));
    RECT r = {2, 1, 4, 3};
    FillRect(dc.Get(), &r, NewSolidBrush(RGB(10, 20, 30)).Get());
    GdiFlush();
  }
  const uint8_t* p = bmp->Pixel(3, 2);
  EXPECT_EQ(p[0], 30);
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 10);
  EXPECT_EQ(bmp->Pixel(0, 0)[0], 0);
  EXPECT_EQ(bmp->RowStep(), 24);
}
