#include "paint/sGraphUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PixelTestBitmaps.h"
#include "paint/acColors.h"

namespace {
uint32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
}  // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  struct Case { double v; int64_t expected; };
  const Case cases[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},   {3.5, 4},       {-0.5, 0},  {-1.5, -2}, {-2.5, -2},
                        {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {254.5, 254}, {255.5, 256}, {7.0, 7}};
  for (const Case& c : cases) { EXPECT_EQ(RoundHalfEven(c.v), c.expected) << c.v; }
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(RoundHalfEven(1e300), INT64_MAX);
  EXPECT_EQ(RoundHalfEven(-1e300), INT64_MIN);
}

TEST(ClampByte, LimitsToTheByteRange) {
  struct Case { int v; uint8_t expected; };
  const Case cases[] = {{-1, 0}, {-100000, 0}, {0, 0}, {128, 128}, {255, 255}, {256, 255}, {1 << 30, 255}};
  for (const Case& c : cases) { EXPECT_EQ(ClampByte(c.v), c.expected) << c.v; }
}

TEST(ColorToPixel32, SwapsToMemoryOrderWithOpaqueAlpha) {
  EXPECT_EQ(ColorToPixel32(Rgb(0x11, 0x22, 0x33)), 0xFF112233u);
  EXPECT_EQ(ColorToPixel32(0x00000000u), 0xFF000000u);
  EXPECT_EQ(ColorToPixel32(0x7F0000FFu), 0xFFFF0000u);  // the colour's top byte does not leak
}

TEST(WeightedColor, MixesChannelsAndKeepsTheFirstTopByte) {
  struct Case { uint32_t a, b; double w; uint32_t expected; };
  const Case cases[] = {
      {0x12345678u, 0x00ABCDEFu, 1.0, 0x12345678u},
      {0x12345678u, 0x00ABCDEFu, 0.0, 0x12ABCDEFu},
      {Rgb(1, 3, 5), Rgb(0, 0, 0), 0.5, Rgb(0, 2, 2)},  // 0.5, 1.5, 2.5 to even
      {Rgb(200, 100, 0), Rgb(0, 100, 200), 0.3, Rgb(60, 100, 140)},
      {Rgb(10, 10, 10), Rgb(240, 240, 240), 0.4, Rgb(148, 148, 148)},
  };
  for (const Case& c : cases) { EXPECT_EQ(WeightedColor(c.a, c.b, c.w), c.expected) << std::hex << c.a << " " << c.w; }
}

TEST(RotateHue, TurnsTheHueAndLeavesGreys) {
  SetSysColorSource(nullptr);
  struct Case { int offset; uint32_t colour; uint32_t expected; };
  const Case cases[] = {
      {120, Rgb(255, 0, 0), Rgb(0, 255, 0)},
      {240, Rgb(255, 0, 0), Rgb(0, 0, 255)},
      {120, Rgb(0, 255, 0), Rgb(0, 0, 255)},
      {360, Rgb(255, 0, 0), Rgb(255, 0, 0)},
      {0, Rgb(10, 200, 90), Rgb(10, 200, 89)},  // the hue 145.26 is rounded to whole degrees
      {60, Rgb(255, 0, 0), Rgb(255, 255, 0)},
      {30, Rgb(255, 0, 0), Rgb(255, 128, 0)},  // t = 255 * 0.5 = 127.5, to even
      {90, Rgb(128, 128, 128), Rgb(128, 128, 128)},
      {45, 0, 0},
      {200, 0x7F646464u, Rgb(100, 100, 100)},  // a grey keeps its channels, the top byte goes
      {-120, Rgb(255, 0, 0), Rgb(0, 0, 255)},  // negative offsets wrap round the circle
      {-30, Rgb(255, 0, 0), Rgb(255, 0, 128)},
      {-400, Rgb(0, 255, 0), Rgb(170, 255, 0)},  // 120 - 400 wraps to 80
      {120, 0x80000006u, 0},                   // system colour (window frame, black) resolved first
      {120, 0x8000000Du, RotateHue(120, Rgb(10, 36, 106))},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RotateHue(c.offset, c.colour), c.expected) << c.offset << " " << std::hex << c.colour;
}

