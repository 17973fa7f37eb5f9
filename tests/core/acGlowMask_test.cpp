#include "paint/acGlowMask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "CpuPathScope.h"
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
// zero, in all 256^3 cases, and alpha max(0, a + m - 255); each vector path the same
// bytes as the scalar one (white, m = 255, leaves the pixel alone).
TEST(ApplyGlowMask, EveryChannelMaskAndColourValueOnEveryPath) {
  TacMask8Ptr m = NewMemoryMask8(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) *m->Pixel(x, y) = static_cast<uint8_t>(y);
  for (TacPixelFormat f : {TacPixelFormat::pf24bit, TacPixelFormat::pf32bit}) {
    TestBitmap original(256, 256, f), scalar(256, 256, f), vector(256, 256, f);
    const int bpp = original->BytesPerPixel();
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) std::memset(original->Pixel(x, y), x, static_cast<size_t>(bpp));
    auto start = [&](TestBitmap& t) { t.CopyFrom(original); };
    int wrong = 0;
    // 32-bit pixels add the alpha rule and their own spreading of the mask to the same
    // channel arithmetic: a few colours suffice there.
    const int colourStep = bpp == 4 ? 17 : 1;
    for (int c = 0; c < 256; c += colourStep) {
      // The colour's channels c, c ^ 0x5A and 255 - c, in memory order blue, green, red.
      const int glow[3] = {c, c ^ 0x5A, 255 - c};
      const uint32_t colour = static_cast<uint32_t>(glow[2] | glow[1] << 8 | glow[0] << 16);
      start(scalar);
      {
        CpuPathScope scope(TacCpuPath::Scalar);
        ApplyGlowMask(scalar.get(), *m, 0, 0, colour);
      }
      if (f == TacPixelFormat::pf24bit || c == 0)  // alpha does not depend on the colour
        for (int y = 0; y < 256; ++y)
          for (int x = 0; x < 256; ++x) {
            const uint8_t* p = scalar->Pixel(x, y);
            for (int ch = 0; ch < 3; ++ch)
              if (p[ch] != (x - glow[ch]) * y / 255 + glow[ch] && wrong++ < 5)
                ADD_FAILURE() << "value " << x << " mask " << y << " colour " << glow[ch];
            if (bpp == 4 && p[3] != std::max(0, x + y - 255) && wrong++ < 5)
              ADD_FAILURE() << "alpha " << x << " mask " << y;
          }
      for (TacCpuPath path : VectorCpuPaths()) {
        start(vector);
        CpuPathScope scope(path);
        ApplyGlowMask(vector.get(), *m, 0, 0, colour);
        bool same = true;
        for (int y = 0; y < 256; ++y) same = same && std::memcmp(vector->Row(y), scalar->Row(y), 256u * bpp) == 0;
        if (!same && wrong++ < 5)
          ADD_FAILURE() << CpuPathName(path) << " differs, colour " << c << " bpp " << bpp;
      }
    }
    EXPECT_EQ(wrong, 0) << "bpp " << bpp;
  }
}

// Masks laid at random places over random targets, with white runs the vector loops
// skip and row ends they leave to the scalar loop: the scalar path's bytes everywhere.
TEST(ApplyGlowMask, PlacementsAndRowEndsOnEveryPath) {
  std::mt19937 rng(0x61077u);
  for (int iter = 0; iter < 200; ++iter) {
    const TacPixelFormat f = iter & 1 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit;
    const int tw = 1 + static_cast<int>(rng() % 60), th = 1 + static_cast<int>(rng() % 6);
    const int mw = 1 + static_cast<int>(rng() % 60), mh = 1 + static_cast<int>(rng() % 6);
    const int left = static_cast<int>(rng() % 70) - 35, top = static_cast<int>(rng() % 8) - 4;
    const uint32_t colour = rng() & 0xFFFFFF;
    TacMask8Ptr m = NewMemoryMask8(mw, mh);
    for (int y = 0; y < mh; ++y)
      for (int x = 0; x < mw; ++x) *m->Pixel(x, y) = (rng() % 3) ? 255 : static_cast<uint8_t>(rng());
    TestBitmap original(tw, th, f, iter & 2), expected(tw, th, f, iter & 2);
    original.Randomize(rng);
    expected.CopyFrom(original);
    {
      CpuPathScope scope(TacCpuPath::Scalar);
      ApplyGlowMask(expected.get(), *m, left, top, colour);
    }
    for (TacCpuPath path : VectorCpuPaths()) {
      TestBitmap got(tw, th, f, iter & 2);
      got.CopyFrom(original);
      CpuPathScope scope(path);
      ApplyGlowMask(got.get(), *m, left, top, colour);
      ASSERT_EQ(got.Snapshot(), expected.Snapshot())
          << CpuPathName(path) << " target " << tw << "x" << th << " mask " << mw << "x" << mh << " at " << left
          << "," << top;
    }
  }
}
