#include "paint/acGlowPlacement.h"

#include <gtest/gtest.h>

#include "SkinFixtures.h"
#include "skin/sMaskData.h"

namespace {

struct Expect {
  int fullW, fullH, cropL, cropT, w, h, x, y;
};

void Check(const char* what, const TacRect& item, const TacRect& visible, int margins, int margin, const Expect& e) {
  TacGlowPlacement p = PlaceGlow(item, visible, TacGlowMargins{margins, margins, margins, margins}, margin);
  EXPECT_EQ(p.FullWidth, e.fullW) << what;
  EXPECT_EQ(p.FullHeight, e.fullH) << what;
  EXPECT_EQ(p.CropLeft, e.cropL) << what;
  EXPECT_EQ(p.CropTop, e.cropT) << what;
  EXPECT_EQ(p.Width, e.w) << what;
  EXPECT_EQ(p.Height, e.h) << what;
  EXPECT_EQ(p.X, e.x) << what;
  EXPECT_EQ(p.Y, e.y) << what;
}

}  // namespace

TEST(PlaceGlow, TheImageEdgesReachTheMarginInOverTheItem) {
  const TacRect item{100, 200, 140, 220};  // 40 x 20
  const TacRect all{0, 0, 40, 20};
  Check("margin 10 = edges 10: exactly over the item", item, all, 10, 10, {40, 20, 0, 0, 40, 20, 100, 200});
  Check("margin 4: 6 out on every side", item, all, 10, 4, {52, 32, 0, 0, 52, 32, 94, 194});
  Check("margin 0", item, all, 10, 0, {60, 40, 0, 0, 60, 40, 90, 190});
}

TEST(PlaceGlow, APartlyHiddenItemLosesTheGlowOverItsHiddenPart) {
  const TacRect item{100, 200, 140, 220};
  // Left 5 columns hidden: l + 5 - m columns go, the window moves right as much.
  Check("left 5 hidden, margin 4", item, {5, 0, 40, 20}, 10, 4, {52, 32, 11, 0, 41, 32, 105, 194});
  Check("left 5 hidden, margin 10", item, {5, 0, 40, 20}, 10, 10, {40, 20, 5, 0, 35, 20, 105, 200});
  // Right part hidden: the glow ends at the visible edge (x 130).
  Check("right 10 hidden", item, {0, 0, 30, 20}, 10, 4, {52, 32, 0, 0, 36, 32, 94, 194});
  // Both sides hidden: the window covers the visible part only.
  Check("both sides hidden", item, {5, 0, 30, 20}, 10, 4, {52, 32, 11, 0, 25, 32, 105, 194});
  // Top and bottom work alike.
  Check("top 3 and bottom 2 hidden", item, {0, 3, 40, 18}, 10, 4, {52, 32, 0, 9, 52, 15, 94, 203});
  Check("bottom 2 hidden", item, {0, 0, 40, 18}, 10, 4, {52, 32, 0, 0, 52, 24, 94, 194});
}

TEST(PlaceGlow, CropsStayInsideThePicture) {
  const TacRect item{100, 200, 140, 220};
  // Edges of 4 with a margin of 10: the glow starts 6 inside the item (x 106). A visible
  // part from x 102 on cuts nothing on the left (the rule would give a crop of -4).
  Check("margin above the edges", item, {2, 0, 40, 20}, 4, 10, {28, 8, 0, 0, 28, 8, 106, 206});
  // From x 110 on it cuts 4.
  Check("margin above the edges, cut", item, {10, 0, 40, 20}, 4, 10, {28, 8, 4, 0, 24, 8, 110, 206});
  // Visible part reaching outside the item is cut to it first.
  Check("visible larger than the item", item, {-5, -5, 50, 30}, 10, 4, {52, 32, 0, 0, 52, 32, 94, 194});

  EXPECT_TRUE(PlaceGlow(item, {0, 0, 0, 20}, TacGlowMargins{10, 10, 10, 10}, 4).Empty());   // nothing visible
  EXPECT_TRUE(PlaceGlow(item, {40, 0, 40, 20}, TacGlowMargins{10, 10, 10, 10}, 4).Empty());
  EXPECT_TRUE(PlaceGlow({0, 0, 4, 4}, {0, 0, 4, 4}, TacGlowMargins{1, 1, 1, 1}, 4).Empty());  // margins eat the item
  // Whatever the visible part, the window never leaves the whole picture.
  for (int l = -3; l <= 43; l += 2)
    for (int r = l; r <= 45; r += 3)
      for (int margin : {0, 4, 10, 14}) {
        TacGlowPlacement p = PlaceGlow(item, {l, 0, r, 20}, TacGlowMargins{10, 10, 10, 10}, margin);
        if (p.Empty()) continue;
        EXPECT_GE(p.CropLeft, 0);
        EXPECT_LE(p.CropLeft + p.Width, p.FullWidth) << l << " " << r << " " << margin;
        EXPECT_EQ(p.X, item.Left - 10 + margin + p.CropLeft);
      }
}

TEST(GlowImageMargins, OwnMarginsElseBorderWidthElseTheFrame) {
  TsMaskData m;
  m.R = TacRect{0, 0, 60, 40};
  m.ImageCount = 1;
  m.WL = 22;
  m.WT = 17;
  m.WR = 21;
  m.WB = 16;
  TacGlowMargins g = GlowImageMargins(m);
  EXPECT_EQ(g.Left, 22);
  EXPECT_EQ(g.Top, 17);
  EXPECT_EQ(g.Right, 21);
  EXPECT_EQ(g.Bottom, 16);
  m.WL = m.WT = m.WR = m.WB = 0;
  m.BorderWidth = 7;
  g = GlowImageMargins(m);
  EXPECT_EQ(g.Left, 7);
  EXPECT_EQ(g.Bottom, 7);
  m.BorderWidth = 0;
  g = GlowImageMargins(m);
  EXPECT_EQ(g.Left, 60);
  EXPECT_EQ(g.Top, 40);
}
