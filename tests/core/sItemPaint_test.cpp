// Item painting: every transparency case over images, colours and nothing,
// the offset point, hot values by state, corner images, borders through a
// binding, the disabled look, and random items with a checksum.
#include "paint/sItemPaint.h"

#include <gtest/gtest.h>

#include <random>

#include "PaintFixtures.h"
#include "PixelTestBitmaps.h"
#include "SkinFixtures.h"
#include "paint/acBgRequest.h"
#include "paint/acDefaultSkin.h"
#include "paint/acItemBinding.h"
#include "paint/sGraphUtils.h"

using paintfix::Bitmap24;

namespace {

constexpr uint32_t kSentinel = 0x5A5A5A;
uint32_t Ramp(int x, int y) { return static_cast<uint32_t>(x * 3) << 16 | static_cast<uint32_t>(y * 5) << 8 | 0x40; }

// A skin with one section "ITEM" whose values the tests set directly, and a
// master bitmap for masks made in code.
class Item : public ::testing::Test {
 protected:
  Item() {
    skin.Load("[GLOBALINFO]\n[ITEM]\nCOLOR=255\n");
    index = skin.Model.GetSkinIndex("ITEM");
    // Border frames: 3 frames of 9 x 9, frame k red 50 * (k + 1); key pixel at each frame's (0, 0).
    skin.Model.MasterBitmap = Bitmap24(40, 20, [](int x, int y) -> uint32_t {
      if (y >= 9) return 0x00FF00;
      if (x < 27) return x % 9 == 0 && y == 0 ? TransparentKey : 50u * static_cast<uint32_t>(x / 9 + 1);
      return x == 27 && y == 0 ? TransparentKey : 0xFF0000u;  // a 4 x 4 corner image at (27, 0)
    });
  }
  TsGeneralData& Sec() { return skin.Model.Sections[static_cast<size_t>(index)]; }
  int AddMask(TacRect r, int count, int wl) {
    TsMaskData m;
    m.R = r;
    m.ImageCount = static_cast<int16_t>(count);
    m.WL = m.WT = m.WR = m.WB = static_cast<int16_t>(wl);
    m.Manager = &skin.Model;
    skin.Model.Masks.push_back(std::move(m));
    return static_cast<int>(skin.Model.Masks.size()) - 1;
  }
  void Compose(TacBitmap* b, const TacParentImage& pi, int state, TacRect r, TacPoint p,
               uint32_t custom = TransparentKey) {
    ComposeItem(index, "ITEM", pi, state, r, p, b, &skin.Model, -1, -1, custom);
  }
  skinfix::PackedSkin skin;
  int index = -1;
};

}  // namespace

TEST_F(Item, FullyTransparentShowsTheParentThroughTheOffsetPoint) {
  Sec().Transparency = 100;
  TacBitmapPtr parent = Bitmap24(40, 40, Ramp);
  TestBitmap b(12, 10, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  // r at (2, 1); the item's place in the parent: (pi.X + p.X, pi.Y + p.Y) = (5, 7).
  Compose(b.get(), ParentImageFromBitmap(parent.get(), 3, 4), 0, {2, 1, 10, 8}, {2, 3});
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x < 10 && y >= 1 && y < 8;
      ASSERT_EQ(b.Rgb(x, y), inside ? Ramp(5 + x - 2, 7 + y - 1) : kSentinel) << x << "," << y;
    }
  // Over a colour: that colour; over nothing known: opaque in the section's colour.
  Compose(b.get(), ParentImageFromColor(0x00AA00), 0, {0, 0, 12, 10}, {0, 0});
  EXPECT_EQ(b.Rgb(5, 5), 0x00AA00u);
  Compose(b.get(), ParentImageFromColor(TransparentKey), 0, {0, 0, 12, 10}, {0, 0});
  EXPECT_EQ(b.Rgb(5, 5), 255u);
}

