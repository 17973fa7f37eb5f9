// Textures: every texture mode's drawing and returned rectangle, pattern
// tiling, and masked textures through their mask half.
#include "paint/sTexture.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"
#include "paint/sGraphUtils.h"

using paintfix::Bitmap24;
using paintfix::MasterModel;
using paintfix::Rgb;

namespace {

constexpr uint32_t kSentinel = 0x5A5A5A;

// Tile pixels are unique: red = column, green = row, blue 0x80.
uint32_t TilePixel(int x, int y) { return static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 | 0x800000u; }

bool Equal(const TacRect& a, const TacRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

}  // namespace

TEST(DrawTexture, EveryModeDrawsInsideItsRectangleAndReturnsWhatIsLeft) {
  // A 10 x 8 tile at (20, 4) of the master bitmap, its neighbourhood a sentinel.
  MasterModel mm(Bitmap24(40, 20, [](int x, int y) {
    return x >= 20 && x < 30 && y >= 4 && y < 12 ? TilePixel(x - 20, y - 4) : 0x0000FFu;
  }));
  const TacRect r{5, 5, 30, 30};  // 25 x 25
  struct Case {
    int mode;
    TacRect left;
    // Expected pixel (or kSentinel when untouched) at a target point.
    std::function<uint32_t(int, int)> expect;
  };
  auto tiled = [](int x, int y) { return TilePixel((x - 5) % 10, (y - 5) % 8); };
  const Case cases[] = {
      {0, NoRect, tiled},
      {2, {5, 13, 30, 30}, [&](int x, int y) { return y < 13 ? tiled(x, y) : kSentinel; }},
      {3, {15, 5, 30, 30}, [&](int x, int y) { return x < 15 ? tiled(x, y) : kSentinel; }},
      {6, {5, 5, 30, 22}, [&](int x, int y) { return y >= 22 ? TilePixel((x - 5) % 10, y - 22) : kSentinel; }},
      {7, {5, 5, 20, 30}, [&](int x, int y) { return x >= 20 ? TilePixel(x - 20, (y - 5) % 8) : kSentinel; }},
      // Whole tiles while row + 8 < 30: rows 5, 13, 21; rows 29.. stay.
      {10, NoRect, [&](int x, int y) { return y < 29 ? tiled(x, y) : kSentinel; }},
      {8, r, [](int, int) { return kSentinel; }},
      {14, r, [](int, int) { return kSentinel; }},
  };
  for (const Case& c : cases) {
    TestBitmap b(40, 40, TacPixelFormat::pf24bit);
    b.Fill(kSentinel);
    TacRect rest = r;
    DrawTexture(b.get(), rest, nullptr, c.mode, mm.Mask({20, 4, 30, 12}, 1, 0, c.mode, 0, 0, 0, 0));
    EXPECT_TRUE(Equal(rest, c.left)) << "mode " << c.mode << ": " << rest.Left << "," << rest.Top << ","
                                     << rest.Right << "," << rest.Bottom;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        ASSERT_EQ(b.Rgb(x, y), inside ? c.expect(x, y) : kSentinel) << "mode " << c.mode << " at " << x << "," << y;
      }
  }
}

TEST(DrawTexture, ModeTwoOnAHundredRowsLeavesTheRestBelowTheTileRow) {
  MasterModel mm(Bitmap24(10, 10, TilePixel));
  TestBitmap b(30, 100, TacPixelFormat::pf24bit);
  TacRect rest{0, 0, 30, 100};
  DrawTexture(b.get(), rest, nullptr, 2, mm.Mask({0, 0, 10, 10}, 1, 0, 2, 0, 0, 0, 0));
  EXPECT_TRUE(Equal(rest, TacRect{0, 10, 30, 100}));
}

TEST(DrawTexture, ModeTenOnTwentyFiveRowsLeavesRowsTwentyToTwentyFour) {
  MasterModel mm(Bitmap24(10, 10, TilePixel));
  TestBitmap b(25, 25, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  TacRect rest{0, 0, 25, 25};
  DrawTexture(b.get(), rest, nullptr, 10, mm.Mask({0, 0, 10, 10}, 1, 0, 10, 0, 0, 0, 0));
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 25; ++x)
      ASSERT_EQ(b.Rgb(x, y), y >= 20 ? kSentinel : TilePixel(x % 10, y % 10)) << x << "," << y;
}

TEST(DrawTexture, StretchModesReplicateTilePixels) {
  MasterModel mm(Bitmap24(4, 2, TilePixel));
  TestBitmap b(8, 8, TacPixelFormat::pf24bit);
  TacRect rest{0, 0, 8, 4};
  DrawTexture(b.get(), rest, nullptr, 1, mm.Mask({0, 0, 4, 2}, 1, 0, 1, 0, 0, 0, 0));
  EXPECT_TRUE(IsNoRect(rest));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(b.Rgb(x, y), TilePixel(x / 2, y / 2)) << x << "," << y;
  rest = TacRect{0, 0, 8, 8};
  DrawTexture(b.get(), rest, nullptr, 4, mm.Mask({0, 0, 4, 2}, 1, 0, 4, 0, 0, 0, 0));
  EXPECT_TRUE(Equal(rest, TacRect{0, 2, 8, 8}));
  EXPECT_EQ(b.Rgb(7, 1), TilePixel(3, 1));
  rest = TacRect{0, 0, 8, 8};
  DrawTexture(b.get(), rest, nullptr, 5, mm.Mask({0, 0, 4, 2}, 1, 0, 5, 0, 0, 0, 0));
  EXPECT_TRUE(Equal(rest, TacRect{4, 0, 8, 8}));
  EXPECT_EQ(b.Rgb(3, 7), TilePixel(3, 1));
}

