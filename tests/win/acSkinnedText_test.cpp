#include "paint/acGdiHandles.h"
#include "paint/acSkinnedText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "core/SkinFixtures.h"
#include "framework/vclForm.h"
#include "paint/acDibBitmap.h"
#include "paint/acGlowText.h"
#include "skin/sCommandCodes.h"

using skinfix::PackedSkin;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;

const char* const kSkin =
    "[GLOBALINFO]\nCOLOR=16777215\n"
    "[PLAIN]\nFONTCOLOR=0\nCOLOR=16777215\n"
    "[SHADOW]\nFONTCOLOR=0\nTCBOTTOM=255\n"
    "[GLOWING]\nFONTCOLOR=255\nGSIZE=3\nGCOL=65280\nHGSIZE=0\n"
    "[WEBBUTTON]\nFONTCOLOR=0\n"
    "[SEETHROUGH]\nFONTCOLOR=255\nTRANSPARENCY=100\n"
    "[GIVES]\nFONTCOLOR=16711680\nGIVEOWNFONT=TRUE\n"
    "[KEEPS]\nFONTCOLOR=16711680\n";

// A 24-bit DIB of one colour with a canvas on it, and a skin with the sections above.
class TextCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    skin_.Load(kSkin);
    bmp_ = NewDibBitmap(160, 48, TacPixelFormat::pf24bit);
    ASSERT_TRUE(bmp_);
    Fill(kWhite);
    canvas_ = std::make_unique<TBitmapCanvas>(*bmp_);
    canvas_->Font().SetName("Tahoma");
    canvas_->Font().SetHeight(-20);
  }

  void Fill(uint32_t rgb) {
    GdiFlush();
    for (int y = 0; y < bmp_->Height(); ++y)
      for (int x = 0; x < bmp_->Width(); ++x) {
        uint8_t* p = bmp_->Pixel(x, y);
        p[0] = static_cast<uint8_t>(rgb >> 16);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[2] = static_cast<uint8_t>(rgb);
      }
  }
  uint32_t At(int x, int y) {
    GdiFlush();
    const uint8_t* p = bmp_->Pixel(x, y);
    return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
  }
  // Pixels meeting `test` inside [x0, x1) x [y0, y1) (the whole bitmap by default).
  int Count(const std::function<bool(uint32_t)>& test, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
    if (x1 < 0) x1 = bmp_->Width();
    if (y1 < 0) y1 = bmp_->Height();
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += test(At(x, y)) ? 1 : 0;
    return n;
  }
  int CountColor(uint32_t rgb) {
    return Count([rgb](uint32_t v) { return v == rgb; });
  }
  int Section(const char* name) { return skin_.Model.GetSkinIndex(name); }
  TacTextBinding Binding(const char* section) {
    TacTextBinding b;
    b.Manager = &skin_.Model;
    b.SectionIndex = Section(section);
    b.SkinSection = section;
    return b;
  }

  PackedSkin skin_;
  TacBitmapPtr bmp_;
  std::unique_ptr<TBitmapCanvas> canvas_;
  const TacRect r_{10, 8, 150, 40};
  const std::string text_ = "WMW \xB0\xB2\xD7\xB0";  // "WMW 安装" in GBK
};

}  // namespace

TEST_F(TextCanvas, SectionTextDrawsContoursBeforeTheText) {
  DrawSectionText(*canvas_, text_, true, &skin_.Model, false, Section("SHADOW"), DT_SINGLELINE, r_);
  EXPECT_GT(CountColor(0x000000), 20);
  EXPECT_GT(CountColor(kRed), 5);
  // The shadow lies one pixel below the text: somewhere a text pixel has red under it,
  // never red above a text pixel's own row without text over it... and no red above the text.
  int redBelowBlack = 0;
  for (int y = 0; y + 1 < bmp_->Height(); ++y)
    for (int x = 0; x < bmp_->Width(); ++x) redBelowBlack += At(x, y) == 0 && At(x, y + 1) == kRed ? 1 : 0;
  EXPECT_GT(redBelowBlack, 5);
  // Everything drawn stays in the rectangle (the shadow one row lower at most).
  EXPECT_EQ(Count([](uint32_t v) { return v != kWhite; }, 0, 0, 160, r_.Top), 0);
  EXPECT_EQ(Count([](uint32_t v) { return v != kWhite; }, 0, r_.Bottom + 1, 160, 48), 0);

  Fill(kWhite);
  DrawSectionText(*canvas_, text_, true, &skin_.Model, false, Section("PLAIN"), DT_SINGLELINE, r_);
  EXPECT_GT(CountColor(0x000000), 20);
  EXPECT_EQ(Count([](uint32_t v) { return (v & 0xFF) > ((v >> 8) & 0xFF); }), 0);  // no reddish contour pixel
}

