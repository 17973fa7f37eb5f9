// Skinned popup menus on a real form with the built-in skin: real popups of the
// platform's menu loop, measured and drawn by the skin. Item sizes by kind and
// caption, caption items, the disabled look, the popup window's region, the
// background cache and when it goes, and the glyph font of the system menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxesTestSupport.h"
#include "MenuTestSupport.h"
#include "framework/vclMenus.h"
#include "menus/acPopupBackgroundList.h"
#include "menus/acPopupWindow.h"
#include "menus/sSkinMenus.h"

using namespace boxestest;
using namespace menutest;

namespace {

constexpr uint32_t kRed = 0x0000FF;  // 0x00BBGGRR

class SkinnedMenus : public SkinnedForm {
 protected:
  void SetUp() override {
    SkinnedForm::SetUp();
    ShowAndSettle();
    menu_ = new TPopupMenu(form_);
    menus_ = TsSkinableMenus::Of(manager_);
    ASSERT_NE(menus_, nullptr);
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(form_);
    item->Caption = caption;
    item->ShortCut = shortCut;
    parent->Add(item);
    return item;
  }
  static TacBitmapPtr Solid(int w, int h, uint32_t color) {
    TacBitmapPtr b = NewMemoryBitmap(w, h, TacPixelFormat::pf24bit);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint8_t* p = b->Pixel(x, y);
        p[0] = static_cast<uint8_t>(color >> 16), p[1] = static_cast<uint8_t>(color >> 8), p[2] = static_cast<uint8_t>(color);
      }
    return b;
  }
  // The skin's measure of an item, as the platform asks for it.
  SIZE Measured(TMenuItem* item) {
    TacWindowDC screen(nullptr);
    TCanvas canvas(screen.Get());
    int w = 0, h = 0;
    menus_->MeasureMenuItem(item, canvas, w, h);
    return SIZE{w, h};
  }
  void Show() { menu_->Popup(240, 200); }

  TPopupMenu* menu_ = nullptr;
  TsSkinableMenus* menus_ = nullptr;
};

TEST_F(SkinnedMenus, ItemsAreMeasuredByKindAndTheShortcutFollowsTheCaption) {
  TMenuItem* open = Add(menu_->Items(), "打开");
  TMenuItem* line = Add(menu_->Items(), "-");
  TMenuItem* title = Add(menu_->Items(), "-Title-");
  TMenuItem* close = Add(menu_->Items(), "关闭", TextToShortCut("Alt+F4"));
  TMenuItem* joined = Add(menu_->Items(), "关闭Alt+F4");
  TMenuItem* bare = Add(menu_->Items(), "关闭");

  EXPECT_EQ(Measured(line).cy, 2);
  EXPECT_EQ(Measured(close).cx, Measured(joined).cx) << "no blank or tab between caption and shortcut";
  EXPECT_GT(Measured(close).cx, Measured(bare).cx);
  EXPECT_EQ(Measured(open).cy, Measured(close).cy);

  // The platform lays the popup out from these measures.
  std::vector<RECT> rects;
  const bool done = WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>& popups) {
                                                     for (TMenuItem* i : {open, line, title, close})
                                                       rects.push_back(ItemRectInPopup(*menu_, i, popups[0]));
                                                     return true;
                                                   }});
  ASSERT_TRUE(done);
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_EQ(rects[1].bottom - rects[1].top, 2) << "the divider";
  EXPECT_EQ(rects[0].bottom - rects[0].top, Measured(open).cy);
  EXPECT_EQ(rects[2].bottom - rects[2].top, Measured(title).cy);
  EXPECT_TRUE(menu_->OwnerDraw) << "skinned while the skin is active";
}