TEST_F(Item, HalfTransparentBlendsFaceAndBackground) {
  Sec().Transparency = 50;
  Sec().Color = 0x3C78C8;
  TacBitmapPtr parent = Bitmap24(20, 20, Ramp);
  for (bool is32 : {false, true}) {
    TestBitmap b(8, 8, is32 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit);
    Compose(b.get(), ParentImageFromBitmap(parent.get(), 1, 2), 0, {0, 0, 8, 8}, {0, 0});
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        for (int shift : {0, 8, 16}) {
          const uint32_t bg = Ramp(x + 1, y + 2) >> shift & 0xFF, face = 0x3C78C8u >> shift & 0xFF;
          ASSERT_EQ(b.Rgb(x, y) >> shift & 0xFF, (bg * 127 + face * 128 + 127) >> 8) << x << "," << y;
        }
  }
}

TEST_F(Item, PartlyTransparentPlainFaceOverAColourIsOneWeightedColour) {
  Sec().Transparency = 30;
  Sec().Color = 0x204080;
  TestBitmap b(4, 4, TacPixelFormat::pf24bit);
  Compose(b.get(), ParentImageFromColor(0xF0E0D0), 0, {0, 0, 4, 4}, {0, 0});
  EXPECT_EQ(b.Rgb(3, 3), WeightedColor(0xF0E0D0, 0x204080, 0.3));
}

TEST_F(Item, CustomColourMakesTheItemOpaqueAndPlain) {
  Sec().Transparency = 60;
  Sec().GradientPercent = 100;
  Sec().GradientArray = ParseGradientData("0;255;100;0;0");
  TacBitmapPtr parent = Bitmap24(20, 20, Ramp);
  TestBitmap b(5, 5, TacPixelFormat::pf24bit);
  Compose(b.get(), ParentImageFromBitmap(parent.get(), 0, 0), 0, {0, 0, 5, 5}, {0, 0}, 0x0A0B0C);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(b.Rgb(x, y), 0x0A0B0Cu);
}

TEST_F(Item, AnyNonZeroStateTakesTheHotValuesAndItsBorderFrame) {
  Sec().Color = 0x000011;
  Sec().HotColor = 0x000022;
  Sec().BorderIndex = AddMask({0, 0, 27, 9}, 3, 3);
  for (int state : {0, 1, 2, 3}) {
    TestBitmap b(12, 12, TacPixelFormat::pf24bit);
    PaintItem(index, "ITEM", ParentImageFromColor(0x0000FF), -1, -1, &skin.Model, b.get(), {0, 0}, {0, 0, 12, 12},
              state, false);
    EXPECT_EQ(b.Rgb(6, 6), state == 0 ? 0x000011u : 0x000022u) << state;
    EXPECT_EQ(b.Rgb(1, 0), 50u * static_cast<uint32_t>(std::min(state, 2) + 1)) << state;
    EXPECT_EQ(b.Rgb(0, 0), 0x0000FFu) << state;  // key corner pixel: the parent's colour
  }
}

TEST_F(Item, CornerImagesKeepTheItemUnderTheirKeyPixels) {
  Sec().Color = 0x000011;
  Sec().ImgBR = AddMask({27, 0, 31, 4}, 1, 0);
  TestBitmap b(10, 10, TacPixelFormat::pf24bit);
  PaintItem(index, "ITEM", EmptyParentImage, -1, -1, &skin.Model, b.get(), {0, 0}, {0, 0, 10, 10}, 0, false);
  EXPECT_EQ(b.Rgb(6, 6), 0x000011u);  // the corner image's key pixel
  EXPECT_EQ(b.Rgb(7, 6), 0xFF0000u);
  EXPECT_EQ(b.Rgb(9, 9), 0xFF0000u);
  EXPECT_EQ(b.Rgb(5, 5), 0x000011u);
}

