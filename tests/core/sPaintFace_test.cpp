// The face of an item: how texture, gradient and colour shares mix.
#include "paint/sPaintFace.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"
#include "paint/sGraphUtils.h"

using paintfix::Bitmap24;
using paintfix::MasterModel;

namespace {

uint32_t Channel(uint32_t c, int shift) { return (c >> shift) & 0xFF; }

class Face : public ::testing::Test {
 protected:
  Face() : mm(Bitmap24(4, 4, [](int x, int y) { return 0x102030u * static_cast<uint32_t>(1 + (x + y) % 3); })) {
    mm.Model.Masks.push_back(mm.Mask({0, 0, 4, 4}, 1, 0, 0, 0, 0, 0, 0));
    mm.Model.Masks.back().ImgType = itisaTexture;
  }
  MasterModel mm;
  TsGradArray grad = ParseGradientData("3355443;3355443;100;0;0");  // flat 0x333333
};

}  // namespace

TEST_F(Face, TextureAndGradientSharesThenTheColourTakesTheRest) {
  TestBitmap b(8, 8, TacPixelFormat::pf24bit);
  TacFace face;
  face.Color = 0xC08040;
  face.GradientPercent = 50;
  face.Gradient = &grad;
  face.ImagePercent = 30;
  face.Texture = TacTextureSource::Mask(&mm.Model, 0);
  PaintFace(b.get(), {0, 0, 8, 8}, face, EmptyParentImage);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const uint32_t tex = 0x102030u * static_cast<uint32_t>(1 + (x % 4 + y % 4) % 3);
      for (int shift : {0, 8, 16}) {
        // Texture keeps a = 30 * 255 div 100 = 76 of 256, the gradient the rest;
        // then 80 % of that and 20 % of the colour.
        const uint32_t mixed = (Channel(tex, shift) * 76 + 0x33 * 179 + 127) >> 8;
        const int64_t expected = RoundHalfEven(mixed * 0.8 + Channel(face.Color, shift) * 0.2);
        ASSERT_EQ(Channel(b.Rgb(x, y), shift), static_cast<uint32_t>(expected)) << x << "," << y << " " << shift;
      }
    }
}

TEST_F(Face, SharesDecideWhatIsPainted) {
  struct Case {
    int gp, ip;
    int texture;  // mask index, -1 none, 5 outside the table
    uint32_t expectAt00;
  };
  const uint32_t colour = 0x204060;
  const Case cases[] = {
      {0, 0, -1, colour},       // nothing but the colour
      {0, 100, 5, colour},      // texture outside the table: colour everywhere
      {100, 0, -1, 0x333333},   // gradient alone
      {0, 100, 0, 0x102030},    // texture alone
      {100, 0, -1, 0x333333},
  };
  for (const Case& c : cases) {
    TestBitmap b(4, 4, TacPixelFormat::pf32bit);
    TacFace face;
    face.Color = colour;
    face.GradientPercent = c.gp;
    face.Gradient = &grad;
    face.ImagePercent = c.ip;
    if (c.texture >= 0) face.Texture = TacTextureSource::Mask(&mm.Model, c.texture);
    PaintFace(b.get(), {0, 0, 4, 4}, face, EmptyParentImage);
    EXPECT_EQ(b.Rgb(0, 0), c.expectAt00) << c.gp << "/" << c.ip << "/" << c.texture;
    EXPECT_EQ(b.Alpha(3, 3), 255);
  }
  // A gradient share without gradient pieces paints the colour in its place.
  TestBitmap b(4, 4, TacPixelFormat::pf24bit);
  TsGradArray none;
  TacFace face;
  face.Color = colour;
  face.GradientPercent = 100;
  face.Gradient = &none;
  PaintFace(b.get(), {0, 0, 4, 4}, face, EmptyParentImage);
  EXPECT_EQ(b.Rgb(2, 2), colour);
}

TEST_F(Face, ModeTwoTextureLeavesTheRestToTheColour) {
  // A 4-high texture row along the top of a 100-high face; the rest is the colour.
  mm.Model.Masks[0].DrawMode = 2;
  TestBitmap b(10, 100, TacPixelFormat::pf24bit);
  TacFace face;
  face.Color = 0x00FF00;
  face.ImagePercent = 100;
  face.Texture = TacTextureSource::Mask(&mm.Model, 0);
  PaintFace(b.get(), {0, 0, 10, 100}, face, EmptyParentImage);
  EXPECT_EQ(b.Rgb(0, 0), 0x102030u);
  EXPECT_EQ(b.Rgb(9, 3), 0x102030u * 2);
  for (int y = 4; y < 100; ++y) ASSERT_EQ(b.Rgb(5, y), 0x00FF00u) << y;
}
