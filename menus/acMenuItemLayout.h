// Where the pieces of one skinned popup item go. An item is drawn in the popup's
// client coordinates; the popup's cached background covers the whole popup window,
// whose client area starts at Origin (the platform's frame around the client area
// on Windows, none where the platform draws its frame inside the client area). The
// item's picture T covers the item without the extra line at its left.
#pragma once

#include <vector>

#include "menus/acMenuMeasure.h"
#include "paint/acPoint.h"
#include "paint/acRect.h"

struct TacMenuItemPlace {
  TacRect Item{0, 0, 0, 0};      // the item's rectangle, client coordinates
  TacPoint Origin{0, 0};         // the client area's origin in the popup window
  int BackgroundWidth = 0;       // the popup window's size
  int BackgroundHeight = 0;
  int BorderWidth = 3;           // the frame strips items repaint from the background
  int SkinBorderWidth = 0;       // the skin's menu frame
  int ExtraLineWidth = 0;        // the popup's extra-line width
  int FirstColumn = 1;           // 1 when the item carries the extra line
  bool FirstVisible = false;     // the first visible item of its popup
  bool LastVisible = false;      // the last visible item of its popup
  bool NextStartsColumn = false; // the next visible item has a break
  bool HasBreak = false;         // the item itself starts a column
  int X0() const { return ExtraLineWidth * FirstColumn; }
};

// A block of the background copied to the client area.
struct TacBackgroundCopy {
  TacRect From;  // background (window) coordinates
  TacPoint To;   // client coordinates
};

// The frame strips next to the item, in window coordinates (they are copied from the
// background to the same place of the window): the top strip above the first item,
// the bottom strip below the last, and the left and right strips beside the item.
std::vector<TacRect> MenuFrameStrips(const TacMenuItemPlace& p);
// The background under the empty rest of a column (below the last item of a column)
// and the gap left of an item that starts a column.
std::vector<TacBackgroundCopy> MenuItemGaps(const TacMenuItemPlace& p);
// Where the item's picture goes (client coordinates) and the background pixel under
// its top-left corner.
TacRect MenuItemImageRect(const TacMenuItemPlace& p);
TacPoint MenuItemBackgroundOrigin(const TacMenuItemPlace& p);
// The extra line's column, repainted from the background by the first item.
TacBackgroundCopy MenuExtraLineColumn(const TacMenuItemPlace& p);

// Inside the item's picture (item width w, height h):
// the caption's rectangle (it runs on over the extra line's width: the shortcut is
// moved back by that much).
TacRect MenuCaptionRect(int w, int h, const TacMenuSpacing& s, int glyphWidth);
// The shortcut text of width textWidth, right-aligned 8 pixels in from the caption's
// right end, moved left by the extra-line width.
TacRect MenuShortcutRect(const TacRect& caption, int textWidth, int extraLineWidth);
// The check mark's top-left for a glyph frame of this height.
TacPoint MenuCheckPlace(int h, int frameHeight, const TacMenuSpacing& s);
// An image's inset from the item's top-left: (h - image height) div 2 both ways.
int MenuImageInset(int h, int imageHeight);
// The system-menu glyph's rectangle for a glyph text of this height.
TacRect MenuSystemGlyphRect(int h, int textHeight);
// A divider's line, left and right end (its full height): from the extra line +
// Margin + Spacing, but never over the icon line, to Margin before the end.
TacRect MenuDividerSpan(int w, int h, const TacMenuSpacing& s, int extraLineWidth, int iconLineWidth);
