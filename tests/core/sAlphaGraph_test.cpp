#include "paint/sAlphaGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "PixelTestBitmaps.h"
#include "paint/acColors.h"

namespace {

constexpr TacPixelFormat k24 = TacPixelFormat::pf24bit;
constexpr TacPixelFormat k32 = TacPixelFormat::pf32bit;

uint32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace

// ---- accessors -------------------------------------------------------------

TEST(FastAccessors, AttachRefusesMissingAndThinBitmaps) {
  struct Case { int w, h; bool ok; };
  const Case cases[] = {{1, 5, false}, {5, 1, false}, {1, 1, false}, {0, 0, false}, {2, 2, true}, {7, 3, true}};
  for (const Case& c : cases) {
    for (bool bottomUp : {false, true}) {
      TestBitmap b24(c.w, c.h, k24, bottomUp), b32(c.w, c.h, k32, bottomUp);
      TacFast24 f24;
      f24.Width = 99;
      TacFast32 f32;
      f32.Width = 99;
      EXPECT_EQ(f24.Attach(b24.get()), c.ok) << c.w << "x" << c.h;
      EXPECT_EQ(f32.Attach(b32.get()), c.ok) << c.w << "x" << c.h;
      EXPECT_EQ(f24.Width, c.ok ? c.w : 0);
      EXPECT_EQ(f32.Width, c.ok ? c.w : 0);
      if (c.ok) {
        EXPECT_EQ(f24.Height, c.h);
        EXPECT_EQ(f24.Row0, b24->Row0());
        EXPECT_EQ(f24.RowStep, b24->RowStep());
        EXPECT_EQ(f32.RowStep, b32->RowStep());
      }
    }
  }
  TacFast24 f24;
  TacFast32 f32;
  EXPECT_FALSE(f24.Attach(nullptr));
  EXPECT_FALSE(f32.Attach(nullptr));
}

TEST(FastAccessors, WrongFormatIsAnAssertionNamingTheUnit) {
  TestBitmap b24(4, 4, k24), b32(4, 4, k32);
  auto expectAssertion = [](auto&& attach) {
    try {
      attach();
      ADD_FAILURE() << "no assertion";
    } catch (const EacAssertion& e) {
      std::string what = e.what();
      EXPECT_NE(what.find("Bitmap format is not supported"), std::string::npos) << what;
      EXPECT_NE(what.find("sAlphaGraph"), std::string::npos) << what;
    }
  };
  expectAssertion([&] { TacFast24().Attach(b32.get()); });
  expectAssertion([&] { TacFast32().Attach(b24.get()); });
  expectAssertion([&] { FillOpaque32(b24.get(), {0, 0, 2, 2}, 0); });
}

TEST(FastAccessors, PixelsReadAndWriteAsColourValuesInEitherRowOrder) {
  for (bool bottomUp : {false, true}) {
    TestBitmap b24(3, 2, k24, bottomUp), b32(3, 2, k32, bottomUp);
    b24->Pixel(2, 1)[0] = 0x30;  // blue
    b24->Pixel(2, 1)[1] = 0x20;
    b24->Pixel(2, 1)[2] = 0x10;  // red
    TacFast24 f24;
    ASSERT_TRUE(f24.Attach(b24.get()));
    EXPECT_EQ(f24.GetPixel(2, 1), 0x302010u);

    TacFast32 f32;
    ASSERT_TRUE(f32.Attach(b32.get()));
    f32.SetPixel(1, 1, 0x80302010u);
    const uint8_t* p = b32->Pixel(1, 1);
    EXPECT_EQ(p[0], 0x30);
    EXPECT_EQ(p[1], 0x20);
    EXPECT_EQ(p[2], 0x10);
    EXPECT_EQ(p[3], 0x80);
    EXPECT_EQ(f32.GetPixel(1, 1), 0x80302010u);
    EXPECT_EQ(f32.GetPixel(1, 0), 0u);
    EXPECT_TRUE(b32.GuardsIntact());
  }
}

TEST(FastSum, NewInstanceIsAllZeroAndAttachNeedsTwoByTwo) {
  TacFastSum24 sum;
  EXPECT_EQ(sum.Src, nullptr);
  EXPECT_EQ(sum.DstRow0, nullptr);
  EXPECT_EQ(sum.Alpha, 0);
  EXPECT_EQ(sum.DstRect.Right, 0);
  EXPECT_EQ(sum.SrcRect.Bottom, 0);
  TestBitmap big(5, 4, k24), small(3, 6, k32), thin(1, 6, k24);
  EXPECT_FALSE(sum.Attach(thin.get(), big.get()));
  EXPECT_FALSE(sum.Attach(big.get(), thin.get()));
  EXPECT_FALSE(sum.Attach(nullptr, big.get()));
  ASSERT_TRUE(sum.Attach(big.get(), small.get()));  // no format check
  EXPECT_EQ(sum.Width, 3);
  EXPECT_EQ(sum.Height, 4);
  EXPECT_EQ(sum.SrcRow0, big->Row0());
  EXPECT_EQ(sum.DstStep, small->RowStep());
}

// ---- blender arithmetic ----------------------------------------------------

TEST(FastSum, BlendsEveryByteWithWeightsSummingTo255OverShift8) {
  struct Case { uint8_t d, s, a, expected; };
  const Case cases[] = {
      {255, 255, 0, 254},   {255, 255, 1, 254}, {255, 255, 128, 254}, {255, 255, 255, 254},  // white stays 254
      {255, 0, 255, 254},   {0, 255, 255, 0},                                               // Alpha 255
      {0, 255, 0, 254},     {100, 200, 128, 149}, {0, 0, 77, 0},        {1, 0, 128, 0},
  };
  for (const Case& c : cases) {
    for (TacPixelFormat f : {k24, k32}) {
      for (bool bottomUp : {false, true}) {
        TestBitmap dst(2, 2, f, bottomUp), src(2, 2, f, !bottomUp);
        dst.Fill(c.d * 0x010101u, c.d);
        src.Fill(c.s * 0x010101u, c.s);
        TacRect whole = {0, 0, 2, 2};
        if (f == k24) {
          TacFastSum24 sum;
          ASSERT_TRUE(sum.Attach(src.get(), dst.get()));
          sum.Alpha = c.a, sum.DstRect = whole, sum.SrcRect = whole;
          sum.Blend();
        } else {
          TacFastSum32 sum;
          ASSERT_TRUE(sum.Attach(src.get(), dst.get()));
          sum.Alpha = c.a, sum.DstRect = whole, sum.SrcRect = whole;
          sum.Blend();
        }
        for (int y = 0; y < 2; ++y)
          for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(dst.Rgb(x, y), c.expected * 0x010101u) << int(c.d) << " " << int(c.s) << " " << int(c.a);
            if (f == k32) { EXPECT_EQ(dst.Alpha(x, y), c.expected) << "the 32-bit blender mixes alpha too"; }
          }
        EXPECT_TRUE(dst.GuardsIntact());
      }
    }
  }
}

