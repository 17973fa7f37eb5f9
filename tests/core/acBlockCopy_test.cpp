// Block copies and tiling: clipping, format changes, overlap within one bitmap,
// and one-pass tiling equal to copying block by block.
#include "paint/acBlockCopy.h"

#include <gtest/gtest.h>

#include <random>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"

using paintfix::Bitmap24;

namespace {
uint32_t Cell(int x, int y) { return static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 | 0x800000u; }
}

TEST(CopyBitmapRect, ClipsBothRectanglesTogetherAndSetsAlpha) {
  TacBitmapPtr src = Bitmap24(5, 5, Cell);
  TestBitmap b(4, 4, TacPixelFormat::pf32bit, true);
  b.Fill(0, 0);
  CopyBitmapRect(b.get(), -1, 2, src.get(), {-1, 0, 5, 5});
  // Target x -1 and source x -1 both cut: target (0, 2) takes source (0, 0).
  EXPECT_EQ(b.Rgb(0, 2), Cell(0, 0));
  EXPECT_EQ(b.Rgb(3, 3), Cell(3, 1));
  EXPECT_EQ(b.Alpha(3, 3), 255);
  EXPECT_EQ(b.Rgb(0, 1), 0u);
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(CopyBitmapRect, OverlappingCopyWithinOneBitmapReadsTheOldRows) {
  TestBitmap b(3, 5, TacPixelFormat::pf24bit);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 3; ++x) b.Set(x, y, Cell(x, y));
  CopyBitmapRect(b.get(), 0, 1, b.get(), {0, 0, 3, 4});
  for (int y = 1; y < 5; ++y) EXPECT_EQ(b.Rgb(2, y), Cell(2, y - 1)) << y;
}

TEST(TileBitmapRect, EqualsBlockByBlockCopiesAlsoForBlocksLeavingTheSource) {
  std::mt19937 rng(12);
  TacBitmapPtr src = Bitmap24(9, 7, Cell);
  for (int round = 0; round < 200; ++round) {
    const TacRect block{static_cast<int>(rng() % 12) - 2, static_cast<int>(rng() % 10) - 2, 0, 0};
    const TacRect blk{block.Left, block.Top, block.Left + 1 + static_cast<int>(rng() % 6),
                      block.Top + 1 + static_cast<int>(rng() % 6)};
    const TacRect target{static_cast<int>(rng() % 10) - 3, static_cast<int>(rng() % 10) - 3, 0, 0};
    const TacRect tgt{target.Left, target.Top, target.Left + static_cast<int>(rng() % 25),
                      target.Top + static_cast<int>(rng() % 20)};
    const TacPixelFormat f = rng() % 2 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit;
    TestBitmap one(20, 16, f), many(20, 16, f);
    one.Fill(0x5A5A5A, 1);
    many.Fill(0x5A5A5A, 1);
    TileBitmapRect(one.get(), tgt, src.get(), blk);
    for (int x = tgt.Left; x < tgt.Right; x += blk.Width())
      for (int y = tgt.Top; y < tgt.Bottom; y += blk.Height())
        CopyBitmapRect(many.get(), x, y, src.get(),
                       {blk.Left, blk.Top, blk.Left + std::min(blk.Width(), tgt.Right - x),
                        blk.Top + std::min(blk.Height(), tgt.Bottom - y)});
    ASSERT_EQ(one.Snapshot(), many.Snapshot()) << round;
  }
}
