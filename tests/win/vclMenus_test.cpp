// The framework's menus: shortcut texts both ways, the item tree (ownership,
// moving, freeing), and real popups of the platform's menu loop: what the platform
// menu holds, owner-drawn items measured and drawn by their handlers, the chosen
// item's click after the menu has closed, the hooks that see every popup, and no
// platform menu left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "framework/vclMenus.h"
#include "framework/vclShortCut.h"
#include "paint/acGdiHandles.h"

using namespace menutest;

namespace {

TEST(ShortCut, TextBothWays) {
  const struct {
    const char* text;
    TShortCut shortCut;
    const char* shown;  // what ShortCutToText gives back
  } cases[] = {
      {"Alt+F4", static_cast<TShortCut>(scAlt | VK_F4), "Alt+F4"},
      {"alt+f4", static_cast<TShortCut>(scAlt | VK_F4), "Alt+F4"},
      {"Ctrl+S", static_cast<TShortCut>(scCtrl | 'S'), "Ctrl+S"},
      {"Ctrl+Shift+Del", static_cast<TShortCut>(scCtrl | scShift | VK_DELETE), "Shift+Ctrl+Del"},
      {"F12", VK_F12, "F12"},
      {"Shift+Enter", static_cast<TShortCut>(scShift | VK_RETURN), "Shift+Enter"},
      {"Ctrl+9", static_cast<TShortCut>(scCtrl | '9'), "Ctrl+9"},
      {"Ctrl+Foo", scNone, ""},
      {"F25", scNone, ""},
      {"Ctrl+", scNone, ""},
      {"", scNone, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
    EXPECT_EQ(ShortCutToText(c.shortCut), c.shown) << c.text;
  }
}

TEST(MenuItems, ParentsOwnTheirChildrenAndFreeThem) {
  TPopupMenu menu(nullptr);
  auto* a = new TMenuItem(&menu);
  auto* b = new TMenuItem(&menu);
  auto* child = new TMenuItem(&menu);
  menu.Items()->Add(a);
  menu.Items()->Insert(0, b);
  a->Add(child);
  ASSERT_EQ(menu.Items()->Count(), 2);
  EXPECT_EQ(menu.Items()->Items(0), b) << "inserted before";
  EXPECT_EQ(child->Menu(), &menu);
  EXPECT_EQ(child->MenuIndex(), 0);
  EXPECT_NE(a->Command(), b->Command());

  b->Add(child);  // moved: the old parent lets go of it
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(child->Parent(), b);
  const ULONG_PTR childData = reinterpret_cast<ULONG_PTR>(child);
  EXPECT_EQ(LiveMenuItem(childData), child);
  menu.Items()->Delete(0);  // b, and with it child
  EXPECT_EQ(LiveMenuItem(childData), nullptr);
  ASSERT_EQ(menu.Items()->Count(), 1);
  EXPECT_EQ(menu.Items()->Items(0), a);
  menu.Items()->Clear();
  EXPECT_EQ(menu.Items()->Count(), 0);
}

class Popups : public ::testing::Test {
 protected:
  TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(&menu_);
    item->Caption = caption;
    parent->Add(item);
    return item;
  }
  void Show() { menu_.Popup(260, 220); }
  TPopupMenu menu_{nullptr};
};

TEST_F(Popups, PlatformMenuHoldsTheVisibleItemsWithTheirStates) {
  const long menus = GdiLiveCount(TacGdiKind::Menu);
  TMenuItem* checked = Add(menu_.Items(), "已选");
  checked->Checked = true;
  Add(menu_.Items(), "-");
  TMenuItem* hidden = Add(menu_.Items(), "看不见");
  hidden->Visible = false;
  TMenuItem* off = Add(menu_.Items(), "不可用");
  off->Enabled = false;
  TMenuItem* sub = Add(menu_.Items(), "子菜单");
  Add(sub, "甲");
  int count = -1, subCount = -1;
  UINT checkedState = 0, lineState = 0, offState = 0;
  wchar_t text[64] = {};
  int hooked = 0;
  const int hook = AddPopupHook([&](TPopupMenu& m) { hooked += &m == &menu_; });
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>&) {
                                                HMENU h = menu_.Handle();
                                                count = GetMenuItemCount(h);
                                                subCount = GetMenuItemCount(menu_.HandleOf(sub));
                                                checkedState = GetMenuState(h, 0, MF_BYPOSITION);
                                                lineState = GetMenuState(h, 1, MF_BYPOSITION);
                                                offState = GetMenuState(h, 2, MF_BYPOSITION);
                                                GetMenuStringW(h, 2, text, 64, MF_BYPOSITION);
                                                return true;
                                              }}));
  RemovePopupHook(hook);
  EXPECT_EQ(hooked, 1);
  EXPECT_EQ(count, 4) << "the hidden item is left out";
  EXPECT_EQ(subCount, 1);
  EXPECT_TRUE(checkedState & MF_CHECKED);
  EXPECT_TRUE(lineState & MF_SEPARATOR);
  EXPECT_TRUE(offState & MF_GRAYED);
  EXPECT_STREQ(text, L"不可用");
  EXPECT_FALSE(menu_.Tracking());
  EXPECT_EQ(menu_.Handle(), nullptr);
  EXPECT_EQ(GdiLiveCount(TacGdiKind::Menu), menus) << "the platform menus went with the popup";
}