// ---- BlendBitmapOver -------------------------------------------------------

namespace {

// Gives every pixel its own value so a wrong source pixel shows.
void Numbered(TestBitmap& b) {
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) b.Set(x, y, Rgb(x * 9 + 1, y * 11 + 2, (x * 7 + y * 5) & 0xFF), uint8_t(x + y));
}

uint8_t BlendByte(uint8_t d, uint8_t s, uint8_t a) { return static_cast<uint8_t>((d * a + s * (255 - a) + 127) >> 8); }

// Per-pixel model: destination (x, y) takes source (x - px + r.Left, y - py + r.Top)
// when that lies inside r and inside the source; the clipping only keeps this mapping.
void ModelBlendOver(TestBitmap& d, const TestBitmap& s, uint8_t a, int px, int py, TacRect r) {
  if (d->Format() != s->Format() || d->Width() < 2 || d->Height() < 2 || s->Width() < 2 || s->Height() < 2) return;
  const int n = d->BytesPerPixel();
  for (int y = 0; y < d->Height(); ++y)
    for (int x = 0; x < d->Width(); ++x) {
      int64_t sx = int64_t(x) - px + r.Left, sy = int64_t(y) - py + r.Top;
      if (sx < r.Left || sx >= r.Right || sy < r.Top || sy >= r.Bottom) continue;
      if (sx < 0 || sy < 0 || sx >= s->Width() || sy >= s->Height()) continue;
      uint8_t* dp = d->Pixel(x, y);
      const uint8_t* sp = s->Pixel(int(sx), int(sy));
      for (int i = 0; i < n; ++i) dp[i] = BlendByte(dp[i], sp[i], a);
    }
}

}  // namespace

TEST(BlendBitmapOver, NegativePointStartsInsideTheSourceAndWritesFromOrigin) {
  for (TacPixelFormat f : {k24, k32}) {
    for (bool bottomUp : {false, true}) {
      TestBitmap dst(10, 10, f, bottomUp), src(20, 20, f, !bottomUp), expected(10, 10, f, bottomUp);
      Numbered(src);
      dst.Fill(Rgb(40, 50, 60), 70);
      expected.CopyFrom(dst);
      const TacRect r = {2, 1, 12, 9};
      BlendBitmapOver(dst.get(), src.get(), 0x000000, -5, -3, r);
      // Alpha 0: the destination byte is (s * 255 + 127) shr 8, so the source pixel is recognisable.
      const uint8_t* first = src->Pixel(r.Left + 5, r.Top + 3);
      EXPECT_EQ(dst->Pixel(0, 0)[0], BlendByte(60, first[0], 0));
      EXPECT_EQ(dst->Pixel(0, 0)[2], BlendByte(40, first[2], 0));
      // The clipped block is 5 x 5 at (0, 0); everything else is untouched.
      ModelBlendOver(expected, src, 0, -5, -3, r);
      EXPECT_EQ(dst.Snapshot(), expected.Snapshot());
      EXPECT_EQ(dst.Rgb(5, 0), Rgb(40, 50, 60));
      EXPECT_EQ(dst.Rgb(0, 5), Rgb(40, 50, 60));
      EXPECT_NE(dst.Rgb(4, 4), Rgb(40, 50, 60));
    }
  }
}

