// The cached background of a skinned popup: the menu face, the icon line, the
// border mask and its keyed corners (which become the window region's cut), the
// extra line with its text hook, and a skin without a menu section.
#include "menus/acPopupBackground.h"

#include <gtest/gtest.h>

#include "PaintFixtures.h"
#include "SkinFixtures.h"
#include "paint/acColors.h"

using paintfix::Bitmap24;
using paintfix::Rgb;

namespace {

constexpr uint32_t kFace = 0xFFFFFF, kIconLine = 0x336699, kExtraLine = 0x00AA00, kLine = 0x102030;

// A 10 x 10 border frame in the line colour with three keyed pixels in each corner.
bool KeyedCorner(int x, int y) {
  const int cx = x < 5 ? x : 9 - x, cy = y < 5 ? y : 9 - y;
  return cx + cy < 2;
}

class PopupBackground : public ::testing::Test {
 protected:
  PopupBackground() {
    skin.Load("[GLOBALINFO]\n[MAINMENU]\nCOLOR=16777215\n[ICOLINE]\nCOLOR=" + std::to_string(kIconLine) +
              "\n[EXTRALINE]\nCOLOR=" + std::to_string(kExtraLine) + "\n");
    skin.Model.MasterBitmap =
        Bitmap24(10, 10, [](int x, int y) { return KeyedCorner(x, y) ? TransparentKey : kLine; });
    TsMaskData m;
    m.R = TacRect{0, 0, 10, 10};
    m.ImageCount = 1;
    m.WL = m.WT = m.WR = m.WB = 3;
    m.BorderWidth = 2;
    m.Manager = &skin.Model;
    skin.Model.Masks.push_back(std::move(m));
    const int menu = skin.Model.GetSkinIndex("MAINMENU");
    skin.Model.Sections[static_cast<size_t>(menu)].BorderIndex = static_cast<int>(skin.Model.Masks.size()) - 1;
    in.Width = 60;
    in.Height = 50;
    in.IconLineWidth = 24;
    in.SkinBorderWidth = 2;
  }
  skinfix::PackedSkin skin;
  TacPopupBackgroundInput in;
};

TEST_F(PopupBackground, FaceIconLineBorderAndCutCorners) {
  const TacPopupBackgroundImage b = ComposePopupBackground(skin.Model, in);
  ASSERT_TRUE(b.Bitmap);
  ASSERT_EQ(b.Bitmap->Width(), 60);
  ASSERT_EQ(b.Bitmap->Height(), 50);
  const TacBitmap* p = b.Bitmap.get();
  EXPECT_EQ(Rgb(p, 30, 25), kFace);
  EXPECT_EQ(Rgb(p, 3, 25), kIconLine) << "the icon line starts inside the border";
  EXPECT_EQ(Rgb(p, 25, 25), kIconLine);
  EXPECT_EQ(Rgb(p, 26, 25), kFace) << "and is IconLineWidth wide";
  EXPECT_EQ(Rgb(p, 10, 1), kLine) << "the border mask lies over the icon line's ends";
  EXPECT_EQ(Rgb(p, 10, 48), kLine);
  EXPECT_EQ(Rgb(p, 0, 25), kLine);
  EXPECT_EQ(Rgb(p, 59, 25), kLine);

  // The keyed corner pixels, one-pixel-high runs at the top and the bottom rows.
  const struct {
    int y, left, right;
  } expected[] = {{0, 0, 2}, {0, 58, 60}, {1, 0, 1}, {1, 59, 60}, {48, 0, 1}, {48, 59, 60}, {49, 0, 2}, {49, 58, 60}};
  ASSERT_EQ(b.RegionRects.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const TacRect& r = b.RegionRects[i];
    EXPECT_EQ(r.Top, expected[i].y) << i;
    EXPECT_EQ(r.Bottom, expected[i].y + 1) << i;
    EXPECT_EQ(r.Left, expected[i].left) << i;
    EXPECT_EQ(r.Right, expected[i].right) << i;
  }
}

TEST_F(PopupBackground, ExtraLineAtTheLeftPushesTheIconLine) {
  in.ExtraLineWidth = 20;
  int calls = 0;
  const TacPopupBackgroundImage b =
      ComposePopupBackground(skin.Model, in, [&](TacBitmap& e, int section) {
        ++calls;
        EXPECT_EQ(e.Width(), 20);
        EXPECT_EQ(e.Height(), 46) << "the height inside the skin's border";
        EXPECT_EQ(section, skin.Model.GetSkinIndex("EXTRALINE"));
        paintfix::SetRgb(&e, 3, 3, 0x123456);
      });
  EXPECT_EQ(calls, 1);
  const TacBitmap* p = b.Bitmap.get();
  EXPECT_EQ(Rgb(p, 10, 25), kExtraLine);
  EXPECT_EQ(Rgb(p, 5, 5), 0x123456u) << "the line's text lands where the line is copied";
  EXPECT_EQ(Rgb(p, 22, 25), kIconLine);
  EXPECT_EQ(Rgb(p, 45, 25), kIconLine);
  EXPECT_EQ(Rgb(p, 46, 25), kFace);
}

TEST(PopupBackgroundWithoutMenu, StaysUnpaintedAndUncut) {
  skinfix::PackedSkin skin;
  skin.Load("[GLOBALINFO]\n[ICOLINE]\nCOLOR=255\n");
  TacPopupBackgroundInput in;
  in.Width = 30;
  in.Height = 20;
  in.IconLineWidth = 24;
  const TacPopupBackgroundImage b = ComposePopupBackground(skin.Model, in);
  ASSERT_TRUE(b.Bitmap);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(Rgb(b.Bitmap.get(), x, y), 0u) << x << "," << y;
  EXPECT_TRUE(b.RegionRects.empty());
}

TEST(PopupRegion, WholeRectangleLessTheCuts) {
  std::vector<TacRect> kept = PopupRegionKeptRects(10, 5, {});
  ASSERT_EQ(kept.size(), 1u) << "nothing cut: the plain rectangle, no pixel lost";
  EXPECT_EQ(kept[0].Right, 10);
  EXPECT_EQ(kept[0].Bottom, 5);
  kept = PopupRegionKeptRects(10, 5, {TacRect{0, 0, 2, 1}, TacRect{8, 0, 10, 1}});
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].Left, 2);
  EXPECT_EQ(kept[0].Right, 8);
  EXPECT_EQ(kept[0].Bottom, 1);
  EXPECT_EQ(kept[1].Left, 0);
  EXPECT_EQ(kept[1].Top, 1);
  EXPECT_EQ(kept[1].Right, 10);
}

}  // namespace
