#include "paint/acBlurMask8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "CpuPathScope.h"
#include "paint/acMask8.h"

namespace {

std::vector<int> Pixels(const TacMask8& m) {
  std::vector<int> v;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) v.push_back(*m.Pixel(x, y));
  return v;
}

}  // namespace

TEST(BlurSumToByte, TruncatesWithinTheByteRangeAndClampsOutside) {
  struct Case { float sum; int expected; };
  const Case cases[] = {
      {255.0f, 255},  // exactly 255 stays 255 and does not wrap to 0
      {255.5f, 255},     {256.0f, 255}, {1e9f, 255},
      {254.9f, 254},     {254.5f, 254}, {102.67f, 102}, {0.99f, 0},  // truncated, not rounded
      {0.0f, 0},         {-0.5f, 0},    {-1e9f, 0},
      {100.0f - 2e-4f, 100},  // single-precision noise below a whole value counts as that value
      {100.0f - 0.01f, 99},
  };
  for (const Case& c : cases) EXPECT_EQ(BlurSumToByte(c.sum), c.expected) << c.sum;
  EXPECT_EQ(BlurSumToByte(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(MakeBlurKernel, CutsTheHalfWidthWhereTheTailsStopMattering) {
  // Radius 1: the dropped tails reach 2.7e-4 with offsets 4 and up, still below
  // 1 / 510; offset 3 (weight 0.0044 a side) tips the sum over the limit and is
  // dropped as well, leaving -2..2.
  struct Case { double radius; int halfWidth; };
  const Case cases[] = {{0.1, 1}, {0.5, 1}, {1, 2}, {2, 5}, {3, 8}, {5, 14}, {10, 30}, {30, 89}, {50, 99}, {255, 99}};
  for (const Case& c : cases) {
    TacBlurKernel k = MakeBlurKernel(c.radius);
    EXPECT_EQ(k.HalfWidth, c.halfWidth) << c.radius;
    double sum = 0;
    for (int d = -k.HalfWidth; d <= k.HalfWidth; ++d) {
      sum += k.At(d);
      EXPECT_EQ(k.At(d), k.At(-d)) << c.radius << " " << d;
      if (d < 0) {
        EXPECT_LE(k.At(d), k.At(d + 1)) << c.radius << " " << d;
      }
    }
    EXPECT_NEAR(sum, 1.0, 1e-6) << c.radius;
    for (int d = k.HalfWidth + 1; d <= TacBlurKernel::kMaxHalfWidth; ++d) EXPECT_EQ(k.At(d), 0.0f) << d;
  }
  TacBlurKernel one = MakeBlurKernel(1);
  EXPECT_NEAR(one.At(0), 0.40262, 1e-5);  // exp(0) / (1 + 2 e^-0.5 + 2 e^-2)
  EXPECT_NEAR(one.At(1), 0.24420, 1e-5);
  EXPECT_NEAR(one.At(2), 0.05449, 1e-5);
}

TEST(BlurMask8, BlursRowsThenColumnsWithTruncation) {
  // One bright pixel, radius 1: the row pass gives 13 62 102 62 13 (255 times the
  // weights above, truncated), the column pass spreads each of those.
  TacMask8Ptr m = NewMemoryMask8(7, 7);
  *m->Pixel(3, 3) = 255;
  BlurMask8(m.get(), 1.0);
  const std::vector<int> expected = {
      0, 0, 0,  0,  0,  0, 0,  //
      0, 0, 3,  5,  3,  0, 0,  // 13 * 0.0545 = 0.71 gives 0
      0, 3, 15, 24, 15, 3, 0,  // 62 * 0.4026 = 24.96 gives 24, not 25
      0, 5, 24, 41, 24, 5, 0,  //
      0, 3, 15, 24, 15, 3, 0,  //
      0, 0, 3,  5,  3,  0, 0,  //
      0, 0, 0,  0,  0,  0, 0,
  };
  EXPECT_EQ(Pixels(*m), expected);

  // A single row: the columns repeat the row at both edges, so it stays as the row pass left it.
  TacMask8Ptr row = NewMemoryMask8(7, 1);
  *row->Pixel(3, 0) = 255;
  BlurMask8(row.get(), 1.0);
  EXPECT_EQ(Pixels(*row), (std::vector<int>{0, 13, 62, 102, 62, 13, 0}));
}

TEST(BlurMask8, EdgesRepeatBeyondTheBorder) {
  // A white left half, a black right half, radius 1: the border columns see their own
  // value repeated (not black), and next to the step the row gets 255 times the sums
  // of the weights reaching over it.
  TacMask8Ptr m = NewMemoryMask8(12, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) *m->Pixel(x, y) = 255;
  BlurMask8(m.get(), 1.0);
  const std::vector<int> row = {255, 255, 255, 255, 241, 178, 76, 13, 0, 0, 0, 0};
  std::vector<int> expected;
  for (int y = 0; y < 3; ++y) expected.insert(expected.end(), row.begin(), row.end());
  EXPECT_EQ(Pixels(*m), expected);
}

TEST(BlurMask8, FlatAreasKeepTheirValue) {
  // Single-precision sums of a flat area come out a few units in the last place off;
  // a white mask must stay white (255 is "untouched" for the glow), whatever the radius.
  for (int radius = 1; radius <= 40; ++radius) {
    for (int value : {0, 1, 17, 128, 254, 255}) {
      TacMask8Ptr m = NewMemoryMask8(23, 9);
      m->Fill(static_cast<uint8_t>(value));
      BlurMask8(m.get(), radius);
      EXPECT_EQ(Pixels(*m), std::vector<int>(23 * 9, value)) << "radius " << radius << " value " << value;
    }
  }
}

TEST(BlurMask8, RowOrderDoesNotMatter) {
  // The same picture held bottom-up (negative row step) blurs to the same rows; the
  // row padding is not touched.
  const int w = 9, h = 6;
  const size_t stride = TacMask8::StrideFor(w);
  std::vector<uint8_t> buffer(stride * h, 0xA5);
  TacMask8 up(w, h, buffer.data() + stride * (h - 1), -static_cast<ptrdiff_t>(stride), nullptr, nullptr);
  TacMask8Ptr down = NewMemoryMask8(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t v = static_cast<uint8_t>((x * 37 + y * 91) % 256);
      *up.Pixel(x, y) = v;
      *down->Pixel(x, y) = v;
    }
  BlurMask8(&up, 2.5);
  BlurMask8(down.get(), 2.5);
  EXPECT_EQ(Pixels(up), Pixels(*down));
  for (int y = 0; y < h; ++y)
    for (size_t pad = w; pad < stride; ++pad) EXPECT_EQ(up.Row(y)[pad], 0xA5);
}

TEST(BlurMask8, NothingToBlur) {
  TacMask8Ptr m = NewMemoryMask8(5, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) *m->Pixel(x, y) = static_cast<uint8_t>(x * 50 + y);
  const std::vector<int> before = Pixels(*m);
  for (double radius : {0.0, -3.0, std::nan("")}) {
    BlurMask8(m.get(), radius);
    EXPECT_EQ(Pixels(*m), before) << radius;
  }
  BlurMask8(nullptr, 5);
  TacMask8Ptr empty = NewMemoryMask8(0, 3);
  BlurMask8(empty.get(), 5);
  TacMask8Ptr one = NewMemoryMask8(1, 1);
  *one->Pixel(0, 0) = 77;
  BlurMask8(one.get(), 5);
  EXPECT_EQ(*one->Pixel(0, 0), 77);
}

// ---- vector paths ------------------------------------------------------------

namespace {

// The blur as the one-pixel loop defines it, with a freshly made kernel: rows, then
// columns, each sum taken in order of d in single precision.
std::vector<int> ModelBlur(std::vector<int> px, int w, int h, double radius) {
  const TacBlurKernel k = MakeBlurKernel(radius);
  const int n = k.HalfWidth;
  auto at = [&](int x, int y) -> int& { return px[static_cast<size_t>(y) * w + x]; };
  std::vector<int> line;
  for (int y = 0; y < h; ++y) {
    line.assign(px.begin() + static_cast<ptrdiff_t>(y) * w, px.begin() + static_cast<ptrdiff_t>(y + 1) * w);
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      for (int d = -n; d <= n; ++d) sum += k.At(d) * static_cast<float>(line[std::clamp(x - d, 0, w - 1)]);
      at(x, y) = BlurSumToByte(sum);
    }
  }
  const std::vector<int> rows = px;
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      float sum = 0;
      for (int d = -n; d <= n; ++d) sum += k.At(d) * static_cast<float>(rows[std::clamp(y - d, 0, h - 1) * w + x]);
      at(x, y) = BlurSumToByte(sum);
    }
  return px;
}

// Pictures that take the vector paths through their branches: noise, a glow mask's
// white with dark glyph blocks (whole rows, columns and blocks of one value), stripes
// of equal columns, and a flat area with a few specks.
void Paint(TacMask8& m, int kind, std::mt19937& rng) {
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) {
      uint8_t v = 0;
      switch (kind) {
        case 0:
          v = static_cast<uint8_t>(rng());
          break;
        case 1:
          v = (y >= m.Height() / 3 && y < 2 * m.Height() / 3 && x % 9 < 6) ? ((rng() & 3) ? 0 : 128) : 255;
          break;
        case 2:
          v = static_cast<uint8_t>((x / 5) % 2 ? 255 : 40 + y / 7);
          break;
        default:
          v = rng() % 97 == 0 ? static_cast<uint8_t>(rng()) : 255;
      }
      *m.Pixel(x, y) = v;
    }
}

}  // namespace