TEST(BlendBitmapOver, DrawsNothingForMixedFormatsThinBitmapsOrEmptyClips) {
  struct Case { const char* what; TacPixelFormat df, sf; int dw, dh, sw, sh, px, py; TacRect r; };
  const Case cases[] = {
      {"mixed 32 over 24", k24, k32, 8, 8, 8, 8, 0, 0, {0, 0, 8, 8}},
      {"mixed 24 over 32", k32, k24, 8, 8, 8, 8, 0, 0, {0, 0, 8, 8}},
      {"thin source", k24, k24, 8, 8, 1, 8, 0, 0, {0, 0, 1, 8}},
      {"thin destination", k24, k24, 8, 1, 8, 8, 0, 0, {0, 0, 8, 8}},
      {"empty rectangle", k24, k24, 8, 8, 8, 8, 0, 0, {3, 3, 3, 6}},
      {"point right of destination", k24, k24, 8, 8, 8, 8, 8, 0, {0, 0, 8, 8}},
      {"point below destination", k32, k32, 8, 8, 8, 8, 0, 8, {0, 0, 8, 8}},
      {"rectangle right of source", k24, k24, 8, 8, 8, 8, 0, 0, {8, 0, 12, 8}},
      {"negative point eats the rectangle", k24, k24, 8, 8, 8, 8, -4, 0, {0, 0, 4, 8}},
      {"inverted rectangle", k24, k24, 8, 8, 8, 8, 0, 0, {5, 0, 2, 8}},
  };
  for (const Case& c : cases) {
    TestBitmap dst(c.dw, c.dh, c.df), src(c.sw, c.sh, c.sf);
    dst.Fill(Rgb(1, 2, 3), 4);
    src.Fill(Rgb(200, 200, 200), 200);
    auto before = dst.Snapshot();
    BlendBitmapOver(dst.get(), src.get(), 0x808080, c.px, c.py, c.r);
    EXPECT_EQ(dst.Snapshot(), before) << c.what;
  }
  TestBitmap dst(4, 4, k24);
  BlendBitmapOver(dst.get(), nullptr, 0, 0, 0, {0, 0, 4, 4});
  BlendBitmapOver(nullptr, dst.get(), 0, 0, 0, {0, 0, 4, 4});
}

TEST(BlendBitmapOver, UsesOnlyTheFirstAlphaByte) {
  TestBitmap a(4, 4, k24), b(4, 4, k24), src(4, 4, k24);
  a.Fill(Rgb(255, 255, 255));
  b.Fill(Rgb(255, 255, 255));
  src.Fill(0);
  BlendBitmapOver(a.get(), src.get(), 0x404040, 0, 0, {0, 0, 4, 4});
  BlendBitmapOver(b.get(), src.get(), 0xFFFF40, 0, 0, {0, 0, 4, 4});
  EXPECT_EQ(a.Snapshot(), b.Snapshot());
  EXPECT_EQ(a.Rgb(3, 3), BlendByte(255, 0, 0x40) * 0x010101u);
}

// Rows are walked upward and bytes leftward, so a block blended onto itself one
// pixel right and down reads only pixels that have not been written yet.
TEST(BlendBitmapOver, OverlappingSelfBlendReadsTheOriginalPixels) {
  for (TacPixelFormat f : {k24, k32}) {
    for (bool bottomUp : {false, true}) {
      TestBitmap bmp(9, 7, f, bottomUp), original(9, 7, f, bottomUp), expected(9, 7, f, bottomUp);
      Numbered(bmp);
      original.CopyFrom(bmp);
      expected.CopyFrom(bmp);
      ModelBlendOver(expected, original, 100, 1, 1, {0, 0, 8, 6});
      BlendBitmapOver(bmp.get(), bmp.get(), 100, 1, 1, {0, 0, 8, 6});
      EXPECT_EQ(bmp.Snapshot(), expected.Snapshot());
    }
  }
}

// ---- BlendEqualBitmaps -----------------------------------------------------

