// Frame metrics of a skinned form: borders, caption in every state, client
// offsets, title icon and menu rows.
#include "frame/acFrameGeometry.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kSingle = acStyle::Caption | acStyle::SysMenu;  // bsSingle: caption and a thin border
const uint32_t kSizeable = acStyle::Caption | acStyle::SysMenu | acStyle::ThickFrame;

TacFrameModel Form(uint32_t style, TacBorderKind kind = TacBorderKind::Single) {
  TacFrameModel m;
  m.Style = style;
  m.BorderStyle = kind;
  m.Width = 456;
  m.Height = 287;
  m.ClientWidth = 450;
  m.ClientHeight = 262;
  m.Skin.BorderWidth = 4;
  m.Skin.TitleHeight = 30;
  m.Skin.MaxTitleHeight = 30;
  m.Skin.ShadowMargins = TacRect{11, 7, 11, 11};
  return m;
}

TEST(FrameMetrics, SysBorderWidthFollowsStyleAndExtendedBorder) {
  struct Case {
    const char* what;
    uint32_t style;
    bool borderForm;
    int skinBorder;
    bool useExt;
    int expected;
  } cases[] = {
      {"thick frame", kSizeable, false, 4, true, 4},
      {"thin border", kSingle, false, 4, true, 3},
      {"no border bits", 0, false, 4, true, 0},
      {"extended border counts", kSingle, true, 6, true, 6},
      {"extended border not asked for", kSingle, true, 6, false, 3},
      {"extended border without skin width", kSingle, true, 0, true, 3},
  };
  for (const Case& c : cases) {
    TacFrameModel m = Form(c.style);
    m.BorderForm = c.borderForm;
    m.Skin.BorderWidth = c.skinBorder;
    EXPECT_EQ(SysBorderWidth(m, c.useExt), c.expected) << c.what;
  }
  TacFrameModel m = Form(kSingle);
  m.FormBorderWidth = 2;
  EXPECT_EQ(SideBorderWidth(m, true), 5);
  m.BorderForm = true;
  EXPECT_EQ(TopBorderWidth(m, true), 0);
}

TEST(FrameMetrics, CaptionHeightInEveryState) {
  struct Case {
    const char* what;
    uint32_t style;
    TacBorderKind kind;
    TacWindowState state;
    bool borderForm;
    bool useExt;
    int expected;
  } cases[] = {
      {"no caption style", acStyle::Border, TacBorderKind::Single, TacWindowState::Normal, false, true, 0},
      {"no border style", kSingle, TacBorderKind::None, TacWindowState::Normal, false, true, 0},
      {"minimized without caption style", 0, TacBorderKind::None, TacWindowState::Minimized, false, true, 19},
      {"platform caption", kSingle, TacBorderKind::Single, TacWindowState::Normal, false, true, 19},
      {"tool window", kSingle, TacBorderKind::ToolWindow, TacWindowState::Normal, false, true, 15},
      {"sizeable tool window", kSizeable, TacBorderKind::SizeToolWin, TacWindowState::Normal, false, true, 15},
      {"minimized tool window", kSingle, TacBorderKind::ToolWindow, TacWindowState::Minimized, false, true, 19},
      {"skin title with a border form", kSingle, TacBorderKind::Single, TacWindowState::Normal, true, true, 30},
      {"skin title not asked for", kSingle, TacBorderKind::Single, TacWindowState::Normal, true, false, 19},
  };
  for (const Case& c : cases) {
    TacFrameModel m = Form(c.style, c.kind);
    m.State = c.state;
    m.BorderForm = c.borderForm;
    EXPECT_EQ(CaptionHeight(m, c.useExt), c.expected) << c.what;
  }
  TacFrameModel child = Form(kSingle, TacBorderKind::None);
  child.MdiChild = true;
  EXPECT_EQ(CaptionHeight(child, false), 19) << "a multi-document child has a border";
}

TEST(FrameMetrics, MaximizedWithShortTitleUsesPlatformCaptionPlusFour) {
  TacFrameModel m = Form(kSizeable, TacBorderKind::Sizeable);
  m.BorderForm = true;
  m.State = TacWindowState::Maximized;
  m.Skin.TitleHeight = 20;  // shorter than 19 + 4
  ASSERT_TRUE(ComputeMaxShortTitle(m));
  m.MaxShortTitle = true;
  EXPECT_EQ(CaptionHeight(m, true), 23);
  EXPECT_EQ(CaptionHeight(m, false), 23);
  EXPECT_TRUE(ComputeMaxShortTitle(m)) << "the flag does not feed its own test";

  m.Skin.TitleHeight = 23;
  EXPECT_FALSE(ComputeMaxShortTitle(m));
  m.Skin.TitleHeight = 20;
  m.State = TacWindowState::Normal;
  EXPECT_FALSE(ComputeMaxShortTitle(m));
  m.State = TacWindowState::Maximized;
  m.BorderForm = false;
  EXPECT_FALSE(ComputeMaxShortTitle(m));
}

