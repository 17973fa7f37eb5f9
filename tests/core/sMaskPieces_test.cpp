// Pieces of skin images copied through the key colour, a mask half or alpha.
#include "paint/sMaskPieces.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"

using paintfix::Bitmap24;
using paintfix::SetRgb;

namespace {
constexpr uint32_t kSentinel = 0x5A5A5A;
uint32_t Ramp(int x, int y) { return static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y); }
}  // namespace

TEST(CopyPieceKeyed, KeyPixelsByParentAndUseParent) {
  TacBitmapPtr src = Bitmap24(4, 1, [](int x, int) { return x == 1 ? TransparentKey : 0x0000F0u + x; });
  TacBitmapPtr parent = Bitmap24(10, 10, Ramp);
  TestBitmap other(6, 3, TacPixelFormat::pf32bit);
  struct Case {
    const char* what;
    bool usePar;
    TacParentImage pi;
    uint32_t keyPixel;
    uint8_t keyAlpha;
  } cases[] = {
      {"parent image", true, ParentImageFromBitmap(parent.get(), 3, 4), Ramp(2 + 3, 1 + 4), 255},
      {"image, no use", false, ParentImageFromBitmap(parent.get(), 3, 4), kSentinel, 9},
      {"outside image", true, ParentImageFromBitmap(parent.get(), 30, 4), kSentinel, 9},
      {"colour", true, ParentImageFromColor(0x00FF00), 0x00FF00, 255},
      {"colour, no use", false, ParentImageFromColor(0x00FF00), 0x00FF00, 255},
  };
  for (const Case& c : cases) {
    TestBitmap b(6, 3, TacPixelFormat::pf32bit);
    b.Fill(kSentinel, 9);
    CopyPieceKeyed(b.get(), src.get(), 1, 1, c.usePar, c.pi, TransparentKey, {0, 0, 3, 0});
    EXPECT_EQ(b.Rgb(2, 1), c.keyPixel) << c.what;
    EXPECT_EQ(b.Alpha(2, 1), c.keyAlpha) << c.what;
    EXPECT_EQ(b.Rgb(1, 1), 0x0000F0u) << c.what;
    EXPECT_EQ(b.Alpha(1, 1), 255) << c.what;  // 24-bit source: opaque
    EXPECT_EQ(b.Rgb(4, 1), 0x0000F3u) << c.what;
    EXPECT_EQ(b.Rgb(5, 1), kSentinel) << c.what;
  }
  // The parent image is the target itself: key pixels stay.
  other.Fill(kSentinel, 9);
  CopyPieceKeyed(other.get(), src.get(), 1, 1, true, ParentImageFromBitmap(other.get(), 0, 0), TransparentKey,
                 {0, 0, 3, 0});
  EXPECT_EQ(other.Rgb(2, 1), kSentinel);
}

TEST(CopyPieceKeyed, ThirtyTwoBitSourceKeyNeedsAlphaZeroAndGivesTransparentFill) {
  TestBitmap src(3, 1, TacPixelFormat::pf32bit);
  src.Set(0, 0, TransparentKey, 0);    // key
  src.Set(1, 0, TransparentKey, 200);  // not key: alpha differs
  src.Set(2, 0, 0x123456, 77);
  TestBitmap b(3, 1, TacPixelFormat::pf32bit);
  b.Fill(kSentinel, 9);
  CopyPieceKeyed(b.get(), src.get(), 0, 0, false, EmptyParentImage, TransparentKey, {0, 0, 2, 0});
  EXPECT_EQ(b.Rgb(0, 0), 0u);
  EXPECT_EQ(b.Alpha(0, 0), 0);  // transparent black for a glow over the empty parent
  EXPECT_EQ(b.Rgb(1, 0), TransparentKey);
  EXPECT_EQ(b.Alpha(1, 0), 200);
  EXPECT_EQ(b.Alpha(2, 0), 77);
}