TEST(BlendEqualBitmaps, BlendsWholeImagesOfOneSizeAndFormat) {
  for (TacPixelFormat f : {k24, k32}) {
    TestBitmap dst(5, 3, f, true), src(5, 3, f), expected(5, 3, f, true);
    dst.Fill(Rgb(200, 100, 50), 250);
    Numbered(src);
    expected.CopyFrom(dst);
    ModelBlendOver(expected, src, 200, 0, 0, {0, 0, 5, 3});
    BlendEqualBitmaps(dst.get(), src.get(), 200);
    // Every column of a 32-bit image, its last pixel included.
    EXPECT_EQ(dst.Snapshot(), expected.Snapshot());
  }
  struct Case { const char* what; int dw, dh; TacPixelFormat df; int sw, sh; TacPixelFormat sf; };
  const Case refused[] = {{"other width", 5, 3, k24, 4, 3, k24}, {"other height", 5, 3, k24, 5, 4, k24},
                          {"thin", 1, 3, k24, 1, 3, k24},       {"mixed formats", 5, 3, k24, 5, 3, k32}};
  for (const Case& c : refused) {
    TestBitmap dst(c.dw, c.dh, c.df), src(c.sw, c.sh, c.sf);
    dst.Fill(Rgb(9, 9, 9));
    src.Fill(Rgb(250, 250, 250));
    auto before = dst.Snapshot();
    BlendEqualBitmaps(dst.get(), src.get(), 10);
    EXPECT_EQ(dst.Snapshot(), before) << c.what;
  }
}

// ---- BlendEqualBitmapsInto -------------------------------------------------

// The fade step blends into its own image in one pass; it must give what a copy
// of the start image blended by BlendEqualBitmaps gives, for every byte pair and
// weight.
TEST(BlendEqualBitmapsInto, EqualsCopyThenBlendForEveryByteValueAndWeight) {
  // 256 x 256 pixels of 4 bytes: destination byte y, source byte x, each pair 4 times.
  TestBitmap dst(256, 256, k32), src(256, 256, k32, true), out(256, 256, k32), expected(256, 256, k32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      std::memset(dst->Pixel(x, y), y, 4);
      std::memset(src->Pixel(x, y), x, 4);
    }
  const auto start = dst.Snapshot();
  int wrong = 0;
  for (int a = 0; a < 256; ++a) {
    expected.CopyFrom(dst);
    BlendEqualBitmaps(expected.get(), src.get(), static_cast<uint8_t>(a));
    ASSERT_TRUE(BlendEqualBitmapsInto(out.get(), dst.get(), src.get(), static_cast<uint8_t>(a)));
    if (out.Snapshot() != expected.Snapshot()) ++wrong;
  }
  EXPECT_EQ(wrong, 0) << "weights with a differing byte";
  EXPECT_EQ(dst.Snapshot(), start) << "the start image is read only";
}

TEST(BlendEqualBitmapsInto, OddWidthsAliasesAndRefusals) {
  std::mt19937 rng(7);
  auto noisy = [&](TestBitmap& b) {
    for (int y = 0; y < b->Height(); ++y)
      for (int i = 0; i < b->Width() * b->BytesPerPixel(); ++i) b->Row(y)[i] = static_cast<uint8_t>(rng());
  };
  // The pixel bytes in row order, whatever the layout in memory.
  auto pixels = [](const TestBitmap& b) {
    std::vector<uint8_t> v;
    for (int y = 0; y < b->Height(); ++y) v.insert(v.end(), b->Row(y), b->Row(y) + b->Width() * b->BytesPerPixel());
    return v;
  };
  auto copyPixels = [](TestBitmap& to, const TestBitmap& from) {
    for (int y = 0; y < from->Height(); ++y)
      std::memcpy(to->Row(y), from->Row(y), static_cast<size_t>(from->Width()) * from->BytesPerPixel());
  };
  // Row tails of every length the vector loop can leave, both formats and row orders.
  for (TacPixelFormat f : {k24, k32})
    for (int w : {2, 3, 5, 7, 17, 33, 88}) {
      TestBitmap dst(w, 3, f), src(w, 3, f, true), out(w, 3, f, true), expected(w, 3, f);
      noisy(dst);
      noisy(src);
      noisy(out);
      expected.CopyFrom(dst);
      BlendEqualBitmaps(expected.get(), src.get(), 77);
      ASSERT_TRUE(BlendEqualBitmapsInto(out.get(), dst.get(), src.get(), 77));
      EXPECT_EQ(pixels(out), pixels(expected)) << w;
      EXPECT_TRUE(out.GuardsIntact()) << w;
      // Out may be the source or the start image itself.
      TestBitmap same(w, 3, f);
      copyPixels(same, src);
      ASSERT_TRUE(BlendEqualBitmapsInto(same.get(), dst.get(), same.get(), 77));
      EXPECT_EQ(pixels(same), pixels(expected)) << w << " into the source";
      copyPixels(same, dst);
      ASSERT_TRUE(BlendEqualBitmapsInto(same.get(), same.get(), src.get(), 77));
      EXPECT_EQ(pixels(same), pixels(expected)) << w << " into the start image";
    }
  // Where BlendEqualBitmaps leaves its destination alone, out is a copy of dst.
  struct Case { const char* what; int w, h; TacPixelFormat sf; int sw, sh; };
  const Case copies[] = {{"thin", 1, 3, k24, 1, 3}, {"other size", 5, 3, k24, 4, 3}, {"mixed formats", 5, 3, k32, 5, 3}};
  for (const Case& c : copies) {
    TestBitmap dst(c.w, c.h, k24), src(c.sw, c.sh, c.sf), out(c.w, c.h, k24);
    noisy(dst);
    noisy(src);
    ASSERT_TRUE(BlendEqualBitmapsInto(out.get(), dst.get(), src.get(), 10)) << c.what;
    EXPECT_EQ(pixels(out), pixels(dst)) << c.what;
  }
  TestBitmap dst(5, 3, k24), out(5, 3, k24);
  noisy(dst);
  ASSERT_TRUE(BlendEqualBitmapsInto(out.get(), dst.get(), nullptr, 10));
  EXPECT_EQ(pixels(out), pixels(dst)) << "no source";
  // An out of another size or format, or a missing one, is refused untouched.
  TestBitmap wide(6, 3, k24), deep(5, 3, k32);
  noisy(wide);
  const auto before = wide.Snapshot();
  EXPECT_FALSE(BlendEqualBitmapsInto(wide.get(), dst.get(), dst.get(), 10));
  EXPECT_EQ(wide.Snapshot(), before);
  EXPECT_FALSE(BlendEqualBitmapsInto(deep.get(), dst.get(), dst.get(), 10));
  EXPECT_FALSE(BlendEqualBitmapsInto(nullptr, dst.get(), dst.get(), 10));
  EXPECT_FALSE(BlendEqualBitmapsInto(out.get(), nullptr, dst.get(), 10));
}

