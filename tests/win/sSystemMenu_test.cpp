// The skinned system menu: its items shown and enabled by the form's state and
// border icons, captions and added commands from the platform's menu, the skin list
// with its columns, and on the program's real main window: opened by a right-button
// release on the caption (not on a border), the system glyphs in "Webdings", its
// pixels against the cache, a picture of it, and no objects left over after many
// openings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxesTestSupport.h"
#include "MenuTestSupport.h"
#include "app/ProgramArguments.h"
#include "app/uVqMainFrm.h"
#include "frame/acBorderForm.h"
#include "frame/sSkinProvider.h"
#include "frame/sSystemMenu.h"
#include "menus/acPopupBackgroundList.h"
#include "menus/acPopupWindow.h"
#include "menus/sSkinMenus.h"

using namespace boxestest;
using namespace menutest;

namespace {

// A form with a provider and the default manager on the built-in skin.
class SystemMenuForm : public ::testing::Test {
 protected:
  void Make(TFormBorderStyle style, unsigned icons, const std::vector<std::string>& extraSkins = {}) {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    InstallDibBitmapAllocator();
    SetCursorPos(1270, 1010);
    form_ = new TForm(Application);
    TFormDescription d;
    d.Name = "SystemMenuTestForm";
    d.Caption = "系统菜单";
    d.ClientWidth = 360;
    d.ClientHeight = 200;
    d.BorderStyle = style;
    d.BorderIcons = icons;
    d.Left = 700;
    d.Top = 560;
    form_->ApplyDescription(d);
    form_->FinishCreate();
    form_->HandleNeeded();
    provider_ = new TsSkinProvider(form_);
    manager_ = new TsSkinManager(form_);
    const std::vector<uint8_t> air = PackSkinFolder(SourcePath("skins/air"));
    manager_->InternalSkins.Add("air", air.data(), air.size());
    for (const std::string& name : extraSkins) manager_->InternalSkins.Add(name, air.data(), air.size());
    manager_->SetSkinName("air");
    ASSERT_TRUE(manager_->SkinData.Active);
    menu_ = std::make_unique<TsSystemMenu>(provider_);
  }
  void TearDown() override {
    menu_.reset();
    delete form_;
    form_ = nullptr;
    EXPECT_EQ(DefaultManager(), nullptr);
  }
  TForm* form_ = nullptr;
  TsSkinProvider* provider_ = nullptr;
  TsSkinManager* manager_ = nullptr;
  std::unique_ptr<TsSystemMenu> menu_;
};

TEST_F(SystemMenuForm, ItemsFollowTheFormsStateAndBorderIcons) {
  enum Shown { No, Off, On };  // hidden, shown disabled, shown enabled
  const unsigned all = biSystemMenu | biMinimize | biMaximize;
  const struct {
    const char* what;
    TFormBorderStyle style;
    unsigned icons;
    int show;  // SW_ command, 0: as created
    Shown restore, move, size, minimize, maximize, close;
  } cases[] = {
      {"the main window's kind", bsSingle, biSystemMenu | biMinimize, 0, Off, On, Off, On, No, On},
      {"sizeable", bsSizeable, all, 0, Off, On, On, On, On, On},
      {"maximized", bsSizeable, all, SW_MAXIMIZE, On, Off, On, On, Off, On},
      {"minimized", bsSizeable, all, SW_MINIMIZE, On, On, Off, Off, On, On},
      {"dialog", bsDialog, biSystemMenu, 0, No, On, No, No, No, On},
      {"tool window", bsToolWindow, biSystemMenu, 0, No, On, No, No, No, On},
  };
  for (const auto& c : cases) {
    Make(c.style, c.icons);
    form_->Show();
    if (c.show) ShowWindow(form_->Handle(), c.show);
    Pump(50);
    menu_->UpdateItems();
    auto shown = [](const TMenuItem* i) { return !i->Visible ? No : i->Enabled ? On : Off; };
    EXPECT_EQ(shown(menu_->ItemRestore), c.restore) << c.what;
    EXPECT_EQ(shown(menu_->ItemMove), c.move) << c.what;
    EXPECT_EQ(shown(menu_->ItemSize), c.size) << c.what;
    EXPECT_EQ(shown(menu_->ItemMinimize), c.minimize) << c.what;
    EXPECT_EQ(shown(menu_->ItemMaximize), c.maximize) << c.what;
    EXPECT_EQ(shown(menu_->ItemClose), c.close) << c.what;
    TearDown();
  }
}

TEST_F(SystemMenuForm, CaptionsAndAddedCommandsComeFromThePlatformMenu) {
  Make(bsSizeable, biSystemMenu | biMinimize | biMaximize);
  HMENU platform = GetSystemMenu(form_->Handle(), FALSE);
  ASSERT_NE(platform, nullptr);
  AppendMenuW(platform, MF_STRING, 0x120, L"关于(&A)\tCtrl+F1");
  menu_->UpdateItems(true);
  char text[128] = {};
  GetMenuStringA(platform, SC_CLOSE, text, sizeof text, MF_BYCOMMAND);
  const std::string close = text;
  const size_t tab = close.find('\t');
  ASSERT_NE(tab, std::string::npos) << close;
  EXPECT_EQ(menu_->ItemClose->Caption, close.substr(0, tab));
  EXPECT_EQ(menu_->ItemClose->ShortCut, TextToShortCut(close.substr(tab + 1)));
  EXPECT_EQ(menu_->ItemClose->ShortCut, scAlt | VK_F4);
  EXPECT_EQ(menu_->ItemClose->Tag, SC_CLOSE) << "the tag selects the close glyph";
  EXPECT_EQ(menu_->ItemMinimize->Tag, SC_MINIMIZE);

  ASSERT_EQ(menu_->ExtraItemsCount(), 1);
  TMenuItem* root = menu_->Items();
  const int at = root->IndexOf(menu_->ItemClose) - 2;
  ASSERT_GE(at, 1);
  TMenuItem* about = root->Items(at);
  EXPECT_EQ(about->Caption, "关于(&A)");
  EXPECT_EQ(about->ShortCut, TextToShortCut("Ctrl+F1"));
  EXPECT_TRUE(root->Items(at - 1)->IsLine());
  EXPECT_TRUE(root->Items(at + 1)->IsLine());
  about->Click();
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, form_->Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0x120u);
}

