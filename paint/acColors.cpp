#include "paint/acColors.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// The classic Windows scheme, indexed like GetSysColor (COLOR_SCROLLBAR .. COLOR_MENUBAR),
// so the platform-free core paints sensibly before (or without) the Win32 layer.
constexpr uint32_t kClassicSysColors[] = {
    Rgb(212, 208, 200),  // scroll bar
    Rgb(58, 110, 165),   // desktop
    Rgb(10, 36, 106),    // active caption
    Rgb(128, 128, 128),  // inactive caption
    Rgb(212, 208, 200),  // menu
    Rgb(255, 255, 255),  // window
    Rgb(0, 0, 0),        // window frame
    Rgb(0, 0, 0),        // menu text
    Rgb(0, 0, 0),        // window text
    Rgb(255, 255, 255),  // caption text
    Rgb(212, 208, 200),  // active border
    Rgb(212, 208, 200),  // inactive border
    Rgb(128, 128, 128),  // application workspace
    Rgb(10, 36, 106),    // highlight
    Rgb(255, 255, 255),  // highlight text
    Rgb(212, 208, 200),  // button face
    Rgb(128, 128, 128),  // button shadow
    Rgb(128, 128, 128),  // grey text
    Rgb(0, 0, 0),        // button text
    Rgb(212, 208, 200),  // inactive caption text
    Rgb(255, 255, 255),  // button highlight
    Rgb(64, 64, 64),     // 3D dark shadow
    Rgb(212, 208, 200),  // 3D light
    Rgb(0, 0, 0),        // tooltip text
    Rgb(255, 255, 225),  // tooltip background
    Rgb(181, 181, 181),  // alternate button face
    Rgb(0, 0, 200),      // hot-tracking
    Rgb(166, 202, 240),  // gradient active caption
    Rgb(192, 192, 192),  // gradient inactive caption
    Rgb(10, 36, 106),    // menu highlight
    Rgb(212, 208, 200),  // menu bar
};

uint32_t ClassicSysColor(int index) {
  // GetSysColor answers 0 for an index it does not know.
  if (index < 0 || index >= static_cast<int>(sizeof(kClassicSysColors) / sizeof(kClassicSysColors[0]))) return 0;
  return kClassicSysColors[index];
}

TacSysColorFn g_sysColorSource = &ClassicSysColor;

}  // namespace

void SetSysColorSource(TacSysColorFn fn) { g_sysColorSource = fn ? fn : &ClassicSysColor; }

uint32_t ColorToRGB(uint32_t color) {
  if (color & 0x80000000u) return g_sysColorSource(static_cast<int>(color & 0xFF));
  return color;
}

TacParentImage ParentImageFromBitmap(const TacBitmap* image, int32_t x, int32_t y) {
  // A null image cannot be read from, so it never claims to have one.
  return TacParentImage{image, x, y, TransparentKey, image != nullptr};
}

TacParentImage ParentImageFromColor(uint32_t color) {
  return TacParentImage{nullptr, 0, 0, ColorToRGB(color), false};
}
