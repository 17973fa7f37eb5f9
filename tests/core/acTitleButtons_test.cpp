// Title-button decisions of a skinned form: the system menu's predicates, the
// choice of button images, the layout from the title's right end and the caption
// double click.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/acTitleButtons.h"

namespace {

TacSysMenuInput Form(TacBorderKind style, unsigned icons, TacWindowState state = TacWindowState::Normal) {
  TacSysMenuInput in;
  in.SysMenuStyleRemoved = true;
  in.BorderStyle = style;
  in.BorderIcons = icons;
  in.State = state;
  return in;
}

TEST(SysMenuPredicates, FollowStyleIconsAndState) {
  using S = TacSysMenuState;
  struct Case {
    const char* what;
    TacSysMenuInput in;
    S want;  // close, max, min visible; max, min, restore enabled
  };
  const unsigned all = acIcons::SystemMenu | acIcons::Minimize | acIcons::Maximize;
  const Case cases[] = {
      {"main window: single, minimize only", Form(TacBorderKind::Single, acIcons::SystemMenu | acIcons::Minimize),
       S{true, false, true, false, true, false}},
      {"sizeable with all icons", Form(TacBorderKind::Sizeable, all), S{true, true, true, true, true, false}},
      {"maximized", Form(TacBorderKind::Sizeable, all, TacWindowState::Maximized),
       S{true, true, true, false, true, true}},
      {"minimized shows min and max even without icons", Form(TacBorderKind::Single, acIcons::SystemMenu,
                                                              TacWindowState::Minimized),
       S{true, true, true, false, false, true}},
      {"dialog: no min or max", Form(TacBorderKind::Dialog, all), S{true, false, false, false, true, false}},
  };
  for (const Case& c : cases) {
    const S s = SysMenuPredicates(c.in);
    EXPECT_EQ(s.VisibleClose, c.want.VisibleClose) << c.what;
    EXPECT_EQ(s.VisibleMax, c.want.VisibleMax) << c.what;
    EXPECT_EQ(s.VisibleMin, c.want.VisibleMin) << c.what;
    EXPECT_EQ(s.EnabledMax, c.want.EnabledMax) << c.what;
    EXPECT_EQ(s.EnabledMin, c.want.EnabledMin) << c.what;
    EXPECT_EQ(s.EnabledRestore, c.want.EnabledRestore) << c.what;
  }
  TacSysMenuInput kept = Form(TacBorderKind::Sizeable, all);
  kept.SysMenuStyleRemoved = false;
  const S s = SysMenuPredicates(kept);
  EXPECT_FALSE(s.VisibleClose || s.VisibleMax || s.VisibleMin) << "the platform keeps its own caption";
}

TEST(TitleButtonKeys, BigSmallAndAloneImages) {
  const std::set<std::string> air = {"BICONCLOSE", "BICLOSEALONE", "BICONMIN", "BICONMAX", "BICONHELP",
                                     "SICONCLOSE", "SICONMIN",     "SICONMAX"};
  auto has = [&](const std::string& k) { return air.count(k) > 0; };
  const TacSysMenuState mainWindow =
      SysMenuPredicates(Form(TacBorderKind::Single, acIcons::SystemMenu | acIcons::Minimize));
  TacTitleButtonKeys k = ChooseTitleButtonKeys(TacBorderKind::Single, mainWindow, has);
  EXPECT_EQ(k.Close, "BICONCLOSE") << "minimize is visible: not the lone close image";
  EXPECT_EQ(k.Min, "BICONMIN");
  EXPECT_TRUE(k.Big);
  const TacSysMenuState closeOnly = SysMenuPredicates(Form(TacBorderKind::Single, acIcons::SystemMenu));
  EXPECT_EQ(ChooseTitleButtonKeys(TacBorderKind::Single, closeOnly, has).Close, "BICLOSEALONE");
  k = ChooseTitleButtonKeys(TacBorderKind::ToolWindow, closeOnly, has);
  EXPECT_EQ(k.Close, "SICONCLOSE");
  EXPECT_EQ(k.Help, "BICONHELP") << "no small help image: the big one";
  EXPECT_FALSE(k.Big);
  // A skin without small images falls back to the big set.
  k = ChooseTitleButtonKeys(TacBorderKind::Dialog, closeOnly, [](const std::string& key) { return key[0] == 'B'; });
  EXPECT_EQ(k.Close, "BICONCLOSE");
  EXPECT_TRUE(k.Big);
  k = ChooseTitleButtonKeys(TacBorderKind::Single, closeOnly, [](const std::string&) { return false; });
  EXPECT_TRUE(k.Close.empty());
}

TEST(TitleButtonLayout, RightToLeftWithSpacingAndUserGap) {
  TacTitleLayoutInput in;
  in.FrameWidth = 456;
  in.SysBorder = 3;
  in.TopBorder = 3;
  in.Caption = 19;
  in.ButtonHeight = 22;
  in.Big = true;
  in.SpacedStyle = true;
  in.Skin.BISpace = -3;
  in.Skin.BIRight = 2;
  in.System = {{20, 32}, {8, 28}};
  in.User = {{1000, 21}};
  const auto out = LayoutTitleButtons(in);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].R.Right, 456 - 2 - 3);
  EXPECT_EQ(out[0].R.Left, 451 - 32);
  EXPECT_EQ(out[1].R.Right, out[0].R.Left + 3) << "a negative BISPACE overlaps neighbours";
  EXPECT_EQ(out[2].R.Right, out[1].R.Left + 3 - 8) << "user buttons keep 8 pixels away";
  EXPECT_EQ(out[0].R.Top, 0);
  EXPECT_EQ(out[0].R.Bottom, 22);
  // Tool windows: no spacing, small buttons not moved down.
  in.SpacedStyle = false;
  in.ButtonHeight = 14;
  in.User.clear();
  const auto tool = LayoutTitleButtons(in);
  EXPECT_EQ(tool[1].R.Right, tool[0].R.Left);
  EXPECT_EQ(tool[0].R.Top, (3 + 19 - 14) / 2);
  in.SpacedStyle = true;
  EXPECT_EQ(LayoutTitleButtons(in)[0].R.Top, (3 + 19 - 14) / 2 + 2);
}

