// Gradients: exact rows and columns of small fixtures, and whole random
// gradients in guarded bitmaps of both row orders.
#include "paint/sGradient.h"

#include <gtest/gtest.h>

#include <random>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"

using paintfix::Rgb;

namespace {

TsGradPiece Piece(uint32_t c1, uint32_t c2, int percent, int mode) {
  return TsGradPiece{c1, c2, static_cast<uint8_t>(percent), mode, 0};
}

}  // namespace

TEST(PaintGradient, VerticalPieceStepsRowByRowAndEndsOnItsSecondColour) {
  TestBitmap b(3, 11, TacPixelFormat::pf24bit);
  PaintGradient(b.get(), {0, 0, 3, 11}, {Piece(0x000000, 0x000064, 100, 0)});
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Rgb(x, y), static_cast<uint32_t>(10 * y)) << x << "," << y;
}

TEST(PaintGradient, LastVerticalPieceAlwaysReachesTheBottomRow) {
  // One piece of 50 %: still runs to the last row.
  TestBitmap one(2, 20, TacPixelFormat::pf24bit);
  PaintGradient(one.get(), {0, 0, 2, 20}, ParseGradientData("0;19;50;0;0"));
  EXPECT_EQ(one.Rgb(0, 0), 0u);
  EXPECT_EQ(one.Rgb(1, 19), 19u);
  // Two pieces of 30 % + 20 %: the second runs from row 6 to the bottom, no gap.
  TestBitmap two(2, 20, TacPixelFormat::pf24bit);
  two.Fill(0x123456);
  PaintGradient(two.get(), {0, 0, 2, 20}, ParseGradientData("0;6;30;0;0;100;113;20;0;0"));
  EXPECT_EQ(two.Rgb(0, 5), 5u);
  EXPECT_EQ(two.Rgb(0, 6), 100u);  // the next piece's first row wins
  EXPECT_EQ(two.Rgb(0, 19), 113u);
  for (int y = 0; y < 20; ++y) EXPECT_NE(two.Rgb(1, y), 0x123456u) << y;
}

TEST(PaintGradient, HorizontalPiecesAndRoundedBoundaries) {
  // Width 10: the first piece ends at round(40 * 0.1 + 0) = 4, the last at column 9.
  TestBitmap b(10, 3, TacPixelFormat::pf24bit);
  PaintGradient(b.get(), {0, 0, 10, 3}, ParseGradientData("0;40;40;1;0;200;250;60;0;0"));
  const uint32_t row[10] = {0, 10, 20, 30, 200, 210, 220, 230, 240, 250};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(b.Rgb(x, y), row[x]) << x << "," << y;
}

TEST(PaintGradient, FirstPieceModeSelectsTheGradient) {
  TestBitmap b(8, 8, TacPixelFormat::pf24bit);
  b.Fill(0x010203);
  // Mode 3 first: nothing, even with a mode 0 piece after it.
  PaintGradient(b.get(), {0, 0, 8, 8}, ParseGradientData("255;255;50;3;0;255;255;50;0;0"));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(b.Rgb(x, y), 0x010203u);
  PaintGradient(b.get(), {0, 0, 8, 8}, {});
  EXPECT_EQ(b.Rgb(4, 4), 0x010203u);
}

TEST(PaintGradient, ThirtyTwoBitPixelsBecomeOpaqueAndTheRectangleIsClipped) {
  TestBitmap b(6, 6, TacPixelFormat::pf32bit);
  for (const char* text : {"0;255;100;0;0", "0;255;100;1;0", "0;255;100;2;0"}) {
    b.Fill(0, 0);
    PaintGradient(b.get(), {-3, -3, 4, 40}, ParseGradientData(text));
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 6; ++x) EXPECT_EQ(b.Alpha(x, y), x < 4 ? 255 : 0) << text << " " << x << "," << y;
    EXPECT_TRUE(b.GuardsIntact());
  }
}

TEST(PaintGradient, OneRowOrColumnTakesTheFirstColour) {
  TestBitmap b(5, 1, TacPixelFormat::pf24bit);
  PaintGradient(b.get(), {0, 0, 5, 1}, ParseGradientData("77;200;100;0;0"));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(b.Rgb(x, 0), 77u);
  TestBitmap c(1, 5, TacPixelFormat::pf24bit);
  PaintGradient(c.get(), {0, 0, 1, 5}, ParseGradientData("77;200;100;1;0"));
  for (int y = 0; y < 5; ++y) EXPECT_EQ(c.Rgb(0, y), 77u);
}