TEST_F(Item, NothingWhenTheRectangleLeavesTheBitmapOrTheSectionIsMissing) {
  TestBitmap b(6, 6, TacPixelFormat::pf24bit);
  b.Fill(kSentinel);
  PaintItem(index, "ITEM", EmptyParentImage, -1, -1, &skin.Model, b.get(), {0, 0}, {0, 0, 7, 6}, 0, true);
  PaintItem(99, "ITEM", EmptyParentImage, -1, -1, &skin.Model, b.get(), {0, 0}, {0, 0, 6, 6}, 0, true);
  SetDefaultSkinModel(nullptr);
  PaintItem(index, "ITEM", EmptyParentImage, -1, -1, nullptr, b.get(), {0, 0}, {0, 0, 6, 6}, 0, true);
  EXPECT_EQ(b.Rgb(0, 0), kSentinel);
  // The default skin is used when no manager is named.
  SetDefaultSkinModel(&skin.Model);
  PaintItem(index, "ITEM", EmptyParentImage, -1, -1, nullptr, b.get(), {0, 0}, {0, 0, 6, 6}, 0, true);
  SetDefaultSkinModel(nullptr);
  EXPECT_EQ(b.Rgb(0, 0), 255u);
}

TEST_F(Item, PaintItemToBitmapPaintsAtTheRectanglesPlace) {
  TestBitmap b(8, 8, TacPixelFormat::pf32bit);
  b.Fill(kSentinel, 0);
  PaintItemToBitmap(index, "ITEM", EmptyParentImage, &skin.Model, b.get(), {0, 0}, {3, 2, 6, 8}, 0, false);
  EXPECT_EQ(b.Rgb(3, 2), 255u);
  EXPECT_EQ(b.Alpha(5, 7), 255);
  EXPECT_EQ(b.Rgb(2, 2), kSentinel);
  EXPECT_TRUE(b.GuardsIntact());
}

TEST_F(Item, MaskedTextureOfModeTenLiesOverTheFaceInStateZero) {
  // A masked texture 2 x 2 over its mask rows (mask 0: the tile's own colour).
  skin.Model.MasterBitmap = Bitmap24(2, 4, [](int, int y) { return y < 2 ? 0x0000C0u : 0u; });
  const int t = AddMask({0, 0, 2, 4}, 1, 0);
  skin.Model.Masks[static_cast<size_t>(t)].MaskType = 1;
  skin.Model.Masks[static_cast<size_t>(t)].DrawMode = 10;
  Sec().Color = 0x000011;
  TestBitmap b(5, 5, TacPixelFormat::pf24bit);
  ComposeItem(index, "ITEM", ParentImageFromColor(0x00FF00), 0, {0, 0, 5, 5}, {0, 0}, b.get(), &skin.Model, t, -1,
              TransparentKey);
  EXPECT_EQ(b.Rgb(0, 0), 0x0000C0u);
  EXPECT_EQ(b.Rgb(4, 4), 0x00FF00u);  // strips left by whole tiles show the parent
  ComposeItem(index, "ITEM", ParentImageFromColor(0x00FF00), 1, {0, 0, 5, 5}, {0, 0}, b.get(), &skin.Model, t, -1,
              TransparentKey);
  EXPECT_EQ(b.Rgb(0, 0), 0xFFFFFFu);  // hot: the hot colour, no masked texture
}

TEST(DisabledLook, BlendsTowardTheBackground) {
  TacBitmapPtr white = Bitmap24(10, 10, [](int, int) { return 0xFFFFFFu; });
  TestBitmap b(4, 4, TacPixelFormat::pf24bit);
  b.Fill(0);
  DisabledLook(b.get(), dlBlended, nullptr, {1, 1}, ParentImageFromBitmap(white.get(), 2, 2));
  EXPECT_EQ(b.Rgb(3, 3), 0x999999u);  // round(255 - 0.4 * 255) = 153
  // Greyed, then half toward the fill colour.
  b.Fill(0x00003C);
  DisabledLook(b.get(), dlGrayed | dlBlended, nullptr, {0, 0}, ParentImageFromColor(100));
  EXPECT_EQ(b.Rgb(0, 0), static_cast<uint32_t>(60 | 10 << 8 | 10 << 16));
  // No fill colour: the control's colour; none at all: no blend.
  b.Fill(0);
  DisabledLook(b.get(), dlBlended, [] { return 0x0000C8u; }, {0, 0}, ParentImageFromColor(TransparentKey));
  EXPECT_EQ(b.Rgb(0, 0), 100u);
  b.Fill(0);
  DisabledLook(b.get(), dlBlended, nullptr, {0, 0}, ParentImageFromColor(TransparentKey));
  EXPECT_EQ(b.Rgb(0, 0), 0u);
}

