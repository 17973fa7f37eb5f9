#include "paint/acBitmap.h"

#include <gtest/gtest.h>

TEST(Bitmap, RowsArePaddedToFourBytesAndAddressedByStep) {
  struct Case { int w; TacPixelFormat f; ptrdiff_t step; };
  const Case cases[] = {{1, TacPixelFormat::pf24bit, 4}, {3, TacPixelFormat::pf24bit, 12},
                        {5, TacPixelFormat::pf24bit, 16}, {5, TacPixelFormat::pf32bit, 20}};
  for (const Case& c : cases) {
    TacBitmapPtr bmp = NewMemoryBitmap(c.w, 3, c.f);
    EXPECT_EQ(bmp->RowStep(), c.step) << c.w;
    EXPECT_EQ(bmp->Row(2) - bmp->Row(0), 2 * c.step);
    EXPECT_EQ(bmp->Pixel(1, 1) - bmp->Row(1), bmp->BytesPerPixel());
  }
}

TEST(Bitmap, NegativeSizesGiveAnEmptyBitmap) {
  TacBitmapPtr bmp = NewBitmap24(-4, -1);
  EXPECT_EQ(bmp->Width(), 0);
  EXPECT_EQ(bmp->Height(), 0);
}