TEST_F(TextCanvas, DisabledSectionTextMixesFortyPercentTextIntoColor) {
  DrawSectionText(*canvas_, text_, false, &skin_.Model, false, Section("PLAIN"), DT_SINGLELINE, r_);
  // Black text on COLOR white: the darkest pixels are round(0.6 * 255) = 153 grey.
  int darkest = 255;
  for (int y = 0; y < bmp_->Height(); ++y)
    for (int x = 0; x < bmp_->Width(); ++x) {
      uint32_t v = At(x, y);
      EXPECT_TRUE((v & 0xFF) == ((v >> 8) & 0xFF) && (v & 0xFF) == (v >> 16)) << x << "," << y;
      darkest = std::min<int>(darkest, v & 0xFF);
    }
  EXPECT_EQ(darkest, 153);
  EXPECT_GT(CountColor(0x999999), 20);
}

TEST_F(TextCanvas, NothingWithoutASectionOrText) {
  DrawSectionText(*canvas_, text_, true, &skin_.Model, false, -1, DT_SINGLELINE, r_);
  DrawSectionText(*canvas_, text_, true, &skin_.Model, false, 999, DT_SINGLELINE, r_);
  DrawSectionText(*canvas_, "", true, &skin_.Model, false, Section("PLAIN"), DT_SINGLELINE, r_);
  DrawSectionText(*canvas_, text_, true, nullptr, false, Section("PLAIN"), DT_SINGLELINE, r_);  // no default manager
  TacTextBinding none = Binding("PLAIN");
  none.Manager = nullptr;
  DrawSkinnedText(*canvas_, text_, true, false, none, DT_SINGLELINE, r_);
  DrawSkinnedText(*canvas_, "", true, false, Binding("PLAIN"), DT_SINGLELINE, r_);
  EXPECT_EQ(CountColor(kWhite), 160 * 48);
}

TEST_F(TextCanvas, SkinnedTextIsClippedAndTheDCStateComesBack) {
  HDC dc = canvas_->Handle();
  const TacRegionHandle probe = NewRectRegion(0, 0, 0, 0);
  ASSERT_EQ(GetClipRgn(dc, probe.Get()), 0);  // no clipping before
  const TacRect narrow{10, 8, 40, 40};
  DrawSkinnedText(*canvas_, text_, true, false, Binding("PLAIN"), DT_SINGLELINE, narrow);
  EXPECT_EQ(GetClipRgn(dc, probe.Get()), 0);  // and none after
  EXPECT_GT(Count([](uint32_t v) { return v != kWhite; }, narrow.Left, narrow.Top, narrow.Right, narrow.Bottom), 10);
  // The main pass does not clip by itself, but the text stays inside the rectangle.
  EXPECT_EQ(Count([](uint32_t v) { return v != kWhite; }, narrow.Right, 0, 160, 48), 0);
}

TEST_F(TextCanvas, SkinnedTextGlowsInTheCacheBitmap) {
  TacTextBinding b = Binding("GLOWING");
  b.CacheBitmap = bmp_.get();
  const TacRect r{40, 14, 120, 34};
  DrawSkinnedText(*canvas_, "MW", true, false, b, DT_SINGLELINE | DT_CENTER | DT_VCENTER, r);
  auto greenish = [](uint32_t v) { return ((v >> 8) & 0xFF) == 255 && (v & 0xFF) < 250 && (v >> 16) < 250; };
  // The halo (green) reaches beyond the text rectangle, by at most glow size + 4.
  EXPECT_GT(Count(greenish), 20);
  EXPECT_GT(Count(greenish, 0, 0, 160, r.Top) + Count(greenish, 0, r.Bottom, 160, 48), 0);
  EXPECT_EQ(Count([](uint32_t v) { return v != kWhite; }, 0, 0, r.Left - 7, 48), 0);
  EXPECT_EQ(Count([](uint32_t v) { return v != kWhite; }, r.Right + 7, 0, 160, 48), 0);
  EXPECT_GT(CountColor(kRed), 10);  // the text itself over the halo

  // Hot: HGSIZE 0, no halo.
  Fill(kWhite);
  DrawSkinnedText(*canvas_, "MW", true, true, b, DT_SINGLELINE | DT_CENTER | DT_VCENTER, r);
  EXPECT_EQ(Count(greenish), 0);
  // Without a cache bitmap there is nowhere to glow.
  Fill(kWhite);
  b.CacheBitmap = nullptr;
  DrawSkinnedText(*canvas_, "MW", true, false, b, DT_SINGLELINE | DT_CENTER | DT_VCENTER, r);
  EXPECT_EQ(Count(greenish), 0);
  EXPECT_GT(CountColor(kRed), 10);
}