// ---- fills -----------------------------------------------------------------

TEST(FillOpaque32, FillsTheRectangleWithOpaquePixels) {
  for (bool bottomUp : {false, true}) {
    TestBitmap bmp(6, 4, k32, bottomUp);
    bmp.Fill(Rgb(1, 1, 1), 7);
    FillOpaque32(bmp.get(), {1, 1, 4, 3}, Rgb(10, 20, 30));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) {
        bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
        EXPECT_EQ(bmp.Rgb(x, y), inside ? Rgb(10, 20, 30) : Rgb(1, 1, 1)) << x << "," << y;
        EXPECT_EQ(bmp.Alpha(x, y), inside ? 255 : 7);
      }
    // Inverted width does nothing; a rectangle leaving the bitmap stays inside it.
    auto before = bmp.Snapshot();
    FillOpaque32(bmp.get(), {4, 0, 1, 4}, 0);
    EXPECT_EQ(bmp.Snapshot(), before);
    FillOpaque32(bmp.get(), {-3, -2, 50, 50}, Rgb(5, 5, 5));
    EXPECT_EQ(bmp.Rgb(0, 0), Rgb(5, 5, 5));
    EXPECT_EQ(bmp.Rgb(5, 3), Rgb(5, 5, 5));
    EXPECT_TRUE(bmp.GuardsIntact());
  }
}

TEST(FillOpaque32, ThinBitmapIsLeftUnchanged) {
  for (auto [w, h] : {std::pair{1, 5}, std::pair{5, 1}}) {
    TestBitmap bmp(w, h, k32);
    bmp.Fill(Rgb(3, 3, 3), 3);
    auto before = bmp.Snapshot();
    FillOpaque32(bmp.get(), {0, 0, w, h}, Rgb(200, 0, 0));
    EXPECT_EQ(bmp.Snapshot(), before);
  }
}

TEST(SetAlphaInRect, SetsOnlyAlphaInsideTheRectangle) {
  TestBitmap bmp(5, 4, k32, true);
  bmp.Fill(Rgb(10, 20, 30), 0);
  SetAlphaInRect(bmp.get(), {1, 2, 3, 4}, 0x99);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(bmp.Alpha(x, y), x >= 1 && x < 3 && y >= 2 ? 0x99 : 0) << x << "," << y;
      EXPECT_EQ(bmp.Rgb(x, y), Rgb(10, 20, 30));
    }
  auto before = bmp.Snapshot();
  SetAlphaInRect(bmp.get(), {3, 3, 1, 1}, 0x11);  // negative size clamps to nothing
  EXPECT_EQ(bmp.Snapshot(), before);
  TestBitmap b24(5, 4, k24);
  auto before24 = b24.Snapshot();
  SetAlphaInRect(b24.get(), {0, 0, 5, 4}, 0x11);  // a 24-bit bitmap has no alpha to set
  EXPECT_EQ(b24.Snapshot(), before24);
}

// ---- FadeRectToColor -------------------------------------------------------

