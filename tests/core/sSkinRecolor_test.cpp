#include "skin/sSkinRecolor.h"

#include <gtest/gtest.h>

#include "SkinFixtures.h"
#include "paint/sGraphUtils.h"
#include "skin/acImageDecode.h"

using skinfix::PackedSkin;

namespace {

uint32_t Rgb(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

// Master pixels: key colour in column 15, grey in column 14, colours elsewhere.
uint32_t MasterPixel(int x, int y) {
  if (x == 15) return 0xFF00FF;
  if (x == 14) return 0x404040;
  return static_cast<uint32_t>(0x2040A0 + x * 0x0A0301 + y * 0x000509);
}

const char* const kOptions =
    "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nBIKEEPHUE=2\n"
    "BICONCLOSE=@0000@0000@0004@0004@1@0\n"
    "BICONMAX=@0004@0000@0008@0004@1@0\n"
    "SICONCLOSE=!SICON.BMP!1!0!2\n"
    "BICONCLOSEGLOW0=!GLOW.PNG!1!0!4\n"
    "SHADOW1COLOR=255\nBORDERCOLOR=65280\n"
    "[BUTTON]\nCOLOR=3381708\nHOTCOLOR=13382451\nFONTCOLOR=255\nGCOL=65280\n"
    "GRADIENTDATA=16711680;65280;50;0;0\nBORDERSMASK=!B.BMP!1!0!0\nGLYPH=!G.PNG!1!0!4\n";

std::vector<TacPackEntry> Images() {
  auto colour = [](int x, int y) { return x == 0 ? 0xFF00FFu : x == 1 ? 0x808080u : 0x3366CCu + y; };
  return {{"MASTER.BMP", skinfix::MakeBmp(16, 8, 24, MasterPixel)},
          {"SICON.BMP", skinfix::MakeBmp(3, 3, 24, colour)},
          {"GLOW.PNG", skinfix::MakePng(3, 3, [&](int x, int y) { return 0xFF000000u | colour(x, y); })},
          {"B.BMP", skinfix::MakeBmp(3, 3, 24, colour)},
          {"G.PNG", skinfix::MakePng(3, 3, [&](int x, int y) { return 0x80000000u | colour(x, y); })}};
}

}  // namespace

TEST(SkinRecolor, NoHueAndNoSaturationKeepEveryPixel) {
  PackedSkin s;
  s.Load(kOptions, Images());
  std::vector<uint8_t> master = skinfix::MakeBmp(16, 8, 24, MasterPixel);
  TacBitmapPtr expected = DecodeBmp(master.data(), master.size());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(Rgb(*s.Model.MasterBitmap, x, y), Rgb(*expected, x, y));
  const TsMaskData& b = s.Model.Masks[static_cast<size_t>(s.Model.FindMask("BUTTON", "BORDERSMASK"))];
  EXPECT_EQ(Rgb(*b.Bmp, 2, 1), 0x3366CDu);
  EXPECT_EQ(s.Section("BUTTON").Color, 3381708u);
}

TEST(SkinRecolor, HueTurnsAllButKeptIconsKeyAndGreyPixels) {
  const int h = 120;
  TsSkinLoadSettings settings;
  settings.HueOffset = h;
  PackedSkin s;
  s.Load(kOptions, Images(), settings);
  const TsSkinModel& m = s.Model;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      const uint32_t src = MasterPixel(x, y);
      const bool keptIcon = x < 4 && y < 4;  // BICONCLOSE keeps its hue with BIKEEPHUE=2
      const uint32_t want = (keptIcon || x >= 14) ? src : RotateHue(h, src);
      ASSERT_EQ(Rgb(*m.MasterBitmap, x, y), want) << x << "," << y;
    }
  auto mask = [&](const char* section, const char* key) -> const TsMaskData& {
    return m.Masks[static_cast<size_t>(m.FindMask(section, key))];
  };
  // Own-bitmap close icon and its glow are skipped.
  EXPECT_EQ(Rgb(*mask("GLOBALINFO", "SICONCLOSE").Bmp, 2, 0), 0x3366CCu);
  EXPECT_EQ(Rgb(*mask("GLOBALINFO", "BICONCLOSEGLOW0").Bmp, 2, 0), 0x3366CCu);
  // A 24-bit mask changes all but key pixels; a 32-bit one keeps grey and alpha too.
  const TacBitmap& b = *mask("BUTTON", "BORDERSMASK").Bmp;
  EXPECT_EQ(Rgb(b, 0, 0), 0xFF00FFu);
  EXPECT_EQ(Rgb(b, 1, 0), RotateHue(h, 0x808080));
  EXPECT_EQ(Rgb(b, 2, 2), RotateHue(h, 0x3366CE));
  const TacBitmap& g = *mask("BUTTON", "GLYPH").Bmp;
  EXPECT_EQ(Rgb(g, 1, 0), 0x808080u);
  EXPECT_EQ(Rgb(g, 2, 1), RotateHue(h, 0x3366CD));
  EXPECT_EQ(g.Pixel(2, 1)[3], 0x80);

  const TsGeneralData& button = s.Section("BUTTON");
  EXPECT_EQ(button.Color, RotateHue(h, 3381708));
  EXPECT_EQ(button.HotColor, RotateHue(h, 13382451));
  EXPECT_EQ(button.FontColor[0], RotateHue(h, 255));
  EXPECT_EQ(button.FontColor[1], ColorNotSet);
  EXPECT_EQ(button.GlowColor, RotateHue(h, 65280));
  EXPECT_EQ(button.GradientArray[0].Color1, RotateHue(h, 16711680));
  EXPECT_EQ(button.GradientArray[0].Color2, RotateHue(h, 65280));
  EXPECT_EQ(m.SkinData.Shadow1Color, RotateHue(h, 255));
  EXPECT_EQ(m.SkinData.BorderColor, RotateHue(h, 65280));
}

TEST(SkinRecolor, SaturationAmountIsTheNegatedRemainderOf101) {
  struct Case {
    int saturation, amount;
  };
  const Case cases[] = {{30, -30}, {-150, 49}, {101, 0}, {-20, 20}};
  for (const Case& c : cases) {
    TsSkinLoadSettings settings;
    settings.Saturation = c.saturation;
    PackedSkin s;
    s.Load(kOptions, Images(), settings);
    const TsGeneralData& button = s.Section("BUTTON");
    EXPECT_EQ(button.Color, AdjustSaturation(3381708, c.amount)) << c.saturation;
    EXPECT_EQ(button.GlowColor, 65280u) << c.saturation;  // glow colours keep their saturation
    EXPECT_EQ(s.Model.SkinData.BorderColor, AdjustSaturation(65280, c.amount)) << c.saturation;
    EXPECT_EQ(Rgb(*s.Model.MasterBitmap, 5, 5), AdjustSaturation(MasterPixel(5, 5), c.amount)) << c.saturation;
    EXPECT_EQ(Rgb(*s.Model.MasterBitmap, 14, 5), 0x404040u) << c.saturation;
    // No skip list here: the kept-hue close icon changes too.
    EXPECT_EQ(Rgb(*s.Model.MasterBitmap, 1, 1), AdjustSaturation(MasterPixel(1, 1), c.amount)) << c.saturation;
  }
}