TEST_F(SkinnedMenus, CaptionItemShowsItsTitleCentredWithoutTheDashes) {
  Add(menu_->Items(), "第一项");
  TMenuItem* title = Add(menu_->Items(), "-Title-");
  Add(menu_->Items(), "第二项, 稍长一些");
  RECT ink{0, 0, 0, 0}, item{0, 0, 0, 0};
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>& popups) {
                                                item = ItemRectInPopup(*menu_, title, popups[0]);
                                                TacBitmapPtr shown = PopupPixels(popups[0]);
                                                ink = InkBox(*shown, item);
                                                return true;
                                              }}));
  ASSERT_LT(ink.left, ink.right) << "the title is drawn";
  const SIZE word = TextExtentInFont(menus_->CaptionFont, "Title");
  EXPECT_NEAR(ink.right - ink.left, word.cx, 2) << "the word alone, without its dashes";
  EXPECT_NEAR((ink.left + ink.right) / 2, (item.left + item.right) / 2, 2) << "centred on the item";
}

TEST_F(SkinnedMenus, DisabledItemIsFortyPercentOverTheBackground) {
  TMenuItem* on = Add(menu_->Items(), "可用");
  TMenuItem* off = Add(menu_->Items(), "不可用");
  on->Bitmap = Solid(16, 16, kRed);
  off->Bitmap = Solid(16, 16, kRed);
  off->Enabled = false;
  uint32_t onPixel = 0, offPixel = 0, behind = 0;
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>& popups) {
                                                TacBitmapPtr shown = PopupPixels(popups[0]);
                                                const TacPopupBackgroundEntry* e = PopupBackgrounds().FindByWindow(popups[0]);
                                                if (!e) return true;
                                                const RECT a = ItemRectInPopup(*menu_, on, popups[0]);
                                                const RECT b = ItemRectInPopup(*menu_, off, popups[0]);
                                                // Inside the image, inset (height - 16) / 2 from the item's corner.
                                                const int d = (b.bottom - b.top - 16) / 2;
                                                onPixel = Rgb(*shown, a.left + d + 8, a.top + d + 8);
                                                offPixel = Rgb(*shown, b.left + d + 8, b.top + d + 8);
                                                behind = Rgb(*e->Bitmap, b.left + d + 8, b.top + d + 8);
                                                return true;
                                              }}));
  EXPECT_EQ(onPixel, kRed) << "an enabled item shows its image as it is";
  uint32_t expected = 0;
  for (int shift : {0, 8, 16}) {
    const double mixed = 0.6 * ((behind >> shift) & 0xFF) + 0.4 * ((kRed >> shift) & 0xFF);
    expected |= static_cast<uint32_t>(mixed + 0.5) << shift;
  }
  EXPECT_EQ(offPixel, expected) << std::hex << "behind " << behind;
}

