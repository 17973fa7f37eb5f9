#include <windows.h>

#include <gtest/gtest.h>

#include "paint/acDibBitmap.h"

// GDI draws into the same pixels the painting core reads.
TEST(DibBitmap, GdiFillReachesTheRows) {
  TacBitmapPtr bmp = NewDibBitmap(7, 5, TacPixelFormat::pf24bit);
  ASSERT_TRUE(bmp);
  ASSERT_NE(bmp->Handle(), nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(bmp->Handle()));
  RECT r = {2, 1, 4, 3};
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  const uint8_t* p = bmp->Pixel(3, 2);
  EXPECT_EQ(p[0], 30);
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 10);
  EXPECT_EQ(bmp->Pixel(0, 0)[0], 0);
  EXPECT_EQ(bmp->RowStep(), 24);
}