TEST(FrameMetrics, ClientAreaInsideTheFrameImage) {
  // The installer's main window: single border, skin border 4, title 30, shadow 11/7/11/11.
  TacFrameModel m = Form(kSingle);
  EXPECT_EQ(FrameWidth(m), 456);
  EXPECT_EQ(ClientOffsetX(m), 3);
  EXPECT_EQ(ClientOffsetY(m), 287 - 262 - 3);
  EXPECT_EQ(CaptionAreaHeight(m), 287 - 262 - 3);
  EXPECT_EQ(ExtMargins(m).Left, 0) << "no margins without a border form";

  m.BorderForm = true;
  EXPECT_EQ(FrameWidth(m), 456 + 2 * (4 - 3) + 22);
  EXPECT_EQ(ClientOffsetX(m), 4 + 11);
  EXPECT_EQ(ClientOffsetY(m), 30 + 0 + 7);
  EXPECT_EQ(CaptionAreaHeight(m), 0 + 30);

  m.ShowsMenuLine = true;
  m.MenuLineCount = 2;
  m.FormBorderWidth = 1;
  EXPECT_EQ(MenuLineHeight(m), 18);
  EXPECT_EQ(ClientOffsetY(m), 30 + 2 * 18 + 1 + 7);

  TacFrameModel bare = Form(0, TacBorderKind::None);
  bare.Width = bare.ClientWidth = 100;
  bare.Height = bare.ClientHeight = 50;
  EXPECT_EQ(CaptionAreaHeight(bare), 0);
  bare.ClientHeight = 60;  // a client larger than the window never gives a negative caption
  EXPECT_EQ(CaptionAreaHeight(bare), 0);

  TacFrameModel scrolled = Form(kSingle);
  scrolled.VScrollWidth = 16;
  scrolled.HScrollHeight = 16;
  EXPECT_EQ(ClientOffsetX(scrolled), (456 - 450 - 16) / 2) << "halving toward zero";
  EXPECT_EQ(ClientOffsetY(scrolled), 287 - 262 - 3 - 16);
}

TEST(FrameMetrics, TitleIconSizeAndPlace) {
  struct Case {
    int caption;
    int expected;
  } classes[] = {{8, 1}, {9, 8}, {16, 8}, {17, 16}, {30, 16}};
  for (const Case& c : classes) {
    TacFrameModel m = Form(kSingle);
    m.BorderForm = true;
    m.Skin.TitleHeight = c.caption;
    EXPECT_EQ(TitleIconSize(m).Width, c.expected) << "caption " << c.caption;
  }
  TacFrameModel dialog = Form(kSingle, TacBorderKind::Dialog);
  EXPECT_EQ(TitleIconSize(dialog).Width, 0);
  TacFrameModel noMenu = Form(kSingle);
  noMenu.HasSystemMenu = false;
  EXPECT_EQ(TitleIconSize(noMenu).Height, 0);
  TacFrameModel own = Form(kSingle);
  own.TitleIconWidth = 20;
  EXPECT_EQ(TitleIconSize(own).Width, 20);
  EXPECT_EQ(TitleIconSize(own).Height, 16);

  // Main window with its border form: icon 16 x 16, BILEFT 2, CENTEROFFSET 1.
  TacFrameModel m = Form(kSingle);
  m.BorderForm = true;
  m.Skin.BILeft = 2;
  m.Skin.CenterOffset = 1;
  const TacRect r = IconRect(m);
  const int firstTop = 3 / 2 + 7;
  const int top = firstTop + (0 + 30 + 7 - firstTop - 16) / 2 + 1;
  EXPECT_EQ(r.Left, 4 + 2 + 11);
  EXPECT_EQ(r.Right, r.Left + 16);
  EXPECT_EQ(r.Top, top);
  EXPECT_EQ(r.Bottom, top + 16);
  m.State = TacWindowState::Maximized;
  m.Skin.MaxTitleHeight = 24;
  EXPECT_EQ(IconRect(m).Top, top + (30 - 24) / 2 - 2);
}

TEST(FrameMetrics, MenuRowsWrapAtTheFrameWidth) {
  TacFrameModel m = Form(kSizeable, TacBorderKind::Sizeable);
  m.Width = 200;  // room: 200 - 8 - 0 = 192, rows start at x = 4
  const int fits[] = {60, 60, 60};      // 4 + 180 = 184
  const int wraps[] = {60, 60, 60, 20};  // the fourth ends at 204
  const int wide[] = {250};
  EXPECT_EQ(CountMenuRows(m, fits, 3), 1);
  EXPECT_EQ(CountMenuRows(m, wraps, 4), 2);
  EXPECT_EQ(CountMenuRows(m, wide, 1), 2) << "an item wider than the row still opens a row";
  EXPECT_EQ(CountMenuRows(m, nullptr, 0), 1);
}

}  // namespace