TEST_F(SkinnedMenus, PopupWindowShowsItsBackgroundAndItemsWithTheCornersCut) {
  Add(menu_->Items(), "第一项");
  TMenuItem* divider = Add(menu_->Items(), "-");
  TMenuItem* second = Add(menu_->Items(), "第二项", TextToShortCut("Ctrl+S"));
  Add(menu_->Items(), "第三项");
  int plain = -1, hot = -1;
  uint32_t line = 0;
  bool cornerIn = true, edgeIn = false;
  std::string firstPlain, firstHot;
  TacBitmapPtr hotShot;
  ASSERT_TRUE(WhileMenuOpen(
      [&] { Show(); },
      {[&](const std::vector<HWND>& popups) {
         const TacPopupBackgroundEntry* e = PopupBackgrounds().FindByWindow(popups[0]);
         EXPECT_NE(e, nullptr) << "the popup's background is cached under its window";
         if (!e) return true;
         TacBitmapPtr shown = PopupPixels(popups[0]);
         plain = PopupDifferences(*menu_, menu_->Items(), popups[0], *shown, *e->Bitmap, nullptr, *manager_, {},
                                  &firstPlain);
         const RECT d = ItemRectInPopup(*menu_, divider, popups[0]);
         line = Rgb(*shown, d.left + 40, d.top);
         TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
         if (GetWindowRgn(popups[0], rgn.Get()) != ERROR) {
           cornerIn = PtInRegion(rgn.Get(), 0, 0) != FALSE;
           edgeIn = PtInRegion(rgn.Get(), e->Bitmap->Width() / 2, 0) != FALSE;
         }
         Key(popups[0], VK_DOWN);
         Key(popups[0], VK_DOWN);
         return true;
       },
       Ticks(3),
       [&](const std::vector<HWND>& popups) {
         const TacPopupBackgroundEntry* e = PopupBackgrounds().FindByWindow(popups[0]);
         if (!e) return true;
         hotShot = PopupPixels(popups[0]);
         hot = PopupDifferences(*menu_, menu_->Items(), popups[0], *hotShot, *e->Bitmap, second, *manager_, {},
                                &firstHot);
         return true;
       }}));
  EXPECT_EQ(plain, 0) << firstPlain;
  EXPECT_EQ(hot, 0) << "the second item is hot, painted over the background: " << firstHot;
  // The divider is the skin's line: the top edge of "DIVIDERV"'s border mask.
  const int dividerSection = manager_->GetSkinIndex("DIVIDERV");
  ASSERT_GE(dividerSection, 0);
  const TsMaskData& mask = manager_->Masks[static_cast<size_t>(manager_->Sections[dividerSection].BorderIndex)];
  EXPECT_EQ(line, Rgb(*manager_->MasterBitmap, mask.R.Left + 1, mask.R.Top));
  EXPECT_NE(line, 0xFFFFFFu);
  EXPECT_FALSE(cornerIn) << "the border mask's keyed corner is cut away";
  EXPECT_TRUE(edgeIn);
  ASSERT_TRUE(hotShot);
  WritePng(ShotDir() + "/popup-menu-hot.png", *hotShot);
}

TEST_F(SkinnedMenus, AnItemDrawnWithoutItsPopupWindowBringsTheRegionOnceTheWindowIsFound) {
  TMenuItem* first = Add(menu_->Items(), "第一项");
  Add(menu_->Items(), "第二项");
  bool removed = false, back = false;
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); },
                            {[&](const std::vector<HWND>& popups) {
                               SetWindowRegion(popups[0], TacRegionHandle(), true);
                               TacRegionHandle none = NewRectRegion(0, 0, 0, 0);
                               removed = GetWindowRgn(popups[0], none.Get()) == ERROR;
                               // A device that belongs to no window: the skin cannot tell the popup.
                               TacMemoryDC memory(nullptr);
                               TCanvas canvas(memory.Get());
                               menus_->DrawMenuItem(first, canvas, RECT{0, 0, 100, 22}, 0);
                               return true;
                             },
                             Ticks(3),
                             [&](const std::vector<HWND>& popups) {
                               TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
                               back = GetWindowRgn(popups[0], rgn.Get()) != ERROR && !PtInRegion(rgn.Get(), 0, 0);
                               return true;
                             }}));
  EXPECT_TRUE(removed);
  EXPECT_TRUE(back) << "the posted request found the popup under its first item and cut its corners again";
}