TEST_F(TextCanvas, SkinnedTextStates) {
  // Hot text of "WEBBUTTON" is underlined, normal text is not.
  DrawSkinnedText(*canvas_, text_, true, false, Binding("WEBBUTTON"), DT_SINGLELINE, r_);
  EXPECT_EQ(canvas_->Font().Style() & fsUnderline, 0u);
  DrawSkinnedText(*canvas_, text_, true, true, Binding("WEBBUTTON"), DT_SINGLELINE, r_);
  EXPECT_NE(canvas_->Font().Style() & fsUnderline, 0u);
  canvas_->Font().SetStyle(0);
  DrawSkinnedText(*canvas_, text_, true, true, Binding("PLAIN"), DT_SINGLELINE, r_);
  EXPECT_EQ(canvas_->Font().Style() & fsUnderline, 0u);

  // Disabled: 40 % FONTCOLOR, 60 % the skin's global colour (white).
  Fill(kWhite);
  DrawSkinnedText(*canvas_, text_, false, false, Binding("SHADOW"), DT_SINGLELINE, r_);
  EXPECT_GT(CountColor(0x999999), 20);
  EXPECT_EQ(CountColor(kRed), 0);  // no contours for disabled text

  // No valid section: the font's own colour.
  Fill(kWhite);
  canvas_->Font().SetColor(kBlue);
  TacTextBinding unbound = Binding("PLAIN");
  unbound.SectionIndex = -1;
  DrawSkinnedText(*canvas_, text_, true, false, unbound, DT_SINGLELINE, r_);
  EXPECT_GT(CountColor(kBlue), 20);

  // A custom font colour wins over the section's.
  Fill(kWhite);
  TacTextBinding custom = Binding("SHADOW");
  custom.CustomFont = true;
  canvas_->Font().SetColor(kBlue);
  DrawSkinnedText(*canvas_, text_, true, false, custom, DT_SINGLELINE, r_);
  EXPECT_GT(CountColor(kBlue), 20);
  EXPECT_EQ(CountColor(kRed), 0);
}

namespace {

// A form that answers the skin-index question like a skinned container.
class SkinnedForm : public TForm {
 public:
  SkinnedForm(int section) : TForm(nullptr), section_(section) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && CommandCode(m.WParam) == SMC_GETSKININDEX) {
      m.Result = section_ + 1;
      return;
    }
    TForm::WndProc(m);
  }

 private:
  int section_;
};

}  // namespace

TEST_F(TextCanvas, AWindowlessControlTakesTheColoursOfAParentThatGivesItsFont) {
  struct Case {
    const char* parentSection;
    bool parentFont;
    uint32_t expected;
  };
  const Case cases[] = {{"GIVES", true, kBlue}, {"KEEPS", true, kRed}, {"GIVES", false, kRed}};
  for (const Case& c : cases) {
    SkinnedForm parent(Section(c.parentSection));
    parent.HandleNeeded();
    TControl label(nullptr);
    label.SetParent(&parent);
    label.Font().SetName("Tahoma");
    label.Font().SetHeight(-20);
    TacTextBinding b = Binding("SEETHROUGH");
    b.HostControl = &label;
    b.ParentFont = c.parentFont;
    Fill(kWhite);
    DrawSkinnedText(*canvas_, text_, true, false, b, DT_SINGLELINE, r_);
    EXPECT_GT(CountColor(c.expected), 20) << c.parentSection << " " << c.parentFont;
    EXPECT_EQ(CountColor(c.expected == kBlue ? kRed : kBlue), 0) << c.parentSection << " " << c.parentFont;
    label.SetParent(nullptr);
  }
}