TEST(FadeRectToColor, PercentKeepsThatShareOfThePixel) {
  struct Case { uint8_t percent; uint8_t pixel; uint8_t colour; uint8_t expected; };
  const Case cases[] = {
      {100, 77, 200, 77}, {0, 77, 200, 200},  {50, 1, 0, 0},     {50, 3, 0, 2},  // halves to even
      {50, 5, 0, 2},      {50, 100, 201, 150}, {30, 100, 200, 170},
  };
  for (const Case& c : cases) {
    for (TacPixelFormat f : {k24, k32}) {
      TestBitmap bmp(3, 3, f, true);
      bmp.Fill(c.pixel * 0x010101u, 42);
      FadeRectToColor(bmp.get(), {0, 0, 3, 3}, c.percent, c.colour * 0x010101u);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
          EXPECT_EQ(bmp.Rgb(x, y), c.expected * 0x010101u) << int(c.percent) << " " << int(c.pixel);
          if (f == k32) { EXPECT_EQ(bmp.Alpha(x, y), 42); }
        }
    }
  }
}

TEST(FadeRectToColor, RightAndBottomAreInclusiveAndClipped) {
  struct Case { TacRect r; int l, t, rt, b; };  // expected changed columns l..rt, rows t..b
  const Case cases[] = {
      {{1, 1, 2, 2}, 1, 1, 2, 2},
      {{0, 0, 6, 5}, 0, 0, 5, 4},       // the whole bitmap, exactly
      {{-4, -4, 99, 99}, 0, 0, 5, 4},
      {{3, 2, 3, 2}, 3, 2, 3, 2},       // one pixel
      {{4, 0, 3, 4}, 1, 1, 0, 0},       // inverted: nothing
  };
  for (const Case& c : cases) {
    TestBitmap bmp(6, 5, k24, true);
    bmp.Fill(Rgb(100, 100, 100));
    FadeRectToColor(bmp.get(), c.r, 0, Rgb(1, 2, 3));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        bool inside = x >= c.l && x <= c.rt && y >= c.t && y <= c.b;
        EXPECT_EQ(bmp.Rgb(x, y), inside ? Rgb(1, 2, 3) : Rgb(100, 100, 100)) << c.r.Left << " " << x << "," << y;
      }
    EXPECT_TRUE(bmp.GuardsIntact());
  }
}

TEST(FadeRectToColor, ResolvesASystemColour) {
  SetSysColorSource(nullptr);
  TestBitmap bmp(2, 2, k24);
  FadeRectToColor(bmp.get(), {0, 0, 1, 1}, 0, 0x8000000F);  // button face
  EXPECT_EQ(bmp.Rgb(1, 1), ColorToRGB(0x8000000F));
  EXPECT_EQ(bmp.Rgb(1, 1), Rgb(212, 208, 200));
}

// ---- CopyBlendedRect -------------------------------------------------------

TEST(CopyBlendedRect, MixesAllFormatCombinationsAndSkipsTheKey) {
  const TacPixelFormat combos[][2] = {{k32, k24}, {k24, k32}, {k24, k24}, {k32, k32}};
  for (auto& combo : combos) {
    TestBitmap dst(4, 3, combo[0], true), src(4, 3, combo[1]);
    dst.Fill(Rgb(0, 100, 200), 33);
    src.Fill(Rgb(100, 0, 0), 77);
    src.Set(1, 1, TransparentKey, 200);  // key with some alpha: alpha is never compared
    CopyBlendedRect(dst.get(), 0, 0, TransparentKey, 0.25, {0, 0, 3, 2}, src.get());
    // s - w * (s - d): red 100 - 0.25 * 100 = 75, green 0 + 25 = 25, blue 0 + 50 = 50
    EXPECT_EQ(dst.Rgb(0, 0), Rgb(75, 25, 50));
    EXPECT_EQ(dst.Rgb(3, 2), Rgb(75, 25, 50)) << "right and bottom are inclusive";
    EXPECT_EQ(dst.Rgb(1, 1), Rgb(0, 100, 200)) << "key pixel skipped";
    if (combo[0] == k32) { EXPECT_EQ(dst.Alpha(2, 2), 33) << "alpha untouched"; }

    // A key whose top byte is 0xFF means no key: the fuchsia pixel is mixed too.
    TestBitmap fresh(4, 3, combo[0]);
    fresh.Fill(Rgb(0, 100, 200), 33);
    CopyBlendedRect(fresh.get(), 0, 0, 0xFF000000u | TransparentKey, 0.0, {0, 0, 3, 2}, src.get());
    EXPECT_EQ(fresh.Rgb(1, 1), TransparentKey);
    EXPECT_EQ(fresh.Rgb(0, 0), Rgb(100, 0, 0));
    EXPECT_TRUE(dst.GuardsIntact());
  }
}