TEST_F(Popups, OwnerDrawnItemsAreMeasuredAndDrawnByTheirHandlers) {
  menu_.OwnerDraw = true;
  TMenuItem* first = Add(menu_.Items(), "一");
  TMenuItem* line = Add(menu_.Items(), "-");
  TMenuItem* last = Add(menu_.Items(), "二");
  std::vector<std::pair<TMenuItem*, UINT>> drawn;
  for (TMenuItem* i : {first, line, last}) {
    i->OnMeasureItem = [](TMenuItem* item, TCanvas&, int& w, int& h) {
      w = 90;
      h = item->IsLine() ? 5 : 24;
    };
    i->OnDrawItem = [&](TMenuItem* item, TCanvas& c, const RECT& r, UINT state) {
      drawn.emplace_back(item, state);
      c.FillRect(r, (state & ODS_SELECTED) ? RGB(0, 0, 255) : RGB(255, 255, 0));
    };
  }
  RECT lineRect{}, lastRect{};
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>& popups) {
                                                lineRect = ItemRectInPopup(menu_, line, popups[0]);
                                                lastRect = ItemRectInPopup(menu_, last, popups[0]);
                                                Key(popups[0], VK_DOWN);
                                                Key(popups[0], VK_DOWN);
                                                return true;
                                              },
                                              Ticks(3)}));
  EXPECT_EQ(lineRect.bottom - lineRect.top, 5);
  EXPECT_EQ(lastRect.bottom - lastRect.top, 24);
  bool lastSelected = false, lineSelected = false;
  for (const auto& d : drawn) {
    lastSelected = lastSelected || (d.first == last && (d.second & ODS_SELECTED));
    lineSelected = lineSelected || (d.first == line && (d.second & ODS_SELECTED));
  }
  EXPECT_TRUE(lastSelected) << "the second key went past the separator";
  EXPECT_FALSE(lineSelected) << "a separator is never selected";
}

TEST_F(Popups, ChosenItemClicksAfterTheMenuClosed) {
  Add(menu_.Items(), "一");
  TMenuItem* second = Add(menu_.Items(), "二");
  int clicks = 0;
  bool up = true, tracking = true;
  second->OnClick = [&](TComponent* sender) {
    clicks += sender == second;
    up = !VisiblePopups().empty();
    tracking = menu_.Tracking();
  };
  WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>& popups) {
                                    Key(popups[0], VK_DOWN);
                                    Key(popups[0], VK_DOWN);
                                    Key(popups[0], VK_RETURN);
                                    return true;
                                  },
                                  Ticks(1000)},
                3000);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(up);
  EXPECT_FALSE(tracking);
}

}  // namespace