TEST(BlurMask8, EveryPathGivesTheOnePixelLoopsBytes) {
  std::mt19937 rng(0xB10Bu);
  const double radii[] = {0.5, 1, 2, 2.5, 3, 5, 7.5, 10, 30};
  int cases = 0;
  for (int iter = 0; iter < 90; ++iter) {
    const int w = 1 + static_cast<int>(rng() % 90), h = 1 + static_cast<int>(rng() % 40);
    const double radius = radii[iter % 9];  // more radii than the kernels kept between calls
    TacMask8Ptr pristine = NewMemoryMask8(w, h);
    Paint(*pristine, iter % 4, rng);
    const std::vector<int> expected = ModelBlur(Pixels(*pristine), w, h, radius);
    for (TacCpuPath p : AvailableCpuPaths()) {
      CpuPathScope scope(p);
      // Bottom-up rows with padding, as the platform's masks come.
      const size_t stride = TacMask8::StrideFor(w);
      std::vector<uint8_t> buffer(stride * h + 8, 0xA5);
      TacMask8 m(w, h, buffer.data() + stride * (h - 1), -static_cast<ptrdiff_t>(stride), nullptr, nullptr);
      for (int y = 0; y < h; ++y) std::copy(pristine->Row(y), pristine->Row(y) + w, m.Row(y));
      BlurMask8(&m, radius);
      ASSERT_EQ(Pixels(m), expected) << CpuPathName(p) << " " << w << "x" << h << " radius " << radius << " kind "
                                     << iter % 4;
      for (int y = 0; y < h; ++y)
        for (size_t pad = w; pad < stride; ++pad) ASSERT_EQ(m.Row(y)[pad], 0xA5) << CpuPathName(p);
      ASSERT_EQ(buffer.back(), 0xA5);
      ++cases;
    }
  }
  EXPECT_GE(cases, 90 * 2) << "a vector path besides the scalar one";
}

TEST(BlurMask8, FlatAreasKeepTheirValueOnEveryPath) {
  for (TacCpuPath p : AvailableCpuPaths()) {
    CpuPathScope scope(p);
    for (double radius : {1.0, 2.0, 5.0, 10.0, 40.0})
      for (int value = 0; value < 256; ++value) {
        TacMask8Ptr m = NewMemoryMask8(70, 5);
        m->Fill(static_cast<uint8_t>(value));
        BlurMask8(m.get(), radius);
        ASSERT_EQ(Pixels(*m), std::vector<int>(70 * 5, value)) << CpuPathName(p) << " radius " << radius;
      }
  }
}
