// Skinned popup menus. The skin manager's one TsSkinableMenus gives every popup item
// its measure and draw handlers while a skin is active and the manager skins popups;
// the items then paint over one cached background per popup window (the "MAINMENU"
// face with its border mask, the icon line, the extra line) with the "MENUITEM"
// section: check marks, images, the system menu's glyphs, captions, shortcuts,
// dividers and caption items. The popup window gets a region cut to the border
// mask's corners, and the caches go when a popup window is destroyed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/vclCanvas.h"
#include "framework/vclComponent.h"
#include "framework/vclFont.h"
#include "framework/vclMenus.h"
#include "framework/vclStdCtrls.h"
#include "menus/acMenuMeasure.h"
#include "menus/acPopupBackgroundList.h"

class TsSkinManager;

// Private messages to the application window: the popup of an item (wParam) or a
// popup window (wParam) is given its region once its window exists.
constexpr UINT WM_ACPOPUPREGION_ITEM = 48307;
constexpr UINT WM_ACPOPUPREGION_WINDOW = 48308;

class TsSkinableMenus : public TComponent {
 public:
  // The manager's object, made on first use (the manager owns and frees it).
  static TsSkinableMenus* Of(TsSkinManager* manager);
  explicit TsSkinableMenus(TsSkinManager* manager);
  ~TsSkinableMenus() override;

  // ---- published properties
  TAlignment Alignment = taLeftJustify;  // of item captions
  int BevelWidth = 0;                    // kept only
  int BorderWidth = 3;                   // frame strips the items repaint from the background
  TFont CaptionFont;                     // of caption items
  // The skin's menu frame width; -1: taken from the skin's "MAINMENU" border mask
  // whenever it is needed, so that it follows every skin change.
  int SkinBorderWidth = -1;
  int Margin = 2;
  int Spacing = 6;
  // After an item is painted: the item, the canvas, its kind, its owner-draw state and
  // the rectangle of its picture.
  std::function<void(TMenuItem* item, TCanvas& canvas, TsMenuItemType kind, UINT state, const RECT& r)> OnDrawItem;

  TsSkinManager* Manager() const { return manager_; }
  // Follows the skin's active state: switching walks every popup menu of every form
  // and gives its items the handlers (or takes this object's handlers away).
  bool Active() const { return active_; }
  void SetActive(bool value);
  // Brings one popup menu in line with the skin before it is shown.
  void HookPopupMenu(TPopupMenu* menu);

  // The owner-draw handlers.
  void MeasureMenuItem(TMenuItem* item, TCanvas& canvas, int& width, int& height);
  void DrawMenuItem(TMenuItem* item, TCanvas& canvas, const RECT& r, UINT state);

  // The cached background of an item's popup (or of a window when the item is null);
  // with a size, one is built when there is none.
  TacPopupBackgroundEntry* FindPopupBackground(TMenuItem* item, HWND window, const SIZE* size);
  // Takes the popup window over and sets its region from the entry.
  void ApplyPopupRegion(HWND window, const TacPopupBackgroundEntry& entry);

  // SkinBorderWidth resolved against the current skin.
  int CurrentSkinBorderWidth() const;
  // Margin + the first item's glyph width + Spacing of the last background built.
  static int IconLineWidth();
  // The glyph size of an item: its own bitmap, its parent's or its menu's images, else 16 x 16.
  static SIZE GlyphSize(const TMenuItem* item);
  // The height of an item in the menu font.
  int ItemHeight(TMenuItem* item, TCanvas& canvas);

 private:
  TacMenuSpacing MenuSpacing() const { return TacMenuSpacing{Margin, Spacing}; }
  void ApplyToMenu(TPopupMenu* menu, bool skinned);
  void ApplyToItems(TMenuItem* parent);
  bool SkinsPopups() const;
  bool AskExtraLine(TMenuItem* firstItem, std::string& section, std::string& text);
  TacPopupBackgroundEntry& BuildPopupBackground(TMenuItem* firstItem, HWND window, int width, int height);
  SIZE MenuSizeOf(TMenuItem* parent);
  void UseMenuFont(TCanvas& canvas, const TMenuItem* item, bool bold) const;
  void DrawNormal(TMenuItem* item, TCanvas& canvas, const RECT& r, UINT state, const TacPopupBackgroundEntry* entry,
                  const POINT& origin, int x0, int extraWidth);
  void DrawDivider(TCanvas& canvas, const RECT& r, const TacBitmap* b, const POINT& origin, int extraWidth);
  void DrawCaption(TMenuItem* item, TCanvas& canvas, const RECT& r, const TacBitmap* b, const POINT& origin,
                   int extraWidth);
  bool ApplicationHook(TMessage& m);

  TsSkinManager* manager_;
  bool active_ = false;
  bool applyingRegion_ = false;
  bool askingExtraLine_ = false;
  int appHookId_ = 0;
};

// The font of the system menu's glyphs: "Webdings" at 10 points.
const TFont& SystemMenuGlyphFont();
// The font that really draws one system glyph: "Webdings" when the installed face has
// it, else "Marlett" (the same window glyphs at the same characters; Wine's own
// Webdings holds only a few of them); null when neither face is installed with it,
// so that no other font's letter stands in for the glyph.
const TFont* SystemMenuGlyphFontFor(char glyph);
// Marks the handlers this unit installs on menu items.
extern const char* const SkinMenuHandlersTag;