TEST(CopyBlendedRect, RoundsHalvesToEven) {
  struct Case { uint8_t s, d; double w; uint8_t expected; };
  const Case cases[] = {{1, 0, 0.5, 0}, {3, 0, 0.5, 2}, {5, 0, 0.5, 2}, {0, 7, 0.5, 4}, {10, 20, 0.4, 14}, {200, 0, 1.0, 0}};
  for (const Case& c : cases) {
    TestBitmap dst(2, 2, k24), src(2, 2, k24);
    dst.Fill(c.d * 0x010101u);
    src.Fill(c.s * 0x010101u);
    CopyBlendedRect(dst.get(), 0, 0, 0xFF000000u, c.w, {0, 0, 1, 1}, src.get());
    EXPECT_EQ(dst.Rgb(1, 1), c.expected * 0x010101u) << int(c.s) << " " << int(c.d) << " " << c.w;
  }
}

TEST(CopyBlendedRect, NegativeSourceCornerShiftsTheDestination) {
  TestBitmap dst(8, 8, k24), src(5, 5, k24, true);
  Numbered(src);
  dst.Fill(0);
  // The source rectangle starts 2 columns and 1 row before the source: its
  // pixel (0, 0) lands at (x + 2, y + 1).
  CopyBlendedRect(dst.get(), 1, 1, 0xFF000000u, 0.0, {-2, -1, 1, 1}, src.get());
  EXPECT_EQ(dst.Rgb(3, 2), src.Rgb(0, 0));
  EXPECT_EQ(dst.Rgb(4, 3), src.Rgb(1, 1));
  EXPECT_EQ(dst.Rgb(2, 2), 0u);
  EXPECT_EQ(dst.Rgb(5, 2), 0u);
}

// ---- MakeGrey --------------------------------------------------------------

TEST(MakeGrey, AveragesTheChannelsAndKeepsAlpha) {
  for (TacPixelFormat f : {k24, k32}) {
    TestBitmap bmp(3, 2, f, true);
    bmp.Fill(Rgb(10, 20, 31), 99);
    bmp.Set(2, 1, Rgb(255, 255, 254), 5);
    MakeGrey(bmp.get());
    EXPECT_EQ(bmp.Rgb(0, 0), Rgb(20, 20, 20));
    EXPECT_EQ(bmp.Rgb(2, 1), Rgb(254, 254, 254));  // 764 div 3
    if (f == k32) { EXPECT_EQ(bmp.Alpha(0, 0), 99); }
    EXPECT_TRUE(bmp.GuardsIntact());
  }
}

TEST(MakeGrey, ExceptKeyLeavesKeyPixels) {
  TestBitmap bmp(3, 2, k24);
  bmp.Fill(Rgb(10, 20, 31));
  bmp.Set(1, 0, TransparentKey);
  MakeGreyExceptKey(bmp.get(), TransparentKey);
  EXPECT_EQ(bmp.Rgb(1, 0), TransparentKey);
  EXPECT_EQ(bmp.Rgb(0, 0), Rgb(20, 20, 20));
  EXPECT_EQ(bmp.Rgb(2, 1), Rgb(20, 20, 20));
}

// ---- whole routines on random input ------------------------------------------

namespace {

uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// Rounding model independent of the code under test: the FPU's own
// round-to-nearest-even.
uint8_t NearestByte(double v) {
  double r = std::nearbyint(v);
  return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

bool KeyColoured(const uint8_t* bgr, uint32_t key) {
  return bgr[2] == (key & 0xFF) && bgr[1] == ((key >> 8) & 0xFF) && bgr[0] == ((key >> 16) & 0xFF);
}

// Destination (X, Y) takes source (X - x + r.Left, Y - y + r.Top) when that lies
// in the rectangle (right and bottom inclusive) cut to the source.
void ModelCopyBlended(TestBitmap& d, int x, int y, uint32_t key, double w, TacRect r, const TestBitmap& s) {
  const int64_t sl = std::max(r.Left, 0), st = std::max(r.Top, 0);
  const int64_t sr = std::min(r.Right, s->Width() - 1), sb = std::min(r.Bottom, s->Height() - 1);
  for (int Y = 0; Y < d->Height(); ++Y)
    for (int X = 0; X < d->Width(); ++X) {
      int64_t sx = int64_t(X) - x + r.Left, sy = int64_t(Y) - y + r.Top;
      if (sx < sl || sx > sr || sy < st || sy > sb) continue;
      const uint8_t* sp = s->Pixel(int(sx), int(sy));
      if ((key >> 24) != 0xFF && KeyColoured(sp, key)) continue;
      uint8_t* dp = d->Pixel(X, Y);
      for (int c = 0; c < 3; ++c) dp[c] = NearestByte(sp[c] - w * (sp[c] - dp[c]));
    }
}

void ModelFade(TestBitmap& b, TacRect r, uint8_t percent, uint32_t colour) {
  const double f = percent / 100.0;
  const uint8_t col[3] = {uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)};
  for (int y = std::max(r.Top, 0); y <= std::min(r.Bottom, b->Height() - 1); ++y)
    for (int x = std::max(r.Left, 0); x <= std::min(r.Right, b->Width() - 1); ++x) {
      uint8_t* p = b->Pixel(x, y);
      for (int c = 0; c < 3; ++c) p[c] = NearestByte(p[c] * f + col[c] * (1 - f));
    }
}

}  // namespace

