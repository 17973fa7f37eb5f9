// Frame decisions of a skinned form: region corners from the masks, the
// non-client hit test, screen snap, the outline drag and the maximized size.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "frame/acFrameGeometry.h"
#include "frame/acFrameHitTest.h"
#include "frame/acFrameRegion.h"
#include "frame/acMaximizedSize.h"
#include "frame/acOutlineDrag.h"
#include "frame/acScreenSnap.h"

// Found by argument lookup from gtest: TacRect lives in the global namespace.
bool operator==(const TacRect& a, const TacRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
std::ostream& operator<<(std::ostream& os, const TacRect& r) {
  return os << "{" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << "}";
}

namespace {

// A 24-bit image of grey with key-coloured pixels at the given points.
TacBitmapPtr Image(int w, int h, const std::vector<TacPoint>& keys) {
  TacBitmapPtr b = NewBitmap24(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = b->Pixel(x, y);
      p[0] = p[1] = p[2] = 0x80;
    }
  for (const TacPoint& k : keys) {
    uint8_t* p = b->Pixel(k.X, k.Y);
    p[0] = 0xFF, p[1] = 0x00, p[2] = 0xFF;
  }
  return b;
}

TsMaskData Mask(TacRect r, int margin, int frames = 1) {
  TsMaskData m;
  m.R = r;
  m.ImageCount = static_cast<int16_t>(frames);
  m.WL = m.WT = m.WR = m.WB = static_cast<int16_t>(margin);
  return m;
}

TEST(FrameRegion, KeyedCornerRunsBecomeOnePixelRows) {
  // A 12 x 12 frame with 3-pixel corners; a second state frame to the right
  // carries key pixels that must not count.
  TacBitmapPtr img = Image(24, 12, {{0, 0}, {1, 0}, {0, 1}, {11, 0}, {0, 11}, {10, 11}, {11, 11}, {12, 0}, {13, 0}});
  TsMaskData border = Mask(TacRect{0, 0, 24, 12}, 3, 2);
  const std::vector<TacRect> rects = BuildRegionRects({&border, img.get()}, {}, 100, 50);
  const std::vector<TacRect> expected = {
      {0, 0, 2, 1}, {99, 0, 100, 1}, {0, 1, 1, 2},      // top corners at y = 0
      {0, 49, 1, 50}, {98, 49, 100, 50},                // bottom corners at y = 50 - 3
  };
  EXPECT_EQ(rects, expected);
}

TEST(FrameRegion, MasterBitmapAreaTitleMaskAndNothingToCut) {
  // The frame lies at (20, 4) inside a master bitmap; the title mask adds its top corners.
  TacBitmapPtr master = Image(40, 20, {{20, 4}, {31, 4}, {32, 4}});
  TsMaskData border = Mask(TacRect{20, 4, 32, 16}, 2);
  TacBitmapPtr titleImg = Image(8, 4, {{7, 0}});
  TsMaskData title = Mask(TacRect{0, 0, 8, 4}, 2);
  const std::vector<TacRect> rects = BuildRegionRects({&border, master.get()}, {&title, titleImg.get()}, 60, 30);
  const std::vector<TacRect> expected = {{0, 0, 1, 1}, {59, 0, 60, 1}, {59, 0, 60, 1}};
  EXPECT_EQ(rects, expected) << "column 32 lies outside the frame";

  TacBitmapPtr plain = Image(12, 12, {});
  TsMaskData clean = Mask(TacRect{0, 0, 12, 12}, 3);
  EXPECT_TRUE(BuildRegionRects({&clean, plain.get()}, {}, 100, 50).empty()) << "no key pixels: a plain rectangle";
  TsMaskData tooTall = Mask(TacRect{0, 0, 12, 40}, 3);
  EXPECT_TRUE(BuildRegionRects({&tooTall, plain.get()}, {}, 100, 50).empty()) << "image shorter than the mask";
  EXPECT_TRUE(BuildRegionRects({}, {}, 100, 50).empty());

  EXPECT_EQ(BorderFormClientRect(456, 287, 3, 19, false), (TacRect{3, 22, 453, 284}));
  EXPECT_EQ(BorderFormClientRect(456, 287, 3, 23, true), (TacRect{3, 22, 453, 284}));
}

TacFrameModel Sizeable() {
  TacFrameModel m;
  m.Style = acStyle::Caption | acStyle::SysMenu | acStyle::ThickFrame;
  m.BorderStyle = TacBorderKind::Sizeable;
  m.Width = 300;
  m.Height = 200;
  m.ClientWidth = 292;
  m.ClientHeight = 173;
  return m;  // border 4, caption 19, icon 16 x 16 at (4, 5)
}

TEST(FrameHitTest, EveryZoneOfASizeableForm) {
  TacHitTestInput in;
  in.Buttons = {{TacRect{270, 4, 290, 20}, acHit::Close},
                {TacRect{250, 4, 270, 20}, acHit::FallThrough},  // a disabled user button
                {TacRect{230, 4, 250, 20}, acHit::UserButton + 1}};
  struct Case {
    TacPoint p;
    int expected;
  } cases[] = {
      {{280, 10}, acHit::Close},        {{255, 10}, acHit::Caption},   {{235, 10}, acHit::UserButton + 1},
      {{1, 1}, acHit::TopLeft},         {{298, 1}, acHit::TopRight},   {{1, 198}, acHit::BottomLeft},
      {{298, 198}, acHit::BottomRight}, {{150, 1}, acHit::Top},        {{150, 199}, acHit::Bottom},
      {{1, 100}, acHit::Left},          {{299, 100}, acHit::Right},    {{8, 10}, acHit::SysMenu},
      {{100, 10}, acHit::Caption},      {{100, 23}, acHit::Menu},      {{100, 24}, acHit::Client},
      {{150, 100}, acHit::Client},
  };
  const TacFrameModel m = Sizeable();
  for (const Case& c : cases) EXPECT_EQ(FrameHitTest(m, c.p, in), c.expected) << c.p.X << "," << c.p.Y;

  TacFrameModel maximized = m;
  maximized.State = TacWindowState::Maximized;
  EXPECT_EQ(FrameHitTest(maximized, {1, 100}, in), acHit::Client) << "no sizing edges when maximized";
  TacFrameModel withBorderForm = m;
  withBorderForm.BorderForm = true;
  EXPECT_NE(FrameHitTest(withBorderForm, {280, 10}, in), acHit::Close) << "the border form tests its own buttons";
}

TEST(FrameHitTest, GripMenuLineChildButtonsAndNoCaption) {
  TacFrameModel m = Sizeable();
  m.ShowsMenuLine = true;  // menu line rows 23 .. 41
  TacHitTestInput in;
  in.TestGrip = true;
  in.HasGripImage = true;
  in.GripTopLeft = {280, 180};
  in.ChildButtons = {TacRect{280, 25, 296, 40}, TacRect{262, 25, 278, 40}, TacRect{244, 25, 260, 40}};
  EXPECT_EQ(FrameHitTest(m, {285, 185}, in), acHit::BottomRight);
  EXPECT_EQ(FrameHitTest(m, {280, 185}, in), acHit::Client) << "only right of the corner";
  in.HasGripImage = false;
  EXPECT_EQ(FrameHitTest(m, {285, 185}, in), acHit::Client);
  EXPECT_EQ(FrameHitTest(m, {285, 30}, in), acHit::ChildClose);
  EXPECT_EQ(FrameHitTest(m, {265, 30}, in), acHit::ChildRestore);
  EXPECT_EQ(FrameHitTest(m, {250, 30}, in), acHit::ChildMinimize);
  EXPECT_EQ(FrameHitTest(m, {100, 30}, in), acHit::Menu);

  TacFrameModel noCaption;
  noCaption.Style = acStyle::Border;
  noCaption.Width = 100;
  noCaption.Height = 100;
  EXPECT_EQ(CaptionHeight(noCaption, true), 0);
  EXPECT_TRUE(LeftToPlatform(FrameHitTest(noCaption, {50, 50}, {})));
}

TEST(FrameHitTest, TitleButtonCodesFollowTheSystemMenu) {
  TacTitleButtonState s;
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::Maximize, 0, true, s, false), acHit::MaxButton);
  s.EnabledMax = false;
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::Maximize, 0, true, s, false), acHit::Caption);
  s.EnabledRestore = true;
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::Maximize, 0, true, s, false), acHit::MaxButton);
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::Maximize, 0, true, s, true), acHit::Caption);
  s.EnabledMin = false;
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::Minimize, 0, true, s, false), acHit::Caption);
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::Minimize, 0, true, s, true), acHit::MinButton);
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::User, 3, true, s, false), 1003);
  EXPECT_EQ(TitleButtonHitCode(TacTitleButtonKind::User, 3, false, s, false), acHit::FallThrough);
  EXPECT_TRUE(IsBorderZone(acHit::Left) && IsBorderZone(acHit::BottomRight));
  EXPECT_FALSE(IsBorderZone(acHit::Caption) || IsBorderZone(acHit::Close));
}

