// The border window of a form with an extended border: where it lies against the
// form, what shows through it, what its points mean, and the image composed into it.
#include "frame/acBorderGeometry.h"

#include <gtest/gtest.h>

#include "frame/acBorderImage.h"
#include "frame/acFrameGeometry.h"

namespace {

const uint32_t kSingle = acStyle::Caption | acStyle::SysMenu;
const uint32_t kSizeable = kSingle | acStyle::ThickFrame;

// The program's main window with its skin: a single border, 450 x 262 client,
// BORDERWIDTH 4, TITLEHEIGHT 30, FORMOFFSET 12 in centred mode.
TacFrameModel MainWindow(uint32_t style = kSingle) {
  TacFrameModel m;
  m.Style = style;
  m.BorderStyle = style & acStyle::ThickFrame ? TacBorderKind::Sizeable : TacBorderKind::Single;
  const int sb = style & acStyle::ThickFrame ? 4 : 3;
  m.ClientWidth = 450;
  m.ClientHeight = 262;
  m.Width = 450 + 2 * sb;
  m.Height = 262 + 2 * sb + 19;
  m.BorderForm = true;
  m.Skin.BorderWidth = 4;
  m.Skin.TitleHeight = 30;
  m.Skin.MaxTitleHeight = 30;
  m.Skin.FormOffset = 12;
  m.Skin.BorderMode = 1;
  m.Skin.ShadowMargins = TacRect{12, 12, 12, 12};
  return m;
}

// Where the form's client area starts in its own window.
TacPoint ClientInWindow(const TacFrameModel& m) { return TacPoint{SysBorderWidth(m, false), SysBorderWidth(m, false) + 19}; }

TEST(BorderGeometry, TheFormsClientShowsThroughTheHoleAtItsOwnPlace) {
  struct Case {
    const char* what;
    uint32_t style;
    int skinBorder;
    int titleHeight;
    TacRect margins;
  } cases[] = {
      {"the main window", kSingle, 4, 30, {12, 12, 12, 12}},
      {"a sizeable form", kSizeable, 4, 30, {12, 12, 12, 12}},
      {"built-in shadow margins", kSingle, 4, 30, {12, 8, 12, 12}},
      {"a skin without its own border width", kSingle, 0, 30, {12, 12, 12, 12}},
      {"a skin without its own title height", kSingle, 4, 0, {11, 7, 11, 11}},
  };
  for (const Case& c : cases) {
    TacFrameModel m = MainWindow(c.style);
    m.Skin.BorderWidth = c.skinBorder;
    m.Skin.TitleHeight = m.Skin.MaxTitleHeight = c.titleHeight;
    m.Skin.ShadowMargins = c.margins;
    const TacPoint off = BorderWindowOffset(m);
    const TacPoint client = ClientInWindow(m);
    const TacRect hole = BorderClientHole(m);
    // The client as the form shows it must meet the client the frame image leaves for it.
    EXPECT_EQ(hole.Left, off.X + client.X) << c.what;
    EXPECT_EQ(hole.Top, off.Y + client.Y) << c.what;
    EXPECT_EQ(hole.Left, ClientOffsetX(m)) << c.what;
    EXPECT_EQ(hole.Top, ClientOffsetY(m)) << c.what;
    EXPECT_EQ(hole.Width(), 450) << c.what;
    EXPECT_EQ(hole.Height(), 262) << c.what;
    // The frame image reaches the shadow margins past the form's sides.
    EXPECT_EQ(FrameWidth(m) - hole.Right, SysBorderWidth(m, true) + c.margins.Right) << c.what;
    EXPECT_EQ(FrameCacheHeight(m) - hole.Bottom, SysBorderWidth(m, true) + c.margins.Bottom) << c.what;
  }
  const TacFrameModel m = MainWindow();
  EXPECT_EQ(FrameWidth(m), 482);
  EXPECT_EQ(FrameCacheHeight(m), 320);
  EXPECT_EQ(BorderWindowOffset(m).X, 13);
  EXPECT_EQ(BorderWindowOffset(m).Y, 20);
  EXPECT_EQ(TitleBottom(m), 42);
  EXPECT_TRUE(CentredBorderMode(m));
}

TEST(BorderGeometry, MaximizedFormLosesTheShadowOffTheScreen) {
  TacFrameModel m = MainWindow(kSizeable);
  EXPECT_EQ(MaximizedBottomCut(m), 0);
  EXPECT_EQ(BorderVisibleRect(m, 482, 320).Bottom, 320) << "a normal form shows its whole border window";
  m.State = TacWindowState::Maximized;
  EXPECT_EQ(MaximizedBottomCut(m), 12 + 4) << "bottom margin and the skin's border width";
  const TacRect v = BorderVisibleRect(m, 482, 304);
  EXPECT_EQ(v.Left, 4 + 12) << "platform border, side delta 0 and the margin";
  EXPECT_EQ(v.Top, 12 + 4);
  EXPECT_EQ(v.Right, 482 - 16);
  EXPECT_FALSE(InBorderShadow(m, TacPoint{0, 0}, 482, 304)) << "a maximized form has no shadow to click through";
}

TEST(BorderGeometry, ShadowIsEverythingOutsideTheFrame) {
  const TacFrameModel m = MainWindow();
  struct Case {
    TacPoint p;
    bool shadow;
  } cases[] = {{{0, 0}, true},     {{11, 100}, true},  {{12, 12}, false}, {{469, 307}, false},
               {{470, 100}, true}, {{100, 308}, true}, {{481, 319}, true}};
  for (const Case& c : cases) EXPECT_EQ(InBorderShadow(m, c.p, 482, 320), c.shadow) << c.p.X << "," << c.p.Y;
}

TEST(BorderGeometry, HitTestOfTheBorderWindow) {
  TacFrameModel sizeable = MainWindow(kSizeable);
  const int w = FrameWidth(sizeable), h = FrameCacheHeight(sizeable);
  TacBorderHitInput in;
  in.Buttons.push_back({TacRect{400, 14, 440, 40}, acHit::Close});
  in.Buttons.push_back({TacRect{360, 14, 400, 40}, acHit::FallThrough});  // a disabled user button
  const TacRect icon = IconRect(sizeable);
  struct Case {
    const char* what;
    TacPoint p;
    int expected;
  } cases[] = {
      {"close button", {420, 20}, acHit::Close},
      {"disabled user button: the caption below", {380, 20}, acHit::Caption},
      {"top edge inside the shadow margin", {100, 12}, acHit::Top},
      {"top-left corner", {12, 12}, acHit::TopLeft},
      {"left edge", {13, 150}, acHit::Left},
      {"right edge", {w - 13, 150}, acHit::Right},
      {"bottom-right corner", {w - 13, h - 13}, acHit::BottomRight},
      {"bottom edge", {100, h - 14}, acHit::Bottom},
      {"caption", {200, 30}, acHit::Caption},
      {"icon", {icon.Left + 1, icon.Top + 1}, acHit::SysMenu},
      {"nothing of the frame", {200, 200}, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(BorderHitTest(sizeable, c.p, w, h, in), c.expected) << c.what;

  TacBorderHitInput disabled = in;
  disabled.OwnerEnabled = false;
  EXPECT_EQ(BorderHitTest(sizeable, TacPoint{420, 20}, w, h, disabled), -1) << "a disabled form answers nothing";
  TacFrameModel single = MainWindow(kSingle);
  EXPECT_EQ(BorderHitTest(single, TacPoint{100, 12}, w, h, in), acHit::Caption) << "no sizing without a thick frame";
  sizeable.State = TacWindowState::Maximized;
  EXPECT_EQ(BorderHitTest(sizeable, TacPoint{100, 12}, w, h, in), acHit::Caption) << "no sizing when maximized";
  TacBorderHitInput grip = in;
  grip.TestGrip = grip.HasGripImage = true;
  grip.GripTopLeft = TacPoint{w - 30, h - 30};
  EXPECT_EQ(BorderHitTest(single, TacPoint{w - 20, h - 20}, w, h, grip), acHit::BottomRight);
}

TEST(BorderGeometry, CentredLayoutKeepsTheTitleInItsPlace) {
  const TacFrameModel m = MainWindow();
  const TacRect imageMargins{24, 42, 24, 24};
  TacCentredBorderLayout l = CentredBorderLayout(m, 320, imageMargins);
  EXPECT_EQ(l.Margins.Top, 42);
  EXPECT_EQ(l.Margins.Bottom, 24);
  EXPECT_EQ(l.Insets.Left, 16);
  EXPECT_EQ(l.Insets.Top, 42);
  EXPECT_EQ(l.Insets.Right, 16);
  EXPECT_EQ(l.Insets.Bottom, 16);
  // A window hardly taller than its title: the margins share what there is.
  l = CentredBorderLayout(m, 40, imageMargins);
  EXPECT_EQ(l.Margins.Top, 35);
  EXPECT_EQ(l.Margins.Bottom, 5);
}

// ---- the image

uint32_t Bgra(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return static_cast<uint32_t>(p[0]) | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void Fill(TacBitmap& b, uint32_t bgra) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      uint8_t* p = b.Pixel(x, y);
      p[0] = bgra & 255;
      p[1] = bgra >> 8 & 255;
      p[2] = bgra >> 16 & 255;
      p[3] = bgra >> 24;
    }
}

TEST(BorderImage, ShadowRingComesFromTheImageAndLeavesTheFrame) {
  TacBitmapPtr cache = NewMemoryBitmap(60, 40, TacPixelFormat::pf32bit);
  Fill(*cache, 0xFF2040C0);
  TacBitmapPtr shadow = NewMemoryBitmap(30, 30, TacPixelFormat::pf32bit);
  Fill(*shadow, 0x50000000);  // black at alpha 80
  ComposeShadowRing(cache.get(), shadow.get(), TacRect{5, 5, 5, 5}, 3);
  EXPECT_EQ(Bgra(*cache, 0, 0), 0x50000000u) << "outer corner";
  EXPECT_EQ(Bgra(*cache, 30, 4), 0x50000000u) << "top edge";
  EXPECT_EQ(Bgra(*cache, 55, 20), 0x50000000u) << "right edge";
  EXPECT_EQ(Bgra(*cache, 5, 5), 0xFF2040C0u) << "the frame keeps its pixels";
  EXPECT_EQ(Bgra(*cache, 54, 34), 0xFF2040C0u);
}

TEST(BorderImage, CutCornersShowTheShadow) {
  TacBitmapPtr cache = NewMemoryBitmap(40, 30, TacPixelFormat::pf32bit);
  Fill(*cache, 0xFF808080);
  TacBitmapPtr shadow = NewMemoryBitmap(50, 50, TacPixelFormat::pf32bit);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) {
      uint8_t* p = shadow->Pixel(x, y);
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(y);
      p[2] = 0;
      p[3] = 40;
    }
  // A 9 x 9 mask image, 3-pixel corners; the key colour at the outermost pixel of
  // every corner and one more at the top left.
  TacBitmapPtr maskImage = NewMemoryBitmap(9, 9, TacPixelFormat::pf24bit);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      uint8_t* p = maskImage->Pixel(x, y);
      p[0] = p[1] = p[2] = 0x40;
    }
  auto key = [&](int x, int y) {
    uint8_t* p = maskImage->Pixel(x, y);
    p[0] = 0xFF, p[1] = 0, p[2] = 0xFF;
  };
  key(0, 0), key(1, 0), key(8, 0), key(0, 8), key(8, 8);
  TsMaskData mask;
  mask.R = TacRect{0, 0, 9, 9};
  mask.ImageCount = 1;
  mask.WL = mask.WT = mask.WR = mask.WB = 3;
  const TacCornerMask corner{&mask, maskImage.get()};
  const TacRect frame{5, 5, 35, 25};
  FillCutCornersFromBorder(cache.get(), shadow.get(), frame, corner, corner, false);
  // Left and top corners from the image's start, right and bottom ones from its end.
  EXPECT_EQ(Bgra(*cache, 5, 5), 0x28000505u);
  EXPECT_EQ(Bgra(*cache, 6, 5), 0x28000506u);
  EXPECT_EQ(Bgra(*cache, 7, 5), 0xFF808080u) << "not keyed: the frame's own pixel";
  EXPECT_EQ(Bgra(*cache, 34, 5), 0x28000500u + 34 + 10) << "top right: image x = 34 + (50 - 40)";
  EXPECT_EQ(Bgra(*cache, 5, 24), 0x28000005u + ((24 + 20) << 8)) << "bottom left: image y = 24 + (50 - 30)";
  EXPECT_EQ(Bgra(*cache, 34, 24), 0x28000000u + 44 + (44 << 8));
  EXPECT_EQ(Bgra(*cache, 20, 15), 0xFF808080u);