TEST(CopyPieceKeyed, SourceRectangleIsClippedAndOutsidePixelsSkipped) {
  TacBitmapPtr src = Bitmap24(4, 4, Ramp);
  TestBitmap b(3, 3, TacPixelFormat::pf24bit, true);
  b.Fill(kSentinel);
  CopyPieceKeyed(b.get(), src.get(), -1, 1, false, EmptyParentImage, TransparentKey, {0, 0, 9, 9});
  EXPECT_EQ(b.Rgb(0, 1), Ramp(1, 0));
  EXPECT_EQ(b.Rgb(2, 2), Ramp(3, 1));
  EXPECT_EQ(b.Rgb(0, 0), kSentinel);
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(CopyKeyed, SkipsKeyColouredPixels) {
  TacBitmapPtr src = Bitmap24(3, 3, [](int x, int y) { return x == y ? 0x010203u : Ramp(x, y); });
  TestBitmap b(5, 5, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  CopyKeyed(b.get(), src.get(), 3, 3, 0x010203, {0, 0, 2, 2});
  EXPECT_EQ(b.Rgb(3, 3), kSentinel);
  EXPECT_EQ(b.Rgb(4, 3), Ramp(1, 0));
  EXPECT_EQ(b.Rgb(4, 4), kSentinel);
  EXPECT_TRUE(b.GuardsIntact());
  TestBitmap c(4, 4, TacPixelFormat::pf32bit);
  c.Fill(kSentinel, 0);
  CopyKeyedImage(c.get(), src.get(), -1, 2, 0x010203);
  EXPECT_EQ(c.Rgb(0, 2), Ramp(1, 0));
  EXPECT_EQ(c.Alpha(0, 2), 255);
  EXPECT_EQ(c.Rgb(0, 3), kSentinel);  // (1, 1) is the key
  EXPECT_TRUE(c.GuardsIntact());
}

TEST(CopyPieceMasked, TargetAndSourceMoveTogetherAndMaskRowsStayInside) {
  // Colour rows 0..2 (red 200), mask rows 3..5 (red 64).
  TacBitmapPtr src = Bitmap24(4, 6, [](int, int y) { return y < 3 ? 200u : 64u; });
  TsMaskData m;
  m.R = {0, 0, 4, 6};
  TestBitmap b(4, 4, TacPixelFormat::pf24bit);
  b.Fill(100);
  CopyPieceMasked({-1, 0, 3, 5}, {0, 0, 4, 5}, b.get(), m, false, EmptyParentImage, src.get());
  // (100 - 200) * 64 + 200 * 256 = 44800 shr 8 = 175; target column 0 takes source column 1.
  EXPECT_EQ(b.Rgb(0, 0) & 0xFF, 175u);
  EXPECT_EQ(b.Rgb(2, 2) & 0xFF, 175u);
  EXPECT_EQ(b.Rgb(3, 0) & 0xFF, 100u);  // beyond the 3 columns left after the move
  EXPECT_EQ(b.Rgb(0, 3) & 0xFF, 100u);  // no mask row for colour row 3
}

TEST(CopyImageRect, AlphaSourceMixesByAlpha) {
  TestBitmap src(2, 2, TacPixelFormat::pf32bit);
  src.Fill(200, 128);
  TestBitmap b(3, 3, TacPixelFormat::pf32bit);
  b.Fill(100, 5);
  CopyImageRect({1, 1, 3, 3}, {0, 0, 2, 2}, b.get(), false, EmptyParentImage, src.get());
  EXPECT_EQ(b.Rgb(1, 1), 150u);  // ((200 - 100) * 128 + 100 * 256) shr 8
  EXPECT_EQ(b.Alpha(1, 1), 255);
  EXPECT_EQ(b.Rgb(0, 0), 100u);
  EXPECT_EQ(b.Alpha(0, 0), 5);
}

TEST(CopyImageRect, KeyPixelsTakeTheParentOnlyWithAnImage) {
  TestBitmap src(3, 1, TacPixelFormat::pf32bit);
  src.Set(0, 0, TransparentKey, 255);
  src.Set(1, 0, 0x00FF00, 255);
  src.Set(2, 0, TransparentKey, 255);
  TacBitmapPtr parent = Bitmap24(4, 4, Ramp);
  TestBitmap b(3, 1, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  CopyImageRect({0, 0, 3, 1}, {0, 0, 3, 1}, b.get(), true, ParentImageFromBitmap(parent.get(), 2, 3), src.get());
  EXPECT_EQ(b.Rgb(0, 0), Ramp(2, 3));
  // Alpha 255: ((S - D) x 255 + D x 256) shr 8 = (255 S + D) shr 8, so 255 over 0x5A gives 254.
  EXPECT_EQ(b.Rgb(1, 0), 0x00FE00u);
  EXPECT_EQ(b.Rgb(2, 0), kSentinel);  // px = 4 lies past the image: the rest of the row stays
  b.Fill(kSentinel);
  CopyImageRect({0, 0, 3, 1}, {0, 0, 3, 1}, b.get(), false, ParentImageFromBitmap(parent.get(), 2, 3), src.get());
  EXPECT_EQ(b.Rgb(0, 0), kSentinel);
  // Without an image the key pixel is blended like any other.
  CopyImageRect({0, 0, 3, 1}, {0, 0, 3, 1}, b.get(), true, ParentImageFromColor(0), src.get());
  EXPECT_EQ(b.Rgb(0, 0), 0xFE00FEu);
}

TEST(CopyImageRect, TwentyFourBitSourceUsesItsLowerHalfAsMask) {
  TacBitmapPtr src = Bitmap24(2, 4, [](int, int y) { return y < 2 ? 200u : 64u; });
  TestBitmap b(2, 4, TacPixelFormat::pf24bit);
  b.Fill(100);
  CopyImageRect({0, 0, 2, 4}, {0, 0, 2, 4}, b.get(), false, EmptyParentImage, src.get());
  EXPECT_EQ(b.Rgb(0, 0) & 0xFF, 175u);
  EXPECT_EQ(b.Rgb(1, 1) & 0xFF, 175u);
  EXPECT_EQ(b.Rgb(0, 2) & 0xFF, 100u);  // only the colour half is drawn
}

TEST(TileMaskedPiece, EqualsBlockByBlockCopiesAndRefusesBlocksLeavingTheSource) {
  // Colour rows 0..3 over mask rows 4..7.
  TacBitmapPtr src = Bitmap24(6, 8, [](int x, int y) -> uint32_t {
    if (y < 4) return x == 2 && y == 1 ? TransparentKey : Ramp(x, y) | 0x30;
    return static_cast<uint32_t>(x * 40 + y * 5) * 0x010101u;
  });
  TsMaskData m;
  m.R = {0, 0, 6, 8};
  TacBitmapPtr parent = Bitmap24(30, 30, Ramp);
  const TacParentImage pi = ParentImageFromBitmap(parent.get(), 1, 2);
  const TacRect block{1, 0, 4, 3};
  for (const TacRect& target : {TacRect{-2, -1, 9, 8}, TacRect{0, 0, 10, 7}, TacRect{3, 2, 4, 3}}) {
    TestBitmap one(8, 6, TacPixelFormat::pf32bit), many(8, 6, TacPixelFormat::pf32bit);
    one.Fill(0x404040, 3);
    many.Fill(0x404040, 3);
    ASSERT_TRUE(TileMaskedPiece(target, block, one.get(), m, true, pi, src.get()));
    for (int x = target.Left; x < target.Right; x += block.Width())
      for (int y = target.Top; y < target.Bottom; y += block.Height())
        CopyPieceMasked({x, y, std::min(x + block.Width(), target.Right), std::min(y + block.Height(), target.Bottom)},
                        block, many.get(), m, true, pi, src.get());
    EXPECT_EQ(one.Snapshot(), many.Snapshot());
  }
  TestBitmap b(8, 6, TacPixelFormat::pf24bit);
  EXPECT_FALSE(TileMaskedPiece({0, 0, 8, 6}, {4, 0, 7, 3}, b.get(), m, false, EmptyParentImage, src.get()));
  EXPECT_FALSE(TileMaskedPiece({0, 0, 8, 6}, {0, 2, 3, 5}, b.get(), m, false, EmptyParentImage, src.get()));
}