TEST_F(SystemMenuForm, SkinListHasAColumnEveryTwentySkinsAndChoosingOneSetsIt) {
  std::vector<std::string> names;
  for (int i = 0; i < 44; ++i) names.push_back("skin" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  Make(bsSizeable, biSystemMenu | biMinimize | biMaximize, names);
  provider_->MakeSkinMenu = true;
  menu_->UpdateItems();
  menu_->MakeSkinItems();
  menu_->MakeSkinItems();  // again: replaced, not added twice
  TMenuItem* root = menu_->Items();
  ASSERT_EQ(root->Items(0)->Name(), "SkinSelectItem");
  ASSERT_NE(root->Items(1)->Name(), "SkinSelectItem");
  EXPECT_TRUE(root->Items(1)->IsLine());
  EXPECT_FALSE(root->Items(2)->IsLine()) << "one separator only";
  TMenuItem* skins = root->Items(0);
  EXPECT_EQ(skins->Caption, "皮肤");
  ASSERT_EQ(skins->Count(), 45);
  int checked = 0;
  for (int i = 0; i < skins->Count(); ++i) {
    TMenuItem* s = skins->Items(i);
    EXPECT_EQ(s->Break != mbNone, i == 20 || i == 40) << i;
    EXPECT_TRUE(s->RadioItem);
    if (s->Checked) {
      ++checked;
      EXPECT_EQ(s->Caption, "air");
    }
  }
  EXPECT_EQ(checked, 1);
  skins->Items(skins->Count() - 1)->Caption = "skin&43(内建皮肤)";
  skins->Items(skins->Count() - 1)->Click();
  EXPECT_EQ(manager_->SkinName(), "skin43");
}

// ---- the program's main window

class MainWindowSystemMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramArgumentsW({ProgramFileW()});
    SetCursorPos(1270, 1010);
    form_ = Application->CreateForm<TVqMainFrm>();
    form_->Show();
    w_ = form_->Handle();
    SetWindowPos(w_, nullptr, 640, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow(w_);
    Pump(300);
    provider_ = ProviderOfForm(form_);
    ASSERT_NE(provider_, nullptr);
    ASSERT_TRUE(provider_->Skinned());
  }
  void TearDown() override {
    delete form_;
    SetProgramArgumentsW({});
  }
  LPARAM At(int x, int y) {
    RECT wr;
    GetWindowRect(w_, &wr);
    return MAKELPARAM(wr.left + x, wr.top + y);
  }
  void RightReleaseOnCaption() {
    RECT wr;
    GetWindowRect(w_, &wr);
    SendMessageW(w_, WM_NCRBUTTONUP, HTCAPTION, At((wr.right - wr.left) / 3, 12));
  }
  TVqMainFrm* form_ = nullptr;
  HWND w_ = nullptr;
  TsSkinProvider* provider_ = nullptr;
};

// The ink of a system glyph in an item's icon column (the caption starts at 26).
RECT GlyphInk(const TacBitmap& shown, const RECT& item) {
  return InkBox(shown, RECT{item.left + 2, item.top, item.left + 25, item.bottom});
}