TEST(BgRequest, ReducesToAnImageWithOffsetOrAResolvedColour) {
  TacBitmapPtr img = Bitmap24(2, 2, Ramp);
  TacBgRequest r;
  r.Kind = bgkImage;
  r.Image = img.get();
  r.Offset = {4, 5};
  TacParentImage pi = ReduceBgRequest(r);
  EXPECT_TRUE(pi.HasImage);
  EXPECT_EQ(pi.X, 4);
  EXPECT_EQ(pi.FillColor, TransparentKey);
  r.Kind = bgkColor;
  r.Color = 0xFF00000F;  // button face
  pi = ReduceBgRequest(r);
  EXPECT_FALSE(pi.HasImage);
  EXPECT_EQ(pi.FillColor, ColorToRGB(0xFF00000F));
  r.Kind = bgkImage;
  r.Image = nullptr;
  EXPECT_FALSE(ReduceBgRequest(r).HasImage);
}

namespace {

// A binding kept in memory; its parent answers with an image or nothing.
class FakeBinding : public TacItemBinding {
 public:
  TsSkinModel* model = nullptr;
  int section = -1, border = -1;
  uint32_t custom = TransparentKey, colour = 0x0000AA;
  const TacBitmap* parentImage = nullptr;
  TacPoint position{0, 0};
  TacBitmapPtr cache;
  int cacheW = 0, cacheH = 0;

  TsSkinModel* SkinModel() const override { return model; }
  int SectionIndex() const override { return section; }
  std::string SkinSection() const override { return "ITEM"; }
  int TextureIndex() const override { return -1; }
  int HotTextureIndex() const override { return -1; }
  int BorderMaskIndex() const override { return border; }
  uint32_t CustomColor() const override { return custom; }
  uint32_t GetControlColor(int) override { return colour; }
  bool RequestParentBackground(TacBgRequest& request) override {
    if (!parentImage) return false;
    request.Kind = bgkImage;
    request.Image = parentImage;
    request.Offset = {0, 0};
    return true;
  }
  TacPoint HostPosition() const override { return position; }
  TacBitmap* InitCacheBitmap() override {
    if (!cache) cache = NewMemoryBitmap(cacheW, cacheH, TacPixelFormat::pf24bit);
    return cache.get();
  }
};

}  // namespace

TEST_F(Item, ControlItemTakesTheBindingsIndexesAndCustomColour) {
  FakeBinding b;
  b.model = &skin.Model;
  b.section = index;
  b.border = AddMask({0, 0, 27, 9}, 3, 3);
  b.custom = 0x010203;
  TestBitmap t(10, 10, TacPixelFormat::pf24bit);
  PaintControlItem(b, ParentImageFromColor(0x00FF00), false, false, t.get(), {0, 0}, {0, 0, 10, 10}, 1);
  EXPECT_EQ(t.Rgb(5, 5), 0x010203u);
  EXPECT_EQ(t.Rgb(1, 0), 100u);  // frame 1
  // A parent without image gives key corner pixels its colour, used or not.
  EXPECT_EQ(t.Rgb(0, 0), 0x00FF00u);
}

