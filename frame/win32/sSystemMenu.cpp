#include "frame/sSystemMenu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"
#include "menus/sSkinMenus.h"
#include "skin/sSkinManager.h"

namespace {

constexpr const char* kSkinItemName = "SkinSelectItem";
constexpr const char* kSkinLineName = "SkinSelectLine";
constexpr const char* kBuiltinSuffix = "(内建皮肤)";

struct TPlatformCaption {
  std::string Caption;
  std::string ShortCut;  // the text after a tab
  bool Found = false;
};

TPlatformCaption CaptionOf(HMENU menu, UINT id, UINT flags) {
  TPlatformCaption c;
  if (!menu) return c;
  char text[256] = {};
  const int n = GetMenuStringA(menu, id, text, sizeof text, flags);
  if (n <= 0) return c;
  std::string s(text, static_cast<size_t>(std::min(n, static_cast<int>(sizeof text) - 1)));
  const size_t tab = s.find('\t');
  c.Caption = s.substr(0, tab);
  if (tab != std::string::npos) c.ShortCut = s.substr(tab + 1);
  c.Found = true;
  return c;
}

// A chosen skin's name as the manager knows it.
std::string SkinNameOf(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  const std::string suffix = kBuiltinSuffix;
  if (caption.size() >= suffix.size() && caption.compare(caption.size() - suffix.size(), suffix.size(), suffix) == 0)
    caption.erase(caption.size() - suffix.size());
  return caption;
}

}  // namespace

TsSystemMenu::TsSystemMenu(TsSkinProvider* provider)
    : TsCustomSysMenu(nullptr), provider_(provider), form_(provider->Form()) {
  SetName("SysMenu");
}

TacSysMenuState TsSystemMenu::State() const { return provider_->SysMenu(); }

void TsSystemMenu::Build() {
  Items()->Clear();
  ItemRestore = ItemMove = ItemSize = ItemMinimize = ItemMaximize = ItemClose = nullptr;
  extraItems_ = 0;
  HMENU platform = form_->HandleAllocated() ? GetSystemMenu(form_->Handle(), FALSE) : nullptr;
  auto add = [&](const char* name, UINT command, const char* caption, bool withShortCut) {
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->Tag = static_cast<intptr_t>(command);
    const TPlatformCaption c = CaptionOf(platform, command, MF_BYCOMMAND);
    item->Caption = c.Found ? c.Caption : caption;
    if (withShortCut) item->ShortCut = TextToShortCut(c.ShortCut);
    item->OnClick = [this, command](TComponent*) { Run(command); };
    Items()->Add(item);
    return item;
  };
  auto line = [&] {
    auto* item = new TMenuItem(this);
    item->Caption = "-";
    Items()->Add(item);
  };
  ItemRestore = add("acIR", SC_RESTORE, "恢复", false);
  ItemMove = add("acIM", SC_MOVE, "移动", false);
  ItemSize = add("acIS", SC_SIZE, "大小", false);
  ItemMinimize = add("acIN", SC_MINIMIZE, "最小化", false);
  ItemMaximize = add("acIX", SC_MAXIMIZE, "最大化", false);
  line();
  const int count = platform ? GetMenuItemCount(platform) : 0;
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(platform, i);
    if (id == 0 || id == static_cast<UINT>(-1) || id >= 0xF000) continue;
    const TPlatformCaption c = CaptionOf(platform, static_cast<UINT>(i), MF_BYPOSITION);
    auto* item = new TMenuItem(this);
    item->Caption = c.Caption;
    item->ShortCut = TextToShortCut(c.ShortCut);
    item->Tag = static_cast<intptr_t>(id);
    HWND window = form_->Handle();
    item->OnClick = [window, id](TComponent*) { PostMessageW(window, WM_SYSCOMMAND, id, 0); };
    Items()->Add(item);
    ++extraItems_;
  }
  if (extraItems_ > 0) line();
  ItemClose = add("acIC", SC_CLOSE, "关闭", true);
}

void TsSystemMenu::UpdateItems(bool rebuild) {
  if (rebuild || !ItemClose) Build();
  const TacSysMenuState s = State();
  const bool minimized = form_->HandleAllocated() && IsIconic(form_->Handle());
  const bool maximized = form_->HandleAllocated() && IsZoomed(form_->Handle());
  const TFormBorderStyle style = form_->BorderStyle();
  const bool framed = style == bsSingle || style == bsSizeable;
  ItemRestore->Visible = s.VisibleClose && framed;
  ItemRestore->Enabled = s.EnabledRestore;
  ItemMove->Visible = true;
  ItemMove->Enabled = !maximized;
  ItemSize->Visible = style != bsNone && style != bsDialog && style != bsToolWindow;
  ItemSize->Enabled = style != bsSingle && !minimized;
  ItemMinimize->Visible = s.VisibleMin;
  ItemMinimize->Enabled = s.EnabledMin;
  ItemMaximize->Visible = s.VisibleMax;
  ItemMaximize->Enabled = s.EnabledMax;
  ItemClose->Visible = s.VisibleClose;
  ItemClose->Enabled = true;
}

void TsSystemMenu::MakeSkinItems() {
  TsSkinManager* manager = provider_->SkinData().SkinManager();
  if (!manager) return;
  TMenuItem* root = Items();
  if (root->Count() > 0 && root->Items(0)->Name() == kSkinItemName) {
    root->Delete(0);
    if (root->Count() > 0 && root->Items(0)->Name() == kSkinLineName) root->Delete(0);
  }
  std::vector<std::string> names;
  manager->GetSkinNames(names);
  if (names.empty()) return;
  auto* skins = new TMenuItem(this);
  skins->SetName(kSkinItemName);
  skins->Caption = "皮肤";
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new TMenuItem(this);
    item->SetName(kSkinItemName + std::to_string(i));
    item->Caption = names[i];
    item->RadioItem = true;
    item->Checked = names[i] == manager->SkinName();
    if (i > 0 && i % 20 == 0) item->Break = mbBreak;
    item->OnClick = [manager](TComponent* sender) {
      manager->SetSkinName(SkinNameOf(static_cast<TMenuItem*>(sender)->Caption));
    };
    skins->Add(item);
  }
  root->Insert(0, skins);
  auto* line = new TMenuItem(this);
  line->SetName(kSkinLineName);
  line->Caption = "-";
  root->Insert(1, line);
}

void TsSystemMenu::ShowAt(int x, int y) {
  UpdateItems(extraItems_ > 0);
  if (provider_->MakeSkinMenu && Items()->Count() > 0) MakeSkinItems();
  if (TsSkinableMenus* menus = TsSkinableMenus::Of(provider_->SkinData().SkinManager())) menus->HookPopupMenu(this);
  Popup(x, y);
}

void TsSystemMenu::Run(UINT command) {
  if (!form_->HandleAllocated()) return;
  HWND w = form_->Handle();
  switch (command) {
    case SC_MOVE:
    case SC_SIZE:
      // The platform's move and size loops start from the message loop, not inside the menu's click.
      PostMessageW(w, WM_SYSCOMMAND, command, 0);
      return;
    case SC_RESTORE:
    case SC_MAXIMIZE:
    case SC_MINIMIZE:
      SendMessageW(w, WM_SYSCOMMAND, command, 0);
      UpdateItems();
      return;
    default:
      SendMessageW(w, WM_SYSCOMMAND, command, 0);
      return;
  }
}