TEST_F(TextCanvas, FocusDots) {
  Fill(0x808080);
  const TacRect r{10, 10, 22, 16};
  DrawFocusDots(*canvas_, r);
  for (int x : {10, 13, 16, 19, 22}) {
    EXPECT_EQ(At(x, 10), 0u) << x;
    EXPECT_EQ(At(x, 16), 0u) << x;
    EXPECT_EQ(At(x - 1, 9), kWhite) << x;
    EXPECT_EQ(At(x - 1, 15), kWhite) << x;
  }
  for (int y : {10, 13}) {
    EXPECT_EQ(At(22, y), 0u) << y;
    EXPECT_EQ(At(21, y - 1), kWhite) << y;
  }
  EXPECT_EQ(At(11, 10), 0x808080u);
  EXPECT_EQ(At(25, 10), 0x808080u);
  // 5 dots along each of top and bottom, 3 along each side, the corners shared:
  // 12 black, and as many white ones.
  EXPECT_EQ(CountColor(0), 12);
  EXPECT_EQ(CountColor(kWhite), 12);
}

TEST(TextExtentInFont, MeasuresOnTheScreen) {
  TFont font;
  font.SetHeight(-20);
  SIZE two = TextExtentInFont(font, "\xB0\xB2\xD7\xB0");
  SIZE one = TextExtentInFont(font, "\xB0\xB2");
  EXPECT_GT(two.cx, one.cx);
  EXPECT_GT(one.cx, 0);
  EXPECT_GE(two.cy, 16);
  EXPECT_EQ(TextExtentInFont(font, "").cx, 0);
}

TEST(DrawGlowText, KeepsTheMaskBetweenDrawingsOfOneSize) {
  TacBitmapPtr bmp = NewDibBitmap(120, 50, TacPixelFormat::pf32bit);
  ASSERT_TRUE(bmp);
  auto fill = [&] {
    for (int y = 0; y < 50; ++y) std::memset(bmp->Row(y), 255, 120 * 4);
  };
  fill();
  TFont font;
  font.SetHeight(-20);
  const TacRect r{20, 10, 100, 40};
  TacMask8Ptr mask;
  DrawGlowText(bmp.get(), "MW", r, &mask, 0x00FF00, 4, 15, DT_SINGLELINE | DT_CENTER | DT_VCENTER, font);
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->Width(), 80 + 2 * 8);
  EXPECT_EQ(mask->Height(), 30 + 2 * 8);
  std::vector<uint8_t> first(bmp->Row0(), bmp->Row0() + 120 * 50 * 4);
  int tinted = 0, seeThrough = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 120; ++x) {
      const uint8_t* p = bmp->Pixel(x, y);
      tinted += p[2] < 255 ? 1 : 0;   // red pulled toward the glow's 0
      seeThrough += p[3] < 255 ? 1 : 0;  // a 32-bit target loses alpha under the glow
      EXPECT_EQ(p[1], 255);             // green is the glow's own
    }
  EXPECT_GT(tinted, 50);
  EXPECT_EQ(seeThrough, tinted);

  // Same size again: the kept mask is used as it is (even for another text).
  TacMask8* kept = mask.get();
  fill();
  DrawGlowText(bmp.get(), "other", r, &mask, 0x00FF00, 4, 15, DT_SINGLELINE | DT_CENTER | DT_VCENTER, font);
  EXPECT_EQ(mask.get(), kept);
  EXPECT_EQ(std::vector<uint8_t>(bmp->Row0(), bmp->Row0() + 120 * 50 * 4), first);

  // Another glow size needs another mask.
  DrawGlowText(bmp.get(), "MW", r, &mask, 0x00FF00, 2, 15, DT_SINGLELINE | DT_CENTER | DT_VCENTER, font);
  EXPECT_EQ(mask->Width(), 80 + 2 * 6);

  // Glow size 0: no glow at all.
  fill();
  DrawGlowText(bmp.get(), "MW", r, nullptr, 0x00FF00, 0, 15, DT_SINGLELINE, font);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 120; ++x) ASSERT_EQ(bmp->Pixel(x, y)[2], 255);
}