  // The form's own mask standing in for a missing title mask: its top-left kept to 8 x 8.
  TacBitmapPtr big = NewMemoryBitmap(30, 30, TacPixelFormat::pf24bit);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      uint8_t* p = big->Pixel(x, y);
      p[0] = 0xFF, p[1] = 0, p[2] = 0xFF;
    }
  TsMaskData wide;
  wide.R = TacRect{0, 0, 30, 30};
  wide.ImageCount = 1;
  wide.WL = wide.WT = wide.WR = wide.WB = 10;
  Fill(*cache, 0xFF808080);
  FillCutCornersFromBorder(cache.get(), shadow.get(), TacRect{0, 0, 40, 30}, TacCornerMask{&wide, big.get()},
                           TacCornerMask{}, true);
  EXPECT_EQ(Bgra(*cache, 7, 7), 0x28000707u);
  EXPECT_EQ(Bgra(*cache, 8, 8), 0xFF808080u) << "past the 8 x 8 limit";
  EXPECT_EQ(Bgra(*cache, 35, 9), 0x28000900u + 45) << "the top-right corner is not limited";
}

TEST(BorderImage, DrawnOverTitleKeepsTheTitlesAlpha) {
  TacBitmapPtr cache = NewMemoryBitmap(8, 4, TacPixelFormat::pf32bit);
  Fill(*cache, 0xC0102030);
  TacBitmapPtr before = NewMemoryBitmap(8, 4, TacPixelFormat::pf32bit);
  Fill(*before, 0xC0102030);
  // Text drawn by the platform: colour changed, alpha wiped.
  uint8_t* text = cache->Pixel(2, 1);
  text[0] = 0, text[1] = 0, text[2] = 0, text[3] = 0;
  // Not touched by the text, alpha set otherwise: left alone.
  cache->Pixel(5, 1)[3] = 0x11;
  uint8_t* below = cache->Pixel(2, 3);
  below[0] = 0, below[3] = 0;
  RestoreAlphaWhereChanged(cache.get(), *before, 2);
  EXPECT_EQ(Bgra(*cache, 2, 1), 0xC0000000u);
  EXPECT_EQ(cache->Pixel(5, 1)[3], 0x11);
  EXPECT_EQ(cache->Pixel(2, 3)[3], 0) << "below the rows asked for";
}

}  // namespace