// Random sizes, row orders, formats and rectangles through the three clipping
// routines: every byte of each buffer (guards and row padding included) must
// match the per-pixel model, and the checksum of all results pins the output.
TEST(PixelRoutinesRandom, MatchThePixelModelAndWriteNowhereElse) {
  std::mt19937 rng(0x5A17u);
  auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<uint32_t>(hi - lo + 1)); };
  uint32_t crc = 0;
  int changed = 0;
  for (int iter = 0; iter < 900; ++iter) {
    const int op = iter % 3;
    const TacPixelFormat df = rng() & 1 ? k24 : k32;
    const TacPixelFormat sf = op == 0 && pick(0, 9) != 0 ? df : (rng() & 1 ? k24 : k32);
    const int dw = pick(1, 23), dh = pick(1, 23), sw = pick(1, 23), sh = pick(1, 23);
    TestBitmap dst(dw, dh, df, rng() & 1), expected(dw, dh, df, false), src(sw, sh, sf, rng() & 1);
    dst.Randomize(rng);
    src.Randomize(rng);
    for (int y = 0; y < dh; ++y)  // the model bitmap is top-down whatever the target's order
      for (int x = 0; x < dw; ++x) std::memcpy(expected->Pixel(x, y), dst->Pixel(x, y), dst->BytesPerPixel());
    const int bw = op == 2 ? dw : sw, bh = op == 2 ? dh : sh;
    TacRect r;
    r.Left = pick(-5, bw);
    r.Top = pick(-5, bh);
    r.Right = r.Left + pick(-1, bw + 5);
    r.Bottom = r.Top + pick(-1, bh + 5);
    const int px = pick(-6, dw), py = pick(-6, dh);
    std::string what = "iteration " + std::to_string(iter) + " op " + std::to_string(op) + " d " +
                       std::to_string(dw) + "x" + std::to_string(dh) + (df == k24 ? "/24" : "/32") + " s " +
                       std::to_string(sw) + "x" + std::to_string(sh) + (sf == k24 ? "/24" : "/32") + " r " +
                       std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
                       std::to_string(r.Bottom) + " at " + std::to_string(px) + "," + std::to_string(py);

    const std::vector<uint8_t> before = dst.Snapshot();
    if (op == 0) {
      const uint8_t alpha = static_cast<uint8_t>(rng());
      BlendBitmapOver(dst.get(), src.get(), alpha * 0x010101u, px, py, r);
      ModelBlendOver(expected, src, alpha, px, py, r);
    } else if (op == 1) {
      // Plant key pixels so the key test has something to skip.
      const uint32_t keyed = Rgb(pick(0, 255), pick(0, 255), pick(0, 255));
      for (int k = 0; k < 4; ++k) src.Set(pick(0, sw - 1), pick(0, sh - 1), keyed, static_cast<uint8_t>(rng()));
      const uint32_t keys[] = {keyed, 0xFF000000u | keyed, TransparentKey};
      const uint32_t key = keys[pick(0, 2)];
      const double w = pick(0, 4) == 0 ? 0.5 : pick(0, 100) / 100.0;
      CopyBlendedRect(dst.get(), px, py, key, w, r, src.get());
      ModelCopyBlended(expected, px, py, key, w, r, src);
    } else {
      const uint8_t percent = static_cast<uint8_t>(pick(0, 100));
      const uint32_t colour = Rgb(pick(0, 255), pick(0, 255), pick(0, 255));
      FadeRectToColor(dst.get(), r, percent, colour);
      ModelFade(expected, r, percent, colour);
    }

    ASSERT_TRUE(dst.GuardsIntact()) << what;
    changed += dst.Snapshot() != before;
    for (int y = 0; y < dh; ++y) {
      const size_t used = static_cast<size_t>(dw) * dst->BytesPerPixel();
      ASSERT_EQ(std::memcmp(dst->Row(y), expected->Row(y), used), 0) << what << " row " << y;
      const size_t stride = TacBitmap::StrideFor(dw, df);  // row padding is never written
      for (size_t i = used; i < stride; ++i) ASSERT_EQ(dst->Row(y)[i], TestBitmap::kGuardByte) << what;
      crc = Crc32(dst->Row(y), used, crc);
    }
  }
  // Clipped-away and refused cases are wanted too, but most must draw.
  EXPECT_GT(changed, 330) << changed << " of 900 cases drew something";
  // Pinned once the output had been checked against the model above.
  EXPECT_EQ(crc, 0x8CFA4224u) << std::hex << crc;
}
