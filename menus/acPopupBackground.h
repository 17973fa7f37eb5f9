// The cached background of one skinned popup window: the "MAINMENU" face over the
// whole popup, the icon line, the menu's border mask, the optional extra line at the
// left, and the rectangles the window region leaves out (the border mask's keyed
// corners). Items are drawn over it later and copy their rectangles from it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "paint/acBitmap.h"
#include "paint/acRect.h"

class TsSkinModel;

struct TacPopupBackgroundInput {
  int Width = 0;  // the popup window's size
  int Height = 0;
  int IconLineWidth = 0;
  int SkinBorderWidth = 0;
  std::string IcoLineSkin = "ICOLINE";  // section of the icon line
  int ExtraLineWidth = 0;               // 0: no extra line
  std::string ExtraLineSkin = "EXTRALINE";
};

struct TacPopupBackgroundImage {
  TacBitmapPtr Bitmap;               // 24-bit, the popup's size
  std::vector<TacRect> RegionRects;  // one-pixel-high keyed runs of the corners
};

// Paints the extra line's picture and text into the extra line's bitmap, given the
// section it was painted from.
using TacExtraLineText = std::function<void(TacBitmap& extraLine, int section)>;

// Composes the background. Without a "MAINMENU" section the bitmap stays unpainted
// (zero) and no region rectangles result.
TacPopupBackgroundImage ComposePopupBackground(const TsSkinModel& skin, const TacPopupBackgroundInput& in,
                                               const TacExtraLineText& extraLineText = {});

// The window region of a popup: its whole rectangle less the cut rectangles, as
// band-ordered rectangles (one rectangle without cuts).
std::vector<TacRect> PopupRegionKeptRects(int width, int height, const std::vector<TacRect>& cut);