TEST(ScreenSnap, SticksWithinTheBufferOnly) {
  TacSnapInput in;
  in.Width = 200;
  in.Height = 100;
  in.WorkArea = TacRect{0, 0, 1280, 994};
  in.SnapBuffer = 10;
  struct Case {
    TacPoint proposed;
    TacPoint expected;
  } cases[] = {
      {{1071, 300}, {1080, 300}},  // right edge 9 pixels away
      {{1070, 300}, {1070, 300}},  // exactly 10: stays
      {{500, 885}, {500, 894}},    // bottom
      {{9, 300}, {0, 300}},        // left
      {{300, 5}, {300, 0}},        // top
      {{0, 0}, {0, 0}},            // never snapped
      {{5, 5}, {0, 0}},            // both
  };
  for (const Case& c : cases) {
    in.Proposed = c.proposed;
    const TacPoint p = SnapToWorkArea(in, true, false);
    EXPECT_EQ(p.X, c.expected.X) << c.proposed.X << "," << c.proposed.Y;
    EXPECT_EQ(p.Y, c.expected.Y) << c.proposed.X << "," << c.proposed.Y;
  }
  in.Proposed = {9, 300};
  EXPECT_EQ(SnapToWorkArea(in, false, false).X, 9);
  EXPECT_EQ(SnapToWorkArea(in, true, true).X, 9);
  // A work area barely wider than the window: left wins over right.
  in.WorkArea = TacRect{0, 0, 205, 994};
  in.Proposed = {3, 300};
  EXPECT_EQ(SnapToWorkArea(in, true, false).X, 0);
  // With a border form the frame's extra width and the shadow's top count.
  in.WorkArea = TacRect{0, 0, 1280, 994};
  in.ExtWidth = 1;
  in.ExtTop = 7;
  in.Proposed = {300, 12};
  EXPECT_EQ(SnapToWorkArea(in, true, false).Y, 7);
}

