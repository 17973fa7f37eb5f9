// Whole-bitmap colour changes through the memo against a plain walk over every
// pixel, on skin-like pictures and on noise, in both pixel formats and row orders.
#include "skin/acRecolorBitmap.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "PixelTestBitmaps.h"
#include "skin/acHueRotation.h"

namespace {

uint32_t Turn(const void* rotation, uint32_t c) { return (*static_cast<const TacHueRotation*>(rotation))(c); }

bool Kept(uint32_t rgb, bool keepGrey) {
  const bool grey = (rgb & 0xFF) == (rgb >> 8 & 0xFF) && (rgb & 0xFF) == (rgb >> 16 & 0xFF);
  return rgb == 0xFF00FF || (keepGrey && grey);
}

// What every pixel must become.
void RecolorEveryPixel(TestBitmap& b, const TacHueRotation& rotation, bool keepGrey) {
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) {
      const uint32_t rgb = b.Rgb(x, y);
      if (!Kept(rgb, keepGrey)) b.Set(x, y, rotation(rgb), b->BytesPerPixel() == 4 ? b.Alpha(x, y) : 0);
    }
}

enum class Content { SkinLike, RowsWithSpecks, Noise };

// Skin-like: a few colours in runs, rows that repeat, key and grey areas, alpha
// that varies where the colour does not. Specks: each row is the row above with a
// few pixels changed. Noise: every byte random (more colours than the memo keeps).
void Paint(TestBitmap& b, Content kind, std::mt19937& rng) {
  const uint32_t palette[] = {0xFF00FF, 0x808080, 0xFFFFFF, 0x000000, 0x3366CC, 0xCC6633, 0x10A040, 0xFE00FF,
                              0xE0E0E1, 0x0000FF};
  if (kind == Content::Noise) {
    b.Randomize(rng);
    return;
  }
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) {
      const bool repeat = y > 0 && (kind == Content::RowsWithSpecks ? rng() % 23 != 0 : rng() % 3 != 0);
      if (repeat) {
        b.Set(x, y, b.Rgb(x, y - 1), b->BytesPerPixel() == 4 ? b.Alpha(x, y - 1) : 0);
      } else if (x > 0 && rng() % 4 != 0) {
        b.Set(x, y, b.Rgb(x - 1, y), static_cast<uint8_t>(rng()));
      } else {
        b.Set(x, y, palette[rng() % 10], static_cast<uint8_t>(rng()));
      }
    }
}

struct Picture {
  int Width, Height;
  TacPixelFormat Format;
  bool BottomUp;
  Content Kind;
};

class RecolorBitmapPictures : public ::testing::TestWithParam<Picture> {};

TEST_P(RecolorBitmapPictures, MatchesAWalkOverEveryPixel) {
  const Picture& p = GetParam();
  const TacHueRotation rotation(137);
  for (bool keepGrey : {true, false}) {
    std::mt19937 rng(static_cast<unsigned>(p.Width * 7919 + p.Height));
    TestBitmap b(p.Width, p.Height, p.Format, p.BottomUp);
    Paint(b, p.Kind, rng);
    TestBitmap expected(p.Width, p.Height, p.Format, p.BottomUp);
    expected.CopyFrom(b);
    RecolorEveryPixel(expected, rotation, keepGrey);

    TacColorMemo memo(Turn, &rotation, keepGrey);
    RecolorBitmap(*b.get(), memo);
    // Padding and guards included: nothing is written outside the pixels.
    EXPECT_EQ(b.Snapshot(), expected.Snapshot()) << "keep grey " << keepGrey;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RecolorBitmapPictures,
    ::testing::Values(
        // Widths around the 16- and 64-pixel steps, single rows and columns.
        Picture{1, 1, TacPixelFormat::pf24bit, false, Content::SkinLike},
        Picture{1, 9, TacPixelFormat::pf24bit, true, Content::SkinLike},
        Picture{9, 1, TacPixelFormat::pf32bit, false, Content::SkinLike},
        Picture{15, 20, TacPixelFormat::pf24bit, false, Content::SkinLike},
        Picture{16, 20, TacPixelFormat::pf32bit, true, Content::SkinLike},
        Picture{17, 20, TacPixelFormat::pf24bit, true, Content::RowsWithSpecks},
        Picture{63, 30, TacPixelFormat::pf32bit, false, Content::RowsWithSpecks},
        Picture{64, 30, TacPixelFormat::pf24bit, false, Content::SkinLike},
        Picture{65, 30, TacPixelFormat::pf32bit, false, Content::SkinLike},
        Picture{130, 41, TacPixelFormat::pf24bit, true, Content::RowsWithSpecks},
        Picture{101, 77, TacPixelFormat::pf32bit, true, Content::Noise},
        Picture{256, 200, TacPixelFormat::pf24bit, false, Content::Noise}));

TEST(RecolorBitmap, AsksTheColourFunctionOncePerDistinctColour) {
  std::mt19937 rng(5);
  TestBitmap b(120, 60, TacPixelFormat::pf24bit);
  Paint(b, Content::SkinLike, rng);
  std::set<uint32_t> distinct;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      if (!Kept(b.Rgb(x, y), true)) distinct.insert(b.Rgb(x, y));

  struct Counter {
    std::multiset<uint32_t> asked;
    static uint32_t Fn(const void* self, uint32_t c) {
      const_cast<Counter*>(static_cast<const Counter*>(self))->asked.insert(c);
      return c ^ 0x010203;
    }
  } counter;
  TacColorMemo memo(Counter::Fn, &counter, true);
  RecolorBitmap(*b.get(), memo);
  EXPECT_EQ(std::set<uint32_t>(counter.asked.begin(), counter.asked.end()), distinct);
  EXPECT_EQ(counter.asked.size(), distinct.size());
}

}  // namespace