TEST(DrawTexture, AnImageIsTiledWholeAndATextureWithoutSkinDrawsNothing) {
  TacBitmapPtr img = Bitmap24(3, 2, TilePixel);
  TestBitmap b(10, 10, TacPixelFormat::pf32bit);
  b.Fill(kSentinel, 0);
  TacRect rest{1, 1, 8, 6};
  DrawTexture(b.get(), rest, img.get(), 7, TsMaskData());
  EXPECT_TRUE(IsNoRect(rest));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 1 && x < 8 && y >= 1 && y < 6;
      ASSERT_EQ(b.Rgb(x, y), inside ? TilePixel((x - 1) % 3, (y - 1) % 2) : kSentinel) << x << "," << y;
      ASSERT_EQ(b.Alpha(x, y), inside ? 255 : 0);
    }
  rest = TacRect{1, 1, 8, 6};
  DrawTexture(b.get(), rest, nullptr, 0, TsMaskData());
  EXPECT_TRUE(Equal(rest, TacRect{1, 1, 8, 6}));
  EXPECT_TRUE(b.GuardsIntact());
}

// A masked texture: 2 frames of 4 x 3 colour rows over 3 mask rows.
class MaskedTexture : public ::testing::Test {
 protected:
  MaskedTexture()
      : mm(Bitmap24(8, 6, [](int x, int y) -> uint32_t {
          if (y < 3) return x == 1 && y == 1 ? TransparentKey : 0x402010u + static_cast<uint32_t>(x);
          return (y - 3) * 100;  // mask: red weight 0, 100, 200 by row
        })) {
    mask = mm.Mask({0, 0, 8, 6}, 2, 1, 0, 0, 0, 0, 0);
  }
  MasterModel mm;
  TsMaskData mask;
};

TEST_F(MaskedTexture, TileMixesThroughItsMaskAndKeyPixelsShowTheParent) {
  TestBitmap b(4, 3, TacPixelFormat::pf24bit);
  b.Fill(0x0000C8);  // red 200
  TacBitmapPtr parent = Bitmap24(10, 10, [](int x, int y) { return 0x010000u * static_cast<uint32_t>(x + 10 * y); });
  DrawMaskedTile({0, 0, 4, 3}, {0, 0, 4, 3}, b.get(), mask, ParentImageFromBitmap(parent.get(), 2, 3));
  // Row 2, column 0: S red 0x10, M red 200: ((200 - 16) * 200 + 16 * 256) shr 8 = 159.
  EXPECT_EQ(b.Rgb(0, 2) & 0xFF, 159u);
  // Row 0: M = 0 gives the tile's colour.
  EXPECT_EQ(b.Rgb(3, 0), 0x402013u);
  // The key pixel (1, 1) shows the parent at (1 + 2, 1 + 3).
  EXPECT_EQ(b.Rgb(1, 1), 0x010000u * 43);
  // Without an image and with the none colour the key pixel stays.
  b.Fill(0x0000C8);
  DrawMaskedTile({0, 0, 4, 3}, {0, 0, 4, 3}, b.get(), mask, ParentImageFromColor(TransparentKey));
  EXPECT_EQ(b.Rgb(1, 1), 0x0000C8u);
  DrawMaskedTile({0, 0, 4, 3}, {0, 0, 4, 3}, b.get(), mask, ParentImageFromColor(0x00FF00));
  EXPECT_EQ(b.Rgb(1, 1), 0x00FF00u);
}

TEST_F(MaskedTexture, ModeZeroLeavesTheStripBelowAndModeTenFillsItFromTheParent) {
  TacBitmapPtr parent = Bitmap24(20, 20, [](int, int) { return 0x00AA00u; });
  for (int mode : {0, 10}) {
    TestBitmap b(11, 8, TacPixelFormat::pf24bit);
    b.Fill(kSentinel);
    TacRect rest{0, 0, 11, 8};
    DrawMaskedTexture(b.get(), rest, ParentImageFromBitmap(parent.get(), 0, 0), mode, mask);
    EXPECT_TRUE(IsNoRect(rest));
    // Whole tiles at x = 0, 4 (while x < 11 - 4) and rows 0, 3 (while y < 8 - 3).
    EXPECT_EQ(b.Rgb(0, 0), 0x402010u) << mode;
    EXPECT_EQ(b.Rgb(4, 3), 0x402010u) << mode;
    // The cut column at 8..10: drawn in mode 0, parent in mode 10.
    EXPECT_EQ(b.Rgb(10, 0), mode == 0 ? 0x402012u : 0x00AA00u) << mode;
    // Rows 6 and 7 below the last tile row.
    EXPECT_EQ(b.Rgb(2, 6), mode == 0 ? kSentinel : 0x00AA00u) << mode;
    EXPECT_TRUE(b.GuardsIntact());
  }
  TacRect rest{0, 0, 11, 8};
  TestBitmap b(11, 8, TacPixelFormat::pf24bit);
  DrawMaskedTexture(b.get(), rest, EmptyParentImage, 3, mask);
  EXPECT_TRUE(Equal(rest, TacRect{0, 0, 11, 8}));
}
