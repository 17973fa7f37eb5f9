// Where the pieces of a skinned popup item go: frame strips, column gaps, the item's
// picture and its background, the caption, shortcut, check mark, glyph and divider.
// The same item lies at the same background pixels whether the platform puts the
// popup's frame outside the client area (Windows: origin 3, 3) or inside it (origin
// 0, 0, the items 3 pixels in).
#include "menus/acMenuItemLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Same(const TacRect& a, const TacRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// An item 114 x 20 whose window rows are 23..43 in a 120 x 88 popup.
TacMenuItemPlace Item(bool frameOutside) {
  TacMenuItemPlace p;
  p.BackgroundWidth = 120;
  p.BackgroundHeight = 88;
  p.SkinBorderWidth = 2;
  if (frameOutside) {
    p.Origin = TacPoint{3, 3};
    p.Item = TacRect{0, 20, 114, 40};
  } else {
    p.Origin = TacPoint{0, 0};
    p.Item = TacRect{3, 23, 117, 43};
  }
  return p;
}

TEST(MenuItemLayout, BackgroundPlacesDoNotDependOnWhereThePlatformDrawsItsFrame) {
  for (bool first : {false, true})
    for (bool last : {false, true}) {
      TacMenuItemPlace a = Item(true), b = Item(false);
      a.FirstVisible = b.FirstVisible = first;
      a.LastVisible = b.LastVisible = last;
      const std::vector<TacRect> sa = MenuFrameStrips(a), sb = MenuFrameStrips(b);
      ASSERT_EQ(sa.size(), sb.size());
      for (size_t i = 0; i < sa.size(); ++i) EXPECT_TRUE(Same(sa[i], sb[i])) << i;
      const std::vector<TacBackgroundCopy> ga = MenuItemGaps(a), gb = MenuItemGaps(b);
      ASSERT_EQ(ga.size(), gb.size());
      for (size_t i = 0; i < ga.size(); ++i) EXPECT_TRUE(Same(ga[i].From, gb[i].From)) << i;
      EXPECT_EQ(MenuItemBackgroundOrigin(a).X, MenuItemBackgroundOrigin(b).X);
      EXPECT_EQ(MenuItemBackgroundOrigin(a).Y, MenuItemBackgroundOrigin(b).Y);
    }
}

TEST(MenuItemLayout, FrameStripsBesideAndAroundTheItem) {
  TacMenuItemPlace p = Item(true);
  std::vector<TacRect> s = MenuFrameStrips(p);
  ASSERT_EQ(s.size(), 2u) << "a middle item repaints only its sides";
  EXPECT_TRUE(Same(s[0], TacRect{0, 23, 3, 43})) << "left: the wider of the two border widths";
  EXPECT_TRUE(Same(s[1], TacRect{117, 23, 120, 43}));
  p.SkinBorderWidth = 5;
  p.ExtraLineWidth = 20;
  EXPECT_TRUE(Same(MenuFrameStrips(p)[0], TacRect{0, 23, 25, 43})) << "with the extra line of the first column";
  p.FirstColumn = 0;
  EXPECT_TRUE(Same(MenuFrameStrips(p)[0], TacRect{0, 23, 5, 43})) << "a later column has none";
  p.FirstVisible = p.LastVisible = true;
  s = MenuFrameStrips(p);
  ASSERT_EQ(s.size(), 4u);
  EXPECT_TRUE(Same(s[0], TacRect{0, 0, 120, 3}));
  EXPECT_TRUE(Same(s[1], TacRect{0, 85, 120, 88}));
}

TEST(MenuItemLayout, GapsBelowAColumnAndLeftOfABreak) {
  TacMenuItemPlace p = Item(true);
  EXPECT_TRUE(MenuItemGaps(p).empty()) << "an item with a neighbour below leaves no gap";
  p.NextStartsColumn = true;
  std::vector<TacBackgroundCopy> g = MenuItemGaps(p);
  ASSERT_EQ(g.size(), 1u);
  // Client rows 40 .. 82 (the background's 88 less the two 3-pixel strips).
  EXPECT_TRUE(Same(g[0].From, TacRect{3, 43, 117, 85}));
  EXPECT_EQ(g[0].To.X, 0);
  EXPECT_EQ(g[0].To.Y, 40);
  p.Item.Bottom = 82;
  EXPECT_TRUE(MenuItemGaps(p).empty()) << "a column filled to the bottom";

  p = Item(true);
  p.HasBreak = true;
  p.Item = TacRect{130, 0, 200, 20};
  p.BackgroundWidth = 206;
  g = MenuItemGaps(p);
  ASSERT_EQ(g.size(), 1u);
  EXPECT_TRUE(Same(g[0].From, TacRect{129, 3, 133, 85})) << "4 pixels left of the new column, the whole height";
  EXPECT_EQ(g[0].To.X, 126);
}

TEST(MenuItemLayout, PictureCaptionAndShortcut) {
  TacMenuItemPlace p = Item(true);
  p.ExtraLineWidth = 20;
  EXPECT_TRUE(Same(MenuItemImageRect(p), TacRect{20, 20, 114, 40}));
  EXPECT_EQ(MenuItemBackgroundOrigin(p).X, 23);
  EXPECT_EQ(MenuItemBackgroundOrigin(p).Y, 23);
  const TacMenuSpacing s{2, 6};
  const TacRect caption = MenuCaptionRect(114, 20, s, 16);
  EXPECT_TRUE(Same(caption, TacRect{26, 0, 114, 20}));
  EXPECT_TRUE(Same(MenuShortcutRect(caption, 40, 0), TacRect{66, 0, 106, 20}));
  EXPECT_TRUE(Same(MenuShortcutRect(caption, 40, 20), TacRect{46, 0, 86, 20})) << "moved back by the extra line";
  const TacBackgroundCopy column = MenuExtraLineColumn(p);
  EXPECT_TRUE(Same(column.From, TacRect{3, 3, 26, 88}));
}

TEST(MenuItemLayout, IconColumnPlaces) {
  const TacMenuSpacing s{2, 6};
  EXPECT_EQ(MenuCheckPlace(20, 16, s).X, 2);
  EXPECT_EQ(MenuCheckPlace(20, 16, s).Y, 2);
  EXPECT_EQ(MenuCheckPlace(21, 16, s).Y, 2);
  EXPECT_EQ(MenuImageInset(20, 16), 2);
  EXPECT_EQ(MenuImageInset(24, 16), 4);
  EXPECT_TRUE(Same(MenuSystemGlyphRect(20, 13), TacRect{4, 3, 27, 16}));
  EXPECT_TRUE(Same(MenuDividerSpan(114, 2, s, 0, 24), TacRect{26, 0, 112, 2})) << "past the icon line";
  EXPECT_TRUE(Same(MenuDividerSpan(114, 2, TacMenuSpacing{2, 30}, 0, 24), TacRect{32, 0, 112, 2}));
  EXPECT_TRUE(Same(MenuDividerSpan(134, 2, s, 20, 24), TacRect{46, 0, 132, 2}));
}

}  // namespace