TEST_F(MainWindowSystemMenu, RightReleaseOnTheCaptionOpensTheSkinnedMenuWithItsGlyphs) {
  // On a border the release is swallowed: no menu.
  RECT wr;
  GetWindowRect(w_, &wr);
  bool opened = false;
  WhileMenuOpen([&] { SendMessageW(w_, WM_NCRBUTTONUP, HTLEFT, At(1, (wr.bottom - wr.top) / 2)); },
                {[&](const std::vector<HWND>&) { return opened = true; }}, 600);
  EXPECT_FALSE(opened) << "a release on the border opens nothing";

  RECT minimize{}, close{}, restore{};
  RECT minInk{}, closeInk{};
  int differences = -1;
  std::string first;
  bool tracking = false, cached = false;
  TacBitmapPtr shown, screen;
  ASSERT_TRUE(WhileMenuOpen([&] { RightReleaseOnCaption(); },
                            {Ticks(2), [&](const std::vector<HWND>& popups) {
                               TsSystemMenu* menu = provider_->SystemMenu();
                               if (!menu) return true;
                               tracking = menu->Tracking();
                               const TacPopupBackgroundEntry* e = PopupBackgrounds().FindByWindow(popups[0]);
                               cached = e != nullptr;
                               shown = PopupPixels(popups[0]);
                               minimize = ItemRectInPopup(*menu, menu->ItemMinimize, popups[0]);
                               close = ItemRectInPopup(*menu, menu->ItemClose, popups[0]);
                               restore = ItemRectInPopup(*menu, menu->ItemRestore, popups[0]);
                               if (e)
                                 differences = PopupDifferences(
                                     *menu, menu->Items(), popups[0], *shown, *e->Bitmap, nullptr, *form_->sknmngr1,
                                     {menu->ItemRestore, menu->ItemMinimize, menu->ItemClose}, &first);
                               // The picture: the window with its menu open.
                               RECT pr, all;
                               GetWindowRect(popups[0], &pr);
                               // The frame with its shadow lies on the border window.
                               GetWindowRect(provider_->BorderForm() ? provider_->BorderForm()->BorderWindow() : w_,
                                             &all);
                               UnionRect(&all, &all, &pr);
                               InflateRect(&all, 12, 12);
                               screen = NewDibBitmap(all.right - all.left, all.bottom - all.top, TacPixelFormat::pf24bit);
                               TacWindowDC desktop(nullptr);
                               TacMemoryDC mem(desktop.Get());
                               TacSelectObject sel(mem.Get(), static_cast<HBITMAP>(screen->Handle()));
                               BitBlt(mem.Get(), 0, 0, screen->Width(), screen->Height(), desktop.Get(), all.left,
                                      all.top, SRCCOPY);
                               GdiFlush();
                               return true;
                             }}));
  ASSERT_TRUE(shown);
  EXPECT_TRUE(tracking) << "the provider's skinned system menu is the one up";
  EXPECT_TRUE(cached) << "and it is drawn by the skin";
  EXPECT_EQ(differences, 0) << first;
  ASSERT_TRUE(screen);
  EXPECT_TRUE(WritePng(PictureDir("screens") + "/main-system-menu.png", *screen));

  // Minimize ("0"): a flat bar. Close ("r"): a cross, as wide as high,
  // with its arms in the corners and nothing at the middle of its top edge.
  minInk = GlyphInk(*shown, minimize);
  closeInk = GlyphInk(*shown, close);
  ASSERT_LT(minInk.left, minInk.right) << "the minimize glyph is drawn";
  ASSERT_LT(closeInk.left, closeInk.right) << "the close glyph is drawn";
  EXPECT_LT(2 * (minInk.bottom - minInk.top), minInk.right - minInk.left);
  const int cw = closeInk.right - closeInk.left, ch = closeInk.bottom - closeInk.top;
  EXPECT_GE(cw, 6);
  EXPECT_NEAR(cw, ch, 2);
  EXPECT_TRUE(IsInk(*shown, (closeInk.left + closeInk.right) / 2, (closeInk.top + closeInk.bottom) / 2));
  EXPECT_FALSE(IsInk(*shown, (closeInk.left + closeInk.right) / 2, closeInk.top));
  // Restore is not possible on a window in its normal state: drawn at 40 %, no dark ink.
  const RECT restoreInk = GlyphInk(*shown, restore);
  EXPECT_GE(restoreInk.left, restoreInk.right) << "a disabled glyph has no dark pixels";
}

TEST_F(MainWindowSystemMenu, NoObjectsLeftAfterAHundredOpenings) {
  auto open = [&] {
    return WhileMenuOpen([&] { RightReleaseOnCaption(); }, {[](const std::vector<HWND>& p) {
                                                             UpdateWindow(p[0]);
                                                             return true;
                                                           }});
  };
  ASSERT_TRUE(open());  // the first opening makes what lives on (the glyph font, the menu)
  long before[static_cast<int>(TacGdiKind::Count)];
  for (int k = 0; k < static_cast<int>(TacGdiKind::Count); ++k) before[k] = GdiLiveCount(static_cast<TacGdiKind>(k));
  int opened = 0;
  for (int i = 0; i < 100; ++i) opened += open();
  EXPECT_EQ(opened, 100);
  for (int k = 0; k < static_cast<int>(TacGdiKind::Count); ++k)
    EXPECT_EQ(GdiLiveCount(static_cast<TacGdiKind>(k)), before[k]) << "kind " << k;
  EXPECT_EQ(PopupBackgrounds().Count(), 0);
  EXPECT_EQ(TakenOverPopupCount(), 0);
  EXPECT_TRUE(VisiblePopups().empty());
}

}  // namespace
