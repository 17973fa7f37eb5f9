// Sizes of skinned popup-menu items as plain arithmetic: an item's kind from its
// caption, its height and width from the measured text and its glyph size, the
// widths of the icon line and the extra line, the skin's menu border width, and the
// size of a whole menu from its measured items (for a popup without a window).
#pragma once

#include <string>
#include <vector>

#include "skin/sMaskData.h"

// smTopLine is the kind of a menu-bar item; popup items are one of the other three.
enum TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };

// "-" is a divider; a caption beginning and ending with "-" and longer than that is
// a caption item ("-Title-"); anything else is a normal item.
TsMenuItemType MenuItemType(const std::string& caption);
// What a caption item shows: the caption without its enclosing "-", up to the next
// "-" ("-Title-" gives "Title", "-One-Two-" gives "One").
std::string CaptionItemText(const std::string& caption);

// The spacing properties of the menu skinning.
struct TacMenuSpacing {
  int Margin = 2;   // inner margin of items
  int Spacing = 6;  // gap between the icon column and the caption
};

// textHeight is the height of "W" in the item's font: a divider is 2 pixels high, a
// caption item round(1.25 x textHeight) + 2 x Margin, a normal item the larger of
// that row and the glyph, plus 2 x Margin.
int MenuItemHeight(TsMenuItemType kind, int textHeight, int glyphHeight, int margin);
// The text an item is measured by: a caption item "-" + caption + "-", a divider
// nothing, a normal item its caption directly followed by its shortcut text.
std::string MeasuredMenuText(TsMenuItemType kind, const std::string& caption, const std::string& shortcut);
// 2 x glyph width + text width + 3 x Margin + Spacing + the extra-line width (0
// when the item does not carry it).
int MenuItemWidth(int glyphWidth, int textWidth, const TacMenuSpacing& s, int extraLineWidth);
// Margin + the first item's glyph width + Spacing.
int MenuIconLineWidth(const TacMenuSpacing& s, int glyphWidth);
// The caption's left edge in an item: glyph width + 2 x Margin + Spacing.
int MenuCaptionIndent(const TacMenuSpacing& s, int glyphWidth);
// The popup's extra-line width: the configured width when the extra line is used and
// shown for this popup, else 0.
int PopupExtraLineWidth(bool useExtraLine, int extraLineWidth, bool shown);
// 1 for an item of the first column (no item before it or it has a break), else 0.
int FirstColumn(const std::vector<bool>& breaks, int index);

// The border width of the skin's menu frame: a property of 0 or more is used as
// it is; otherwise the BorderWidth of "MAINMENU"'s border mask (3 when that is 0 or
// less), or 0 without such a mask (null).
int ResolveSkinBorderWidth(int property, const TsMaskData* menuBorderMask);

struct TacMeasuredItem {
  int Width = 0;
  int Height = 0;
  bool Visible = true;
  bool Break = false;  // starts a new column
};
struct TacMenuExtent {
  int Width = 0;
  int Height = 0;
};
// The popup's size from its items: columns side by side (each the widest visible
// item + 12, a break adding 4), as high as the highest column, plus the border on
// every side.
TacMenuExtent PopupMenuSize(const std::vector<TacMeasuredItem>& items, int borderWidth);

// The "Webdings" character that stands for a system command in the system menu:
// minimize "0", maximize "1", close "r", restore "2"; 0 for any other command.
char SystemMenuGlyph(long long command);

enum class TacMenuTextAlign { Left, Right, Center };
// How a normal item's caption is drawn: a caption starting with the character 8
// loses it, gets six blanks appended and goes to the right; any other keeps the
// menu's alignment.
struct TacMenuCaption {
  std::string Text;
  TacMenuTextAlign Align = TacMenuTextAlign::Left;
};
TacMenuCaption MenuCaptionLayout(const std::string& caption, TacMenuTextAlign alignment);