TEST_F(SkinnedMenus, ExtraLineRunsDownTheLeftWithItsCaptionButNotInTheSkinList) {
  TMenuItem* first = Add(menu_->Items(), "第一项");
  Add(menu_->Items(), "第二项");
  Add(menu_->Items(), "第三项");
  const int plainWidth = Measured(first).cx;
  manager_->MenuSupport.UseExtraLine = true;
  manager_->MenuSupport.ExtraLineWidth = 24;
  manager_->MenuSupport.ExtraLineFont.SetHeight(-16);
  int asked = 0;
  manager_->OnGetMenuExtraLineData = [&](TComponent* sender, std::string& section, std::string& caption, bool&) {
    asked += sender == first;
    EXPECT_EQ(section, "EXTRALINE");
    caption = "铂&蜓";
  };
  EXPECT_EQ(Measured(first).cx, plainWidth + 24) << "first-column items carry the line";
  EXPECT_GT(asked, 0);

  int lineDifferences = -1, whiteInk = 0;
  uint32_t lineColour = 0;
  TacBitmapPtr shot;
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); }, {Ticks(2), [&](const std::vector<HWND>& popups) {
                                                const TacPopupBackgroundEntry* e = PopupBackgrounds().FindByWindow(popups[0]);
                                                if (!e) return true;
                                                EXPECT_TRUE(e->ExtraLine);
                                                shot = PopupPixels(popups[0]);
                                                const int sbw = menus_->CurrentSkinBorderWidth();
                                                // The line as cached, and the text in it (white on the accent).
                                                const RECT line{sbw, sbw + 2, sbw + 24, e->Bitmap->Height() - sbw - 2};
                                                lineDifferences = Differences(*e->Bitmap, 0, 0, *shot, line);
                                                lineColour = Rgb(*shot, sbw + 2, e->Bitmap->Height() / 2);
                                                for (int y = line.top; y < line.bottom; ++y)
                                                  for (int x = line.left; x < line.right; ++x)
                                                    whiteInk += (Rgb(*shot, x, y) & 0xE0E0E0) == 0xE0E0E0;
                                                return true;
                                              }}));
  EXPECT_EQ(lineDifferences, 0) << "the line on the screen is the cached one";
  EXPECT_GT((lineColour >> 16) & 0xFF, (lineColour & 0xFF) + 0x40) << std::hex << lineColour << " is the accent blue";
  EXPECT_GT(whiteInk, 10) << "the caption is written along the line";
  ASSERT_TRUE(shot);
  WritePng(ShotDir() + "/popup-menu-extra-line.png", *shot);

  // The skin list (first item "SkinSelectItem") never has the line.
  first->SetName("SkinSelectItem");
  EXPECT_EQ(Measured(first).cx, plainWidth);
}

TEST_F(SkinnedMenus, DestroyingAnySkinnedPopupFreesEveryBackground) {
  const long bitmaps = GdiLiveCount(TacGdiKind::Bitmap);
  TMenuItem* parent = Add(menu_->Items(), "子菜单");
  Add(parent, "甲");
  Add(parent, "乙");
  Add(menu_->Items(), "其他");
  int withSubmenu = -1, afterSubmenu = -1, subTakenOver = -1;
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); },
                            {[&](const std::vector<HWND>& popups) {
                               Key(popups[0], VK_DOWN);
                               Key(popups[0], VK_RIGHT);
                               return true;
                             },
                             [&](const std::vector<HWND>& popups) {
                               if (popups.size() < 2) return false;  // the submenu is still coming
                               UpdateWindow(popups[0]);
                               UpdateWindow(popups[1]);
                               withSubmenu = PopupBackgrounds().Count();
                               subTakenOver = TakenOverPopupCount();
                               Key(popups[0], VK_LEFT);
                               return true;
                             },
                             [&](const std::vector<HWND>& popups) {
                               if (popups.size() > 1) return false;
                               afterSubmenu = PopupBackgrounds().Count();
                               return true;
                             }}));
  EXPECT_EQ(withSubmenu, 2) << "one background per popup window";
  EXPECT_EQ(subTakenOver, 2);
  EXPECT_EQ(afterSubmenu, 0) << "closing the submenu freed the menu's background too";
  EXPECT_EQ(PopupBackgrounds().Count(), 0);
  EXPECT_EQ(TakenOverPopupCount(), 0);
  EXPECT_EQ(GdiLiveCount(TacGdiKind::Bitmap), bitmaps) << "the bitmaps went with the list";
}

