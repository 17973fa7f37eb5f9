// Sizes of skinned popup items: kinds by caption, heights and widths, the text an
// item is measured by, columns, the skin's menu border width, whole-menu sizes and
// the system-menu glyphs.
#include "menus/acMenuMeasure.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuMeasure, ItemKindFromCaption) {
  const struct {
    const char* caption;
    TsMenuItemType kind;
    const char* shown;  // what a caption item reads
  } cases[] = {
      {"-", smDivider, "-"},
      {"-Title-", smCaption, "Title"},
      {"-One-Two-", smCaption, "One"},
      {"--", smCaption, ""},
      {"-Title", smNormal, "-Title"},
      {"Title-", smNormal, "Title-"},
      {"A-B", smNormal, "A-B"},
      {"", smNormal, ""},
      {"关闭", smNormal, "关闭"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MenuItemType(c.caption), c.kind) << c.caption;
    EXPECT_EQ(CaptionItemText(c.caption), c.shown) << c.caption;
  }
}

TEST(MenuMeasure, HeightsRoundTheTextRowHalvesToEven) {
  const struct {
    TsMenuItemType kind;
    int textHeight, glyphHeight, margin, expected;
  } cases[] = {
      {smDivider, 13, 16, 2, 2},   // a divider is 2 pixels whatever the font
      {smDivider, 40, 40, 9, 2},
      {smCaption, 13, 16, 2, 20},  // 16.25 -> 16, the glyph does not count
      {smCaption, 30, 16, 2, 42},  // 37.5 -> 38
      {smNormal, 13, 16, 2, 20},   // 16.25 -> 16 = glyph
      {smNormal, 10, 16, 2, 20},   // 12.5 -> 12, the glyph wins
      {smNormal, 14, 16, 2, 22},   // 17.5 -> 18
      {smNormal, 18, 16, 2, 26},   // 22.5 -> 22
      {smNormal, 13, 24, 3, 30},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MenuItemHeight(c.kind, c.textHeight, c.glyphHeight, c.margin), c.expected)
        << c.kind << " text " << c.textHeight;
}

TEST(MenuMeasure, ShortcutFollowsTheCaptionDirectly) {
  EXPECT_EQ(MeasuredMenuText(smNormal, "关闭(&C)", "Alt+F4"), "关闭(&C)Alt+F4");
  EXPECT_EQ(MeasuredMenuText(smNormal, "移动", ""), "移动");
  EXPECT_EQ(MeasuredMenuText(smCaption, "-Title-", ""), "--Title--");
  EXPECT_EQ(MeasuredMenuText(smDivider, "-", "Ctrl+X"), "");
}

TEST(MenuMeasure, WidthsAndIndents) {
  const TacMenuSpacing s{2, 6};
  EXPECT_EQ(MenuItemWidth(16, 50, s, 0), 32 + 50 + 6 + 6);
  EXPECT_EQ(MenuItemWidth(16, 50, s, 32), 32 + 50 + 6 + 6 + 32);
  EXPECT_EQ(MenuItemWidth(24, 0, TacMenuSpacing{4, 1}, 0), 48 + 12 + 1);
  EXPECT_EQ(MenuIconLineWidth(s, 16), 24);
  EXPECT_EQ(MenuCaptionIndent(s, 16), 26) << "the caption starts 2 pixels after the icon line";
  EXPECT_EQ(PopupExtraLineWidth(true, 32, true), 32);
  EXPECT_EQ(PopupExtraLineWidth(true, 32, false), 0);
  EXPECT_EQ(PopupExtraLineWidth(false, 32, true), 0);
}

TEST(MenuMeasure, FirstColumnEndsAtTheFirstBreak) {
  const std::vector<bool> breaks{false, false, true, false, true};
  const int expected[] = {1, 1, 0, 0, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(FirstColumn(breaks, i), expected[i]) << i;
  EXPECT_EQ(FirstColumn({true}, 0), 0) << "a break on the first item";
}

TEST(MenuMeasure, SkinBorderWidthFromTheMenuMask) {
  TsMaskData mask;
  const struct {
    int property;
    int maskWidth;  // -1: no mask
    int expected;
  } cases[] = {
      {5, 2, 5}, {0, 2, 0},  // set: used as it is
      {-1, 2, 2}, {-1, 0, 3}, {-1, -4, 3}, {-1, -1, 0},
  };
  for (const auto& c : cases) {
    mask.BorderWidth = static_cast<int16_t>(c.maskWidth);
    EXPECT_EQ(ResolveSkinBorderWidth(c.property, c.maskWidth == -1 ? nullptr : &mask), c.expected)
        << c.property << " " << c.maskWidth;
  }
}

TEST(MenuMeasure, MenuSizeAddsColumnsAndBorders) {
  const struct {
    const char* what;
    std::vector<TacMeasuredItem> items;
    int width, height;
  } cases[] = {
      {"one column", {{50, 20}, {70, 2}, {40, 20}}, 70 + 12 + 6, 42 + 6},
      {"hidden items take no room", {{50, 20}, {300, 90, false}, {40, 20}}, 50 + 12 + 6, 40 + 6},
      {"a break starts a column", {{50, 20}, {80, 20, true, true}, {60, 20}}, (50 + 12) + 4 + (80 + 12) + 6, 40 + 6},
      {"a break on the first item", {{50, 20, true, true}, {60, 20}}, 60 + 12 + 6, 40 + 6},
      {"no items", {}, 6, 6},
  };
  for (const auto& c : cases) {
    const TacMenuExtent e = PopupMenuSize(c.items, 3);
    EXPECT_EQ(e.Width, c.width) << c.what;
    EXPECT_EQ(e.Height, c.height) << c.what;
  }
}

TEST(MenuMeasure, SystemGlyphsAndCaptionAlignment) {
  EXPECT_EQ(SystemMenuGlyph(61472), '0');
  EXPECT_EQ(SystemMenuGlyph(61488), '1');
  EXPECT_EQ(SystemMenuGlyph(61536), 'r');
  EXPECT_EQ(SystemMenuGlyph(61728), '2');
  EXPECT_EQ(SystemMenuGlyph(61456), 0) << "move has none";
  EXPECT_EQ(SystemMenuGlyph(0), 0);

  const TacMenuCaption help = MenuCaptionLayout("\x08Help", TacMenuTextAlign::Left);
  EXPECT_EQ(help.Text, "Help      ");
  EXPECT_EQ(help.Align, TacMenuTextAlign::Right);
  const TacMenuCaption plain = MenuCaptionLayout("Open", TacMenuTextAlign::Center);
  EXPECT_EQ(plain.Text, "Open");
  EXPECT_EQ(plain.Align, TacMenuTextAlign::Center);
}

}  // namespace