TEST(PaintGradient, TrianglesTakeMissingVertexColoursFromThePreviousOne) {
  // Two pieces: the centre and the three other corners have piece 1's colour,
  // so the right and the bottom triangle are that colour throughout.
  TestBitmap b(41, 31, TacPixelFormat::pf24bit);
  PaintGradient(b.get(), {0, 0, 41, 31}, ParseGradientData("255;0;0;2;0;16711680;0;0;0;0"));
  const uint32_t blue = 0xFF0000;
  EXPECT_EQ(b.Rgb(20, 15), blue);
  EXPECT_EQ(b.Rgb(40, 30), blue);
  EXPECT_EQ(b.Rgb(40, 0), blue);
  EXPECT_EQ(b.Rgb(5, 30), blue);
  EXPECT_EQ(b.Rgb(30, 20), blue);
  // Toward the top-left corner red grows.
  EXPECT_GT(b.Rgb(0, 0) & 0xFF, 240u);
  EXPECT_LT(b.Rgb(0, 0) >> 16, 15u);
}

TEST(PaintGradient, TrianglesInterpolateExactly) {
  // Top-left red, everything else black: along the top row red falls linearly
  // from the corner to the top-right vertex (colour of piece 1), 16-bit truncated.
  TestBitmap b(11, 11, TacPixelFormat::pf24bit);
  PaintGradient(b.get(), {0, 0, 11, 11}, ParseGradientData("255;0;0;2;0;0;0;0;0;0"));
  // Pixel (x, 0), centre (x + .5, .5), lies in triangle (0, 1, 2) with vertices
  // (0,0), (5,5), (11,0); its red is the weight of vertex 0 times 0xFF00.
  for (int x = 0; x < 10; ++x) {  // (10, 0) lies in the right triangle
    const double px = x + 0.5, py = 0.5;
    // Barycentric weight of (0,0) in triangle (0,0), (5,5), (11,0).
    const double area = 11.0 * 5.0;  // twice the area: |(5)(0) - (5)(11)|
    const double w0 = ((5 - px) * (0 - py) - (5 - py) * (11 - px)) / -area;
    const int expected = static_cast<int>(w0 * 65280 + 1e-9) >> 8;
    EXPECT_EQ(static_cast<int>(b.Rgb(x, 0) & 0xFF), expected) << x;
  }
}

// Random gradients into random rectangles: pixels outside the rectangle and
// the guard bytes stay, every pixel inside is written, and the whole output
// has the checksum a reviewer saw as a picture.
TEST(PaintGradient, RandomGradientsStayInsideAndMatchTheirChecksum) {
  std::mt19937 rng(20240611);
  uint64_t sum = 1469598103934665603ull;
  for (int round = 0; round < 60; ++round) {
    const bool is32 = round % 2 != 0;
    const int w = 1 + static_cast<int>(rng() % 70), h = 1 + static_cast<int>(rng() % 50);
    TestBitmap b(w, h, is32 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit, round % 3 == 0);
    b.Fill(0xA0B0C0, 7);
    // Mostly large rectangles, some reaching past the bitmap, a few empty.
    TacRect r{static_cast<int>(rng() % (w / 2 + 6)) - 5, static_cast<int>(rng() % (h / 2 + 6)) - 5, 0, 0};
    r.Right = r.Left + static_cast<int>(rng() % (w + 8));
    r.Bottom = r.Top + static_cast<int>(rng() % (h + 8));
    TsGradArray g;
    const int pieces = 1 + static_cast<int>(rng() % 4);
    const int mode = static_cast<int>(rng() % 3);
    for (int k = 0; k < pieces; ++k)
      g.push_back(Piece(rng() & 0xFFFFFF, rng() & 0xFFFFFF, static_cast<int>(rng() % 101), k == 0 ? mode : 0));
    PaintGradient(b.get(), r, g);
    ASSERT_TRUE(b.GuardsIntact()) << round;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        if (!inside) {
          ASSERT_EQ(b.Rgb(x, y), 0xA0B0C0u) << round << " " << x << "," << y;
        } else if (is32) {
          ASSERT_EQ(b.Alpha(x, y), 255) << round << " " << x << "," << y;
        }
      }
    paintfix::Dump(b.get(), "gradient_random_" + std::to_string(round));
    sum = paintfix::Checksum(b.get(), sum);
  }
  EXPECT_EQ(sum, 13706680035119599929ull);
}

TEST(PaintGradient, WindowSizedPicture) {
  TacBitmapPtr b = NewMemoryBitmap(240, 120, TacPixelFormat::pf24bit);
  PaintGradient(b.get(), {0, 0, 80, 120}, ParseGradientData("16775412;16708071;97;0;0;16708071;16708071;0;0;0"));
  PaintGradient(b.get(), {80, 0, 160, 120}, ParseGradientData("255;65280;50;1;0;65280;16711680;50;0;0"));
  PaintGradient(b.get(), {160, 0, 240, 120},
                ParseGradientData("255;0;0;2;0;65280;0;0;0;0;16711680;0;0;0;0;65535;0;0;0;0;16777215;0;0;0;0"));
  paintfix::Dump(b.get(), "gradient_modes");
  EXPECT_EQ(paintfix::Checksum(b.get()), 7709006932081177939ull);
}
