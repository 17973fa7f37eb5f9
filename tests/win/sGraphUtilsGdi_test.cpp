#include "paint/sGraphUtilsGdi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "paint/acColors.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"

namespace {

// A memory DC drawing into a 24-bit DIB, with a known brush selected.
class DibCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    bmp_ = NewDibBitmap(6, 5, TacPixelFormat::pf24bit);
    ASSERT_TRUE(bmp_);
    mem_ = std::make_unique<TacMemoryDC>(nullptr);
    dc_ = mem_->Get();
    ASSERT_NE(dc_, nullptr);
    picture_ = std::make_unique<TacSelectObject>(dc_, static_cast<HBITMAP>(bmp_->Handle()));
    ownBrush_ = GetStockObject(GRAY_BRUSH);
    brush_ = std::make_unique<TacSelectObject>(dc_, ownBrush_);
    RECT all = {0, 0, 6, 5};
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FillRect(dc_, &all, white);
  }
  void TearDown() override {
    brush_.reset();
    picture_.reset();
    mem_.reset();
    SetSysColorSource(nullptr);
  }

  // '#' where the pixel has the colour, '.' elsewhere; read straight from the DIB rows.
  std::string Picture(uint32_t rgb) {
    GdiFlush();
    std::string out;
    for (int y = 0; y < bmp_->Height(); ++y) {
      for (int x = 0; x < bmp_->Width(); ++x) {
        const uint8_t* p = bmp_->Pixel(x, y);
        uint32_t v = p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
        out += v == rgb ? '#' : '.';
      }
      out += '\n';
    }
    return out;
  }

  TacBitmapPtr bmp_;
  std::unique_ptr<TacMemoryDC> mem_;
  std::unique_ptr<TacSelectObject> picture_;
  std::unique_ptr<TacSelectObject> brush_;
  HDC dc_ = nullptr;
  HGDIOBJ ownBrush_ = nullptr;
};

}  // namespace

TEST_F(DibCanvas, FillSolidRectPaintsTheRectangleAndKeepsTheBrush) {
  FillSolidRect(dc_, {1, 1, 4, 3}, 0x00302010u);
  EXPECT_EQ(Picture(0x00302010u), "......\n.###..\n.###..\n......\n......\n");
  EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), ownBrush_);
}

TEST_F(DibCanvas, FillSolidFrameFillsTheFourStrips) {
  FillSolidFrame(dc_, {0, 0, 6, 5}, 1, 2, 3, 1, 0x00102030u);
  EXPECT_EQ(Picture(0x00102030u), "######\n######\n#..###\n#..###\n######\n");
  EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), ownBrush_);
}

TEST_F(DibCanvas, SystemColoursResolveThroughGetSysColor) {
  InstallGdiColorSource();
  EXPECT_EQ(ColorToRGB(0xFF00000Fu), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(0x80000008u), GetSysColor(COLOR_WINDOWTEXT));
  FillSolidRect(dc_, {0, 0, 2, 2}, 0xFF00000Fu);
  EXPECT_EQ(Picture(GetSysColor(COLOR_BTNFACE)), "##....\n##....\n......\n......\n......\n");
}

// Counted through the object owners: every brush the fills make goes through them.
TEST_F(DibCanvas, RepeatedFillsLeaveNoGdiObjectsBehind) {
  const long before = GdiLiveCountAll();
  for (int i = 0; i < 200; ++i) {
    FillSolidRect(dc_, {0, 0, 3, 3}, static_cast<uint32_t>(i));
    FillSolidFrame(dc_, {0, 0, 6, 5}, 1, 1, 1, 1, static_cast<uint32_t>(i));
  }
  EXPECT_EQ(GdiLiveCountAll(), before);
  EXPECT_EQ(Picture(199), "######\n###..#\n###..#\n#....#\n######\n");  // the fills did happen
}
