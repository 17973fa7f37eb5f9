// Bitmap button glyphs: frame choice by state, blending into the face, and
// the disabled looks.
#include "paint/sBitmapGlyph.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"
#include "paint/sGraphUtils.h"

using paintfix::Bitmap24;

namespace {
constexpr uint32_t kKey = 0x00FF00;  // the glyph's bottom-left pixel
// Frames of 3 x 2: frame k is red 10 * (k + 1) with the bottom-left pixel of each frame the key.
TacBitmapPtr Frames(int n) {
  return Bitmap24(3 * n, 2, [](int x, int y) { return x % 3 == 0 && y == 1 ? kKey : 10u * (x / 3 + 1); });
}
}  // namespace

TEST(DrawBitmapGlyph, FrameByStateDownAndCount) {
  struct Case {
    int count, state;
    bool down, enabled, fourBit;
    int frame;
  } cases[] = {
      {4, 2, true, true, false, 3},   // pressed and down: frame 3
      {2, 2, true, true, false, 1},   // frame 3 missing: min(n - 1, 1)
      {2, 2, true, true, true, 0},    // a 16-colour glyph has no down frame
      {3, 2, false, true, false, 2},
      {3, 1, false, true, false, 1},
      {3, 1, false, true, true, 0},
      {4, 0, true, true, false, 0},
      {4, 2, true, false, false, 0},  // disabled
  };
  for (const Case& c : cases) {
    TacBitmapPtr g = Frames(c.count);
    TestBitmap b(3, 2, TacPixelFormat::pf24bit);
    b.Fill(0x808080);
    TacGlyphDraw how;
    how.GlyphCount = c.count, how.State = c.state, how.Down = c.down, how.Enabled = c.enabled;
    how.FourBitGlyph = c.fourBit;
    DrawBitmapGlyph(g.get(), b.get(), {0, 0, 3, 2}, how);
    EXPECT_EQ(b.Rgb(1, 0), 10u * (c.frame + 1)) << c.count << "/" << c.state << "/" << c.down;
    EXPECT_EQ(b.Rgb(0, 1), 0x808080u) << "key pixel";
  }
}

TEST(DrawBitmapGlyph, OneFrameBlendsIntoTheFaceExceptKeyPixels) {
  TacBitmapPtr g = Frames(1);
  TestBitmap b(3, 2, TacPixelFormat::pf24bit);
  b.Fill(200);
  TacGlyphDraw how;
  how.Blend = 40;
  DrawBitmapGlyph(g.get(), b.get(), {0, 0, 3, 2}, how);
  // 40 % of the face shows through: round(10 * 0.6 + 200 * 0.4) = 86.
  EXPECT_EQ(b.Rgb(1, 0), 86u);
  EXPECT_EQ(b.Rgb(0, 1), 200u);
  // Hot: plain keyed copy.
  how.State = 1;
  DrawBitmapGlyph(g.get(), b.get(), {0, 0, 3, 2}, how);
  EXPECT_EQ(b.Rgb(1, 0), 10u);
}

TEST(DrawBitmapGlyph, DisabledGreyedAndBlended) {
  TacBitmapPtr g = Bitmap24(2, 2, [](int x, int y) { return x == 0 && y == 1 ? kKey : 0x00003Cu; });
  TestBitmap b(2, 2, TacPixelFormat::pf24bit);
  b.Fill(100);
  TacGlyphDraw how;
  how.Enabled = false;
  how.DisabledKind = dgGrayed | dgBlended;
  DrawBitmapGlyph(g.get(), b.get(), {0, 0, 2, 2}, how);
  // Grey 60 div 3 = 20 in each channel, then half over the face: round(20 * .5 + 100 * .5) = 60 red.
  EXPECT_EQ(b.Rgb(1, 0), static_cast<uint32_t>(60 | 10 << 8 | 10 << 16));
  // The key was read again after greying: the grey key pixel stays out.
  EXPECT_EQ(b.Rgb(0, 1), 100u);
}
