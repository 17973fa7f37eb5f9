// Colour values of the skin engine: 0x00BBGGRR (red in the low byte). A value
// with its top bit set names a system colour whose low byte is the index.
#pragma once

#include <cstdint>

class TacBitmap;

// Pixels of this colour are transparent in skin images; the same value means
// "no colour" wherever a colour argument is optional.
constexpr uint32_t TransparentKey = 0xFF00FF;

// Answers the RGB value (0x00BBGGRR) of a system-colour index.
using TacSysColorFn = uint32_t (*)(int index);

// Installs the source of system colours; null restores the built-in table of
// the classic Windows defaults. The Win32 layer installs GetSysColor.
void SetSysColorSource(TacSysColorFn fn);

// A system colour (top bit set) becomes its current RGB value; any other
// value is returned unchanged.
uint32_t ColorToRGB(uint32_t color);

// What lies behind a skinned item: the parent's cached image and the item's
// origin in it, or a plain fill colour. Passed by value; the image is not owned.
struct TacParentImage {
  const TacBitmap* Image;
  int32_t X;
  int32_t Y;
  uint32_t FillColor;  // TransparentKey for none
  bool HasImage;
};

// The item's origin lies at (x, y) of image; no fill colour. HasImage is
// false when image is null.
TacParentImage ParentImageFromBitmap(const TacBitmap* image, int32_t x, int32_t y);
// No image; the colour, resolved to RGB.
TacParentImage ParentImageFromColor(uint32_t color);

// Passed where an operation needs no background: no image, black fill.
inline constexpr TacParentImage EmptyParentImage{nullptr, 0, 0, 0, false};