TEST_F(Item, ControlBorderDrawsIntoTheCacheAndCopiesTheBand) {
  TacBitmapPtr parent = Bitmap24(60, 60, Ramp);
  FakeBinding b;
  b.model = &skin.Model;
  b.section = index;
  b.border = AddMask({0, 0, 27, 9}, 3, 3);
  b.parentImage = parent.get();
  b.position = {5, 6};
  b.cacheW = 20, b.cacheH = 16;
  TestBitmap surface(20, 16, TacPixelFormat::pf24bit);
  surface.Fill(kSentinel);
  PaintControlBorder(surface.get(), {0, 0, 20, 16}, 5, 0, b);
  ASSERT_TRUE(b.cache);
  const TacBitmap* c = b.cache.get();
  EXPECT_EQ(paintfix::Rgb(c, 0, 0), Ramp(5, 6));  // key corner pixel: the parent behind the host
  EXPECT_EQ(paintfix::Rgb(c, 1, 0), 50u);
  EXPECT_EQ(paintfix::Rgb(c, 4, 4), 0x0000AAu);   // the band between the margin (3) and 5
  EXPECT_EQ(paintfix::Rgb(c, 10, 8), 0u);         // inside the band: untouched
  EXPECT_EQ(surface.Rgb(4, 8), 0x0000AAu);        // the band's strips copied to the surface
  EXPECT_EQ(surface.Rgb(1, 0), 50u);
  EXPECT_EQ(surface.Rgb(10, 8), kSentinel);
  // Without a border mask: a plain frame of the control's colour on the surface.
  b.border = -1;
  surface.Fill(kSentinel);
  PaintControlBorder(surface.get(), {0, 0, 20, 16}, 2, 0, b);
  EXPECT_EQ(surface.Rgb(1, 1), 0x0000AAu);
  EXPECT_EQ(surface.Rgb(2, 2), kSentinel);
}

// Random sections, states, transparency, parents and rectangles: nothing is
// written outside the rectangle, and the output has a fixed checksum.
TEST_F(Item, RandomItemsStayInsideAndMatchTheirChecksum) {
  std::mt19937 rng(31337);
  const int border = AddMask({0, 0, 27, 9}, 3, 3);
  TacBitmapPtr parent = Bitmap24(90, 70, Ramp);
  uint64_t sum = 1469598103934665603ull;
  const int transparencies[] = {0, 0, 30, 50, 100, 75};
  for (int round = 0; round < 80; ++round) {
    TsGeneralData& s = Sec();
    s.Color = rng() & 0xFFFFFF;
    s.HotColor = rng() & 0xFFFFFF;
    s.Transparency = transparencies[rng() % 6];
    s.HotTransparency = transparencies[rng() % 6];
    s.GradientPercent = static_cast<int>(rng() % 3) * 50;
    s.HotGradientPercent = static_cast<int>(rng() % 3) * 50;
    const char* grads[] = {"255;16711680;100;0;0", "65280;255;60;1;0;255;0;40;1;0", "255;0;0;2;0;65280;0;0;0;0"};
    s.GradientArray = ParseGradientData(grads[rng() % 3]);
    s.HotGradientArray = ParseGradientData(grads[rng() % 3]);
    s.BorderIndex = rng() % 2 ? border : -1;
    const int w = 3 + static_cast<int>(rng() % 60), h = 3 + static_cast<int>(rng() % 40);
    TestBitmap b(w, h, rng() % 2 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit, rng() % 2 != 0);
    b.Fill(kSentinel, 3);
    const TacRect r{static_cast<int>(rng() % 3), static_cast<int>(rng() % 3), w - static_cast<int>(rng() % 3),
                    h - static_cast<int>(rng() % 3)};
    const TacParentImage pis[] = {ParentImageFromBitmap(parent.get(), 4, 5), ParentImageFromColor(0x808080),
                                  ParentImageFromColor(TransparentKey)};
    const TacParentImage pi = pis[rng() % 3];
    PaintItem(index, "ITEM", pi, -1, -1, &skin.Model, b.get(), {static_cast<int>(rng() % 10), static_cast<int>(rng() % 10)},
              r, static_cast<int>(rng() % 3), rng() % 2 != 0);
    ASSERT_TRUE(b.GuardsIntact()) << round;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) ASSERT_EQ(b.Rgb(x, y), kSentinel) << round;
    paintfix::Dump(b.get(), "item_" + std::to_string(round));
    sum = paintfix::Checksum(b.get(), sum);
  }
  EXPECT_EQ(sum, 3166553826765855115ull);
}