TEST(OutlineDrag, MovesSizesAndKeepsTheMinimum) {
  TacOutlineDrag d;
  TacRect applied{};
  d.Begin(TacRect{100, 100, 300, 200}, 50, 40, acHit::Caption, false);
  EXPECT_FALSE(d.Move({500, 500})) << "the first move only records the pointer";
  EXPECT_TRUE(d.Move({510, 495}));
  ASSERT_TRUE(d.End(applied));
  EXPECT_EQ(applied, (TacRect{110, 95, 310, 195}));
  EXPECT_FALSE(d.Active());

  d.Begin(TacRect{100, 100, 300, 200}, 50, 40, acHit::TopLeft, true);
  d.Move({100, 100});
  d.Move({400, 400});  // far past the opposite corner
  EXPECT_EQ(d.Rect(), (TacRect{250, 160, 300, 200}));
  d.Move({0, 90});
  EXPECT_EQ(d.Rect(), (TacRect{-150, -150, 300, 200}));

  d.Begin(TacRect{100, 100, 300, 200}, 50, 40, acHit::BottomRight, true);
  d.Move({300, 200});
  d.Move({100, 100});
  EXPECT_EQ(d.Rect(), (TacRect{100, 100, 150, 140}));

  d.Begin(TacRect{100, 100, 300, 200}, 50, 40, acHit::Right, true);
  d.Move({300, 150});
  EXPECT_FALSE(d.End(applied)) << "a size drag that never moved applies nothing";
  EXPECT_FALSE(d.End(applied)) << "no drag";
}

TEST(MaximizedSize, BorderOffScreenAndTheSkinsTitle) {
  TacFrameModel m = Sizeable();
  m.Skin.TitleHeight = 30;
  m.Skin.MaxTitleHeight = 30;
  ASSERT_TRUE(DecidesMaximizedSize(m, true));
  TacMaximizedSize s = MaximizedSize(m, 1280, 994);
  EXPECT_EQ(s.MaxPositionY, 0);  // b = a = 4
  EXPECT_EQ(s.MaxWidth, 1288);
  EXPECT_EQ(s.MaxHeight, 994 + 8 - 4);

  m.BorderForm = true;  // caption(True) 30 > 4 + 19: b = 30 - 19 - 4 = 7
  m.Skin.MaxTitleHeight = 24;
  m.Skin.CenterOffset = 1;  // k = 30 + 1 - 24 = 7
  s = MaximizedSize(m, 1280, 994);
  EXPECT_EQ(s.MaxPositionY, 7 - 4 - 7);
  EXPECT_EQ(s.MaxHeight, 8 + 994 + 7 - 7);

  EXPECT_FALSE(DecidesMaximizedSize(m, false));
  m.MdiChild = true;
  EXPECT_FALSE(DecidesMaximizedSize(m, true));
}

}  // namespace