TEST(CaptionDoubleClick, MaximizesOnlyWhatMayBe) {
  const unsigned all = acIcons::SystemMenu | acIcons::Minimize | acIcons::Maximize;
  struct Case {
    TacSysMenuInput in;
    unsigned want;
  };
  const Case cases[] = {
      {Form(TacBorderKind::Single, acIcons::SystemMenu | acIcons::Minimize), 0u},
      {Form(TacBorderKind::Sizeable, all), acSysCmd::Maximize},
      {Form(TacBorderKind::Sizeable, all, TacWindowState::Maximized), acSysCmd::Restore},
      {Form(TacBorderKind::Single, acIcons::SystemMenu | acIcons::Minimize, TacWindowState::Minimized),
       acSysCmd::Restore},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptionDoubleClickCommand(SysMenuPredicates(c.in), true, c.in.State), c.want)
        << static_cast<int>(c.in.BorderStyle) << "/" << c.in.BorderIcons << "/" << static_cast<int>(c.in.State);
}

}  // namespace

namespace {

TEST(AlignCaption, RightAndCentreOnlyWhereTheTextFits) {
  const TacRect r{30, 2, 330, 22};  // 300 wide
  struct Case {
    const char* what;
    int text, extra;
    TacCaptionAlign align;
    int left, right;
  } cases[] = {
      {"left keeps the rectangle", 100, 0, TacCaptionAlign::Left, 30, 330},
      {"right moves to the end", 100, 20, TacCaptionAlign::Right, 330 - 124, 330},
      {"right but too wide stays left for the ellipsis", 296, 0, TacCaptionAlign::Right, 30, 330},
      {"centre", 96, 0, TacCaptionAlign::Center, 30 + 100, 30 + 100 + 96},
      {"centre too wide keeps the left edge", 400, 0, TacCaptionAlign::Center, 30, 330},
  };
  for (const Case& c : cases) {
    const TacRect a = AlignCaption(r, c.text, c.extra, c.align);
    EXPECT_EQ(a.Left, c.left) << c.what;
    EXPECT_EQ(a.Right, c.right) << c.what;
    EXPECT_EQ(a.Top, r.Top) << c.what;
  }
}

}  // namespace
