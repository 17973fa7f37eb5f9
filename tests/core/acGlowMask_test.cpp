#include "paint/acGlowMask.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PixelTestBitmaps.h"
#include "paint/acMask8.h"

TEST(GlowMaskRect, GrowsTheTextByGlowSizePlusFour) {
  TacRect r = GlowMaskRect(TacRect{10, 20, 110, 40}, 5);
  EXPECT_EQ(r.Left, 1);
  EXPECT_EQ(r.Top, 11);
  EXPECT_EQ(r.Right, 119);
  EXPECT_EQ(r.Bottom, 49);
}

TEST(GlowTextOffsets, OneOffsetPerFlagBitThenUnmoved) {
  struct Case { unsigned flags; std::vector<std::pair<int, int>> expected; };
  const Case cases[] = {
      {0, {{0, 0}}},
      {15, {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {0, 0}}},
      {8, {{0, 1}, {0, 0}}},
      {5, {{-1, 0}, {1, 0}, {0, 0}}},
      {0xF0, {{0, 0}}},  // bits above 8 mean nothing
  };
  for (const Case& c : cases) {
    TacGlowOffsets o = GlowTextOffsets(c.flags);
    std::vector<std::pair<int, int>> got;
    for (int i = 0; i < o.Count; ++i) got.emplace_back(o.Dx[i], o.Dy[i]);
    EXPECT_EQ(got, c.expected) << c.flags;
  }
}

TEST(ApplyGlowMask, PullsPixelsTowardTheGlowColour) {
  // Colour (red 200, green 100, blue 0) over pixels (red 10, green 100, blue 250).
  const uint32_t glow = 200 | (100 << 8);
  struct Case { uint8_t m; uint32_t rgb; uint8_t alpha; };
  const Case cases[] = {
      {255, 10 | (100 << 8) | (250u << 16), 200},  // white: untouched, alpha too
      {0, glow, 0},                                 // the glow colour itself; alpha 200 + 0 - 255 < 0
      // red (10 - 200) * 128 = -24320, div 255 = -95 (toward zero, not -96): 105;
      // blue 250 * 128 div 255 = 125; alpha 200 + 128 - 255 = 73
      {128, 105 | (100 << 8) | (125u << 16), 73},
      {254, 11 | (100 << 8) | (249u << 16), 199},  // -190 * 254 div 255 = -189: 11
  };
  for (bool alpha : {false, true}) {
    TestBitmap t(4, 1, alpha ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit);
    t.Fill(10 | (100 << 8) | (250u << 16), 200);
    TacMask8Ptr m = NewMemoryMask8(4, 1);
    for (int i = 0; i < 4; ++i) *m->Pixel(i, 0) = cases[i].m;
    ApplyGlowMask(t.get(), *m, 0, 0, glow);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(t.Rgb(i, 0), cases[i].rgb) << "mask " << int(cases[i].m) << " alpha " << alpha;
      if (alpha) {
        EXPECT_EQ(t.Alpha(i, 0), cases[i].alpha) << "mask " << int(cases[i].m);
      }
    }
    EXPECT_TRUE(t.GuardsIntact());
  }
}

TEST(ApplyGlowMask, OnlyWhereTheMaskLiesInsideTheTarget) {
  // A black 6 x 5 mask laid at every place around a 4 x 3 target, both row orders:
  // exactly the overlap turns to the glow colour and nothing outside is written.
  for (bool bottomUp : {false, true}) {
    for (int top = -6; top <= 4; ++top) {
      for (int left = -7; left <= 5; ++left) {
        TestBitmap t(4, 3, TacPixelFormat::pf24bit, bottomUp);
        t.Fill(0x0000FF);
        TacMask8Ptr m = NewMemoryMask8(6, 5);
        ApplyGlowMask(t.get(), *m, left, top, 0x00FF00);
        for (int y = 0; y < 3; ++y)
          for (int x = 0; x < 4; ++x) {
            bool inside = x >= left && x < left + 6 && y >= top && y < top + 5;
            EXPECT_EQ(t.Rgb(x, y), inside ? 0x00FF00u : 0x0000FFu) << left << "," << top << " at " << x << "," << y;
          }
        EXPECT_TRUE(t.GuardsIntact());
      }
    }
  }
  TacMask8Ptr m = NewMemoryMask8(2, 2);
  ApplyGlowMask(nullptr, *m, 0, 0, 0);  // no target: nothing
}

// Every channel value under every mask value toward every glow colour: the tint's
// arithmetic without a division must give (v - c) * m div 255 + c, truncated toward
// zero, in all 256^3 cases (white, m = 255, leaves the pixel alone).
TEST(ApplyGlowMask, EveryChannelMaskAndColourValue) {
  TestBitmap t(256, 255, TacPixelFormat::pf24bit);
  TacMask8Ptr m = NewMemoryMask8(256, 255);
  for (int y = 0; y < 255; ++y)
    for (int x = 0; x < 256; ++x) *m->Pixel(x, y) = static_cast<uint8_t>(y);
  int wrong = 0;
  for (int c = 0; c < 256; ++c) {
    // Blue, green and red hold the value, the colour's channels are c, c ^ 0x5A and 255 - c.
    const int glow[3] = {c, c ^ 0x5A, 255 - c};  // memory order blue, green, red
    for (int y = 0; y < 255; ++y)
      for (int x = 0; x < 256; ++x) std::memset(t->Pixel(x, y), x, 3);
    ApplyGlowMask(t.get(), *m, 0, 0, static_cast<uint32_t>(glow[2] | glow[1] << 8 | glow[0] << 16));
    for (int y = 0; y < 255; ++y)
      for (int x = 0; x < 256; ++x)
        for (int ch = 0; ch < 3; ++ch)
          if (t->Pixel(x, y)[ch] != (x - glow[ch]) * y / 255 + glow[ch] && wrong++ < 5)
            ADD_FAILURE() << "value " << x << " mask " << y << " colour " << glow[ch];
  }
  EXPECT_EQ(wrong, 0);
}