TEST(AdjustSaturation, MovesTowardOrAwayFromTheGrey) {
  struct Case { uint32_t colour; int amount; uint32_t expected; };
  const Case cases[] = {
      {0x12345678u, 0, 0x12345678u},                  // untouched, top byte too
      {Rgb(10, 20, 31), 100, Rgb(20, 20, 20)},        // the grey round(61 / 3)
      {Rgb(0, 0, 255), 100, Rgb(85, 85, 85)},
      {Rgb(100, 130, 160), -50, Rgb(85, 130, 175)},   // half the distance further out
      {Rgb(1, 2, 3), -50, Rgb(0, 2, 4)},              // 0.5 and 3.5 to even
      {Rgb(0, 128, 255), -100, Rgb(0, 128, 255)},     // limited to 0..255
      {Rgb(10, 250, 130), -100, Rgb(0, 255, 130)},
      {Rgb(100, 130, 160), 50, Rgb(115, 130, 145)},
      {0xFF000000u | Rgb(100, 130, 160), 50, Rgb(115, 130, 145)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AdjustSaturation(c.colour, c.amount), c.expected) << std::hex << c.colour << std::dec << " " << c.amount;
}

namespace {

// '#' where the colour landed, '.' where the bitmap kept its fill.
std::string Picture(const TestBitmap& b, uint32_t rgb) {
  std::string out;
  for (int y = 0; y < b->Height(); ++y) {
    for (int x = 0; x < b->Width(); ++x) out += b.Rgb(x, y) == rgb ? '#' : '.';
    out += '\n';
  }
  return out;
}

}  // namespace

TEST(FillSolidOnBitmap, RectAndFrameStripsClippedToTheBitmap) {
  SetSysColorSource(nullptr);
  const uint32_t face = Rgb(212, 208, 200);
  struct Case { const char* what; bool frame; TacRect r; int l, t, rt, b; const char* picture; };
  const Case cases[] = {
      {"rect", false, {1, 1, 4, 3}, 0, 0, 0, 0,
       "......\n.###..\n.###..\n......\n......\n"},
      {"rect leaving the bitmap", false, {-2, 3, 9, 9}, 0, 0, 0, 0,
       "......\n......\n......\n######\n######\n"},
      {"inverted rect", false, {4, 1, 1, 3}, 0, 0, 0, 0,
       "......\n......\n......\n......\n......\n"},
      {"frame 1,2,3,1", true, {0, 0, 6, 5}, 1, 2, 3, 1,
       "######\n######\n#..###\n#..###\n######\n"},
      {"frame inside", true, {1, 1, 5, 4}, 1, 1, 1, 1,
       "......\n.####.\n.#..#.\n.####.\n......\n"},
      {"frame partly outside", true, {-1, -1, 7, 6}, 2, 2, 2, 2,
       "######\n#....#\n#....#\n#....#\n######\n"},
  };
  for (const Case& c : cases) {
    for (TacPixelFormat f : {TacPixelFormat::pf24bit, TacPixelFormat::pf32bit}) {
      TestBitmap bmp(6, 5, f, true);
      bmp.Fill(Rgb(1, 2, 3), 9);
      if (c.frame)
        FillSolidFrame(bmp.get(), c.r, c.l, c.t, c.rt, c.b, 0x8000000F);
      else
        FillSolidRect(bmp.get(), c.r, 0x8000000F);
      EXPECT_EQ(Picture(bmp, face), c.picture) << c.what;
      if (f == TacPixelFormat::pf32bit)
        for (int y = 0; y < 5; ++y)
          for (int x = 0; x < 6; ++x) { EXPECT_EQ(bmp.Alpha(x, y), bmp.Rgb(x, y) == face ? 255 : 9); }
      EXPECT_TRUE(bmp.GuardsIntact());
    }
  }
  FillSolidRect(nullptr, {0, 0, 1, 1}, 0);
}
