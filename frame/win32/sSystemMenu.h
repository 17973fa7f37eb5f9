// The skinned system menu of a form with a skin provider: restore, move, size,
// minimize, maximize and close, plus the commands the program added to the
// platform's system menu, each shown and enabled by the form's state and border
// icons, with the captions of the platform's own menu. It is drawn by the skin's
// popup-menu skinning; a first submenu may offer the skins to choose from.
#pragma once

#include <windows.h>

#include "frame/acTitleButtons.h"
#include "framework/vclMenus.h"

class TsSkinProvider;
class TForm;

// The predicates a system menu is shown by.
class TsCustomSysMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  virtual bool VisibleClose() const = 0;
  virtual bool VisibleMax() const = 0;
  virtual bool VisibleMin() const = 0;
  virtual bool EnabledMax() const = 0;
  virtual bool EnabledMin() const = 0;
  virtual bool EnabledRestore() const = 0;
};

class TsSystemMenu : public TsCustomSysMenu {
 public:
  // Named "SysMenu": the skin draws its items' system glyphs by that name.
  explicit TsSystemMenu(TsSkinProvider* provider);

  TsSkinProvider* Provider() const { return provider_; }
  TForm* Form() const { return form_; }
  // Items copied from the platform's menu (commands below 0xF000) at the last build.
  int ExtraItemsCount() const { return extraItems_; }

  // Builds the items when asked or when there are none, then shows and enables
  // each by the form's state.
  void UpdateItems(bool rebuild = false);
  // The skin list as the first submenu ("SkinSelectItem", a separator after it): one
  // radio item per skin of the manager, the active one checked, a new column every
  // 20 items. Nothing is added when the manager lists no skins.
  void MakeSkinItems();
  // Updates the items (rebuilt when platform items were copied), adds the skin list
  // when the provider's MakeSkinMenu asks for it, hands the menu to the skin's menu
  // skinning and shows it at the screen point.
  void ShowAt(int x, int y);

  TMenuItem* ItemRestore = nullptr;   // "acIR"
  TMenuItem* ItemMove = nullptr;      // "acIM"
  TMenuItem* ItemSize = nullptr;      // "acIS"
  TMenuItem* ItemMinimize = nullptr;  // "acIN"
  TMenuItem* ItemMaximize = nullptr;  // "acIX"
  TMenuItem* ItemClose = nullptr;     // "acIC"

  bool VisibleClose() const override { return State().VisibleClose; }
  bool VisibleMax() const override { return State().VisibleMax; }
  bool VisibleMin() const override { return State().VisibleMin; }
  bool EnabledMax() const override { return State().EnabledMax; }
  bool EnabledMin() const override { return State().EnabledMin; }
  bool EnabledRestore() const override { return State().EnabledRestore; }

 private:
  TacSysMenuState State() const;
  void Build();
  void Run(UINT command);

  TsSkinProvider* provider_;
  TForm* form_;
  int extraItems_ = 0;
};
