// Item painting onto a device context: the item lands at its rectangle, the
// DC's state survives, and both row orders of a bitmap copy the same.
#include "paint/acGdiHandles.h"
#include "paint/sItemPaintGdi.h"

#include <gtest/gtest.h>

#include <memory>

#include "../core/SkinFixtures.h"
#include "paint/acDibBitmap.h"
#include "paint/sGraphUtils.h"

namespace {

uint32_t DibRgb(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

// A memory DC on a 24-bit DIB section, white.
class DcTarget : public ::testing::Test {
 protected:
  void SetUp() override {
    dib_ = NewDibBitmap(16, 12, TacPixelFormat::pf24bit);
    ASSERT_TRUE(dib_);
    mem_ = std::make_unique<TacMemoryDC>(nullptr);
    picture_ = std::make_unique<TacSelectObject>(mem_->Get(), static_cast<HBITMAP>(dib_->Handle()));
    dc_ = mem_->Get();
    FillSolidRect(dib_.get(), TacRect{0, 0, 16, 12}, 0xFFFFFF);
  }
  TacBitmapPtr dib_;
  std::unique_ptr<TacMemoryDC> mem_;
  std::unique_ptr<TacSelectObject> picture_;
  HDC dc_ = nullptr;
};

}  // namespace

TEST_F(DcTarget, PaintItemToDCPaintsAtTheRectangleAndKeepsTheDcState) {
  skinfix::PackedSkin skin;
  skin.Load("[GLOBALINFO]\n[ITEM]\nCOLOR=255\nGRADIENTDATA=255;16711680;100;0;0\nGRADIENTPERCENT=100\n");
  const int section = skin.Model.GetSkinIndex("ITEM");
  {
    TacSelectObject gray(dc_, GetStockObject(GRAY_BRUSH));
    PaintItemToDC(section, "ITEM", EmptyParentImage, &skin.Model, dc_, {0, 0}, {3, 2, 13, 10}, 0, true);
    GdiFlush();
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), GetStockObject(GRAY_BRUSH));
  }
  EXPECT_EQ(DibRgb(*dib_, 2, 2), 0xFFFFFFu);
  EXPECT_EQ(DibRgb(*dib_, 3, 2), 0x0000FFu);   // top row: the gradient's first colour
  EXPECT_EQ(DibRgb(*dib_, 12, 9), 0xFF0000u);  // bottom row: its second colour
  EXPECT_EQ(DibRgb(*dib_, 13, 9), 0xFFFFFFu);
  // A rectangle starting left of the surface paints nothing.
  PaintItemToDC(section, "ITEM", EmptyParentImage, &skin.Model, dc_, {0, 0}, {-1, 0, 4, 4}, 0, true);
  GdiFlush();
  EXPECT_EQ(DibRgb(*dib_, 0, 0), 0xFFFFFFu);
}

TEST_F(DcTarget, CopyBitmapToDcReadsBothRowOrders) {
  TacBitmapPtr topDown = NewMemoryBitmap(4, 3, TacPixelFormat::pf24bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) FillSolidRect(topDown.get(), TacRect{x, y, x + 1, y + 1}, 0x000010u * (x + 4 * y));
  CopyBitmapToDC(dc_, 5, 6, *topDown, TacRect{1, 1, 4, 3});
  GdiFlush();
  EXPECT_EQ(DibRgb(*dib_, 5, 6), 0x000010u * 5);
  EXPECT_EQ(DibRgb(*dib_, 7, 7), 0x000010u * 11);
  EXPECT_EQ(DibRgb(*dib_, 8, 7), 0xFFFFFFu);
  // A bottom-up DIB section copies the same pixels.
  TacBitmapPtr dib2 = NewDibBitmap(4, 3, TacPixelFormat::pf32bit);
  ASSERT_TRUE(dib2);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) FillSolidRect(dib2.get(), TacRect{x, y, x + 1, y + 1}, 0x100000u * (x + 4 * y));
  CopyBitmapToDC(dc_, 0, 0, *dib2, TacRect{0, 0, 4, 3});
  GdiFlush();
  EXPECT_EQ(DibRgb(*dib_, 3, 2), 0x100000u * 11);
  EXPECT_EQ(DibRgb(*dib_, 0, 1), 0x100000u * 4);
}