TEST_F(SkinnedMenus, ChosenItemRunsAfterTheMenuClosedAndTheSkinLetsGoWhenRemoved) {
  int clicks = 0;
  bool menuWasUp = true;
  TMenuItem* item = Add(menu_->Items(), "选择");
  item->OnClick = [&](TComponent*) {
    ++clicks;
    menuWasUp = !VisiblePopups().empty();
  };
  // The Enter key closes the menu before the session's last step (which waits) is done.
  WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>& popups) {
                                    Key(popups[0], VK_DOWN);
                                    Key(popups[0], VK_RETURN);
                                    return true;
                                  },
                                  Ticks(1000)},
                3000);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(menuWasUp);
  EXPECT_EQ(item->HandlersOwner, SkinMenuHandlersTag);

  // Without a skin the platform draws the menu again: the skin's handlers are gone.
  manager_->SetActive(false);
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>&) { return true; }}));
  EXPECT_FALSE(menu_->OwnerDraw);
  EXPECT_EQ(item->HandlersOwner, nullptr);
  EXPECT_FALSE(item->OnDrawItem);
  EXPECT_EQ(PopupBackgrounds().Count(), 0);
}

TEST_F(SkinnedMenus, ProgramHandlersStayTheProgramsOwn) {
  TMenuItem* own = Add(menu_->Items(), "自绘");
  int drawn = 0;
  own->OnMeasureItem = [](TMenuItem*, TCanvas&, int& w, int& h) { w = 80, h = 30; };
  own->OnDrawItem = [&](TMenuItem*, TCanvas&, const RECT&, UINT) { ++drawn; };
  TMenuItem* skinned = Add(menu_->Items(), "皮肤");
  RECT r{0, 0, 0, 0};
  ASSERT_TRUE(WhileMenuOpen([&] { Show(); }, {[&](const std::vector<HWND>& popups) {
                                                r = ItemRectInPopup(*menu_, own, popups[0]);
                                                return true;
                                              }}));
  EXPECT_GT(drawn, 0);
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(own->HandlersOwner, nullptr);
  EXPECT_EQ(skinned->HandlersOwner, SkinMenuHandlersTag);
}

// The face the platform selects for a font, and whether it has the character.
struct TSelected {
  std::wstring Face;
  BYTE Charset = 0;
  bool HasGlyph = false;
};
TSelected Select(const TFont& font, char glyph) {
  TacWindowDC screen(nullptr);
  TacMemoryDC dc(screen.Get());
  TacSelectObject sel(dc.Get(), font.Handle());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc.Get(), LF_FACESIZE, face);
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc.Get(), &tm);
  const wchar_t c = static_cast<unsigned char>(glyph);
  WORD index = 0xFFFF;
  GetGlyphIndicesW(dc.Get(), &c, 1, &index, GGI_MARK_NONEXISTING_GLYPHS);
  return TSelected{face, tm.tmCharSet, index != 0xFFFF};
}

TEST(SystemMenuGlyphFont, IsWebdingsAsSelectedNotAFallback) {
  const TSelected webdings = Select(SystemMenuGlyphFont(), '0');
  EXPECT_EQ(webdings.Face, L"Webdings");
  EXPECT_EQ(webdings.Charset, SYMBOL_CHARSET);
  // Each glyph comes from a face that has it: Webdings, or Marlett where the
  // installed Webdings lacks it (Wine's own holds only "0" to "6").
  for (char glyph : {'0', '1', '2', 'r'}) {
    const TFont* font = SystemMenuGlyphFontFor(glyph);
    ASSERT_NE(font, nullptr) << glyph;
    const TSelected chosen = Select(*font, glyph);
    EXPECT_TRUE(chosen.HasGlyph) << glyph;
    if (Select(SystemMenuGlyphFont(), glyph).HasGlyph)
      EXPECT_EQ(chosen.Face, L"Webdings") << glyph;
    else
      EXPECT_EQ(chosen.Face, L"Marlett") << glyph;
  }
  EXPECT_EQ(SystemMenuGlyphFontFor('0'), &SystemMenuGlyphFont()) << "Wine's Webdings has the minimize glyph";
}

}  // namespace
