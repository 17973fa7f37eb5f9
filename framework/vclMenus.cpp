#include "framework/vclMenus.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "framework/vclControl.h"
#include "framework/vclGuard.h"
#include "framework/vclStdCtrls.h"
#include "framework/vclText.h"
#include "paint/acGdiHandles.h"

namespace {

std::unordered_set<const TMenuItem*>& LiveItems() {
  static std::unordered_set<const TMenuItem*> items;
  return items;
}

// Commands below the platform's system commands (0xF000 and up), never 0.
UINT NextCommand() {
  static UINT next = 0;
  next = next % 0xEFFF + 1;
  return next;
}

std::vector<std::pair<int, TPopupHook>>& PopupHooks() {
  static std::vector<std::pair<int, TPopupHook>> hooks;
  return hooks;
}

TMenuItem* FindByCommand(TMenuItem* item, UINT command) {
  if (item->Command() == command) return item;
  for (int i = 0; i < item->Count(); ++i)
    if (TMenuItem* found = FindByCommand(item->Items(i), command)) return found;
  return nullptr;
}

// The caption as the platform menu shows it: the shortcut after a tab.
std::wstring ItemText(const TMenuItem& item) {
  std::string text = item.Caption;
  const std::string shortcut = ShortCutToText(item.ShortCut);
  if (!shortcut.empty()) text += "\t" + shortcut;
  return GbkToWide(text);
}

LRESULT CALLBACK PopupOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    TMenuItem* item = mis && mis->CtlType == ODT_MENU ? LiveMenuItem(mis->itemData) : nullptr;
    if (item) {
      Guarded(TGuardReport::ErrorBox, [&] {
        TacWindowDC screen(nullptr);
        TCanvas canvas(screen.Get());
        int width = 0, height = 0;
        item->DefaultMeasure(canvas, width, height);
        if (item->OnMeasureItem) item->OnMeasureItem(item, canvas, width, height);
        mis->itemWidth = static_cast<UINT>(std::max(width, 0));
        mis->itemHeight = static_cast<UINT>(std::max(height, 0));
      });
      return TRUE;
    }
  } else if (msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    TMenuItem* item = dis && dis->CtlType == ODT_MENU ? LiveMenuItem(dis->itemData) : nullptr;
    if (item) {
      Guarded(TGuardReport::ErrorBox, [&] {
        TCanvas canvas(dis->hDC);
        if (item->OnDrawItem) {
          item->OnDrawItem(item, canvas, dis->rcItem, dis->itemState);
        } else {
          item->DefaultDraw(canvas, dis->rcItem, dis->itemState);
          if (item->OnAdvancedDrawItem) item->OnAdvancedDrawItem(item, canvas, dis->rcItem, dis->itemState);
        }
      });
      return TRUE;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

// ---- items

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) { LiveItems().insert(this); }

TMenuItem::~TMenuItem() {
  LiveItems().erase(this);
  MarkDestroying();
  // Children first, while this item can still take them off its list.
  while (!items_.empty()) delete items_.back();
  if (parent_) {
    auto& siblings = parent_->items_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

TMenuItem* LiveMenuItem(ULONG_PTR itemData) {
  auto* item = reinterpret_cast<TMenuItem*>(itemData);
  return LiveItems().count(item) && !item->Destroying() ? item : nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == item) return static_cast<int>(i);
  return -1;
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) {
    auto& siblings = item->parent_->items_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), item), siblings.end());
  }
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  item->ChangeOwner(this);
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  delete items_[static_cast<size_t>(index)];
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TPopupMenu* TMenuItem::Menu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

namespace {

NONCLIENTMETRICSW MenuMetrics() {
  NONCLIENTMETRICSW m = {};
  m.cbSize = sizeof m;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
  return m;
}

void UsePlatformMenuFont(TCanvas& canvas) {
  const NONCLIENTMETRICSW m = MenuMetrics();
  canvas.Font().SetName(WideToGbk(m.lfMenuFont.lfFaceName));
  canvas.Font().SetHeight(m.lfMenuFont.lfHeight ? m.lfMenuFont.lfHeight : -12);
}

}  // namespace

void TMenuItem::DefaultMeasure(TCanvas& canvas, int& width, int& height) const {
  if (IsLine()) {
    width = 0;
    height = 8;
    return;
  }
  UsePlatformMenuFont(canvas);
  RECT r = {0, 0, 0, 0};
  canvas.DrawText(ItemText(*this), r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  width = r.right + 2 * GetSystemMetrics(SM_CXMENUCHECK) + 8;
  height = std::max<int>(r.bottom + 4, GetSystemMetrics(SM_CYMENUCHECK));
}

void TMenuItem::DefaultDraw(TCanvas& canvas, const RECT& r, UINT state) const {
  const bool selected = (state & ODS_SELECTED) != 0;
  canvas.FillRect(r, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    const int y = (r.top + r.bottom) / 2;
    canvas.FillRect(RECT{r.left + 2, y - 1, r.right - 2, y}, GetSysColor(COLOR_BTNSHADOW));
    canvas.FillRect(RECT{r.left + 2, y, r.right - 2, y + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    return;
  }
  UsePlatformMenuFont(canvas);
  canvas.Font().SetColor(GetSysColor(!Enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT text = r;
  text.left += GetSystemMetrics(SM_CXMENUCHECK) + 4;
  text.right -= 4;
  std::wstring caption = GbkToWide(Caption);
  canvas.DrawText(caption, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  const std::string shortcut = ShortCutToText(ShortCut);
  if (!shortcut.empty()) canvas.DrawText(shortcut, text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

// ---- popup menus

// The platform menus of one showing: the root first, then one per item with children,
// each with where it hangs in its parent.
struct TPopupMenu::Built {
  struct Level {
    const TMenuItem* Item;
    TacMenuHandle Handle;
    HMENU Parent;
    UINT Position;
  };
  std::vector<Level> Levels;

  ~Built() {
    // A platform menu frees the menus hanging in it: every one is taken out first and
    // freed by its own owner.
    for (size_t i = Levels.size(); i-- > 1;) RemoveMenu(Levels[i].Parent, Levels[i].Position, MF_BYPOSITION);
  }

  void Build(const TMenuItem* parent, HMENU into, bool ownerDraw) {
    UINT position = 0;
    for (int i = 0; i < parent->Count(); ++i) {
      const TMenuItem* item = parent->Items(i);
      if (!item->Visible) continue;
      std::wstring text = ItemText(*item);
      MENUITEMINFOW mi = {};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
      if (ownerDraw) {
        mi.fType = MFT_OWNERDRAW | (item->IsLine() ? MFT_SEPARATOR : 0);
      } else if (item->IsLine()) {
        mi.fType = MFT_SEPARATOR;
      } else {
        mi.fType = MFT_STRING;
        mi.fMask |= MIIM_STRING;
        mi.dwTypeData = text.data();
      }
      if (item->RadioItem) mi.fType |= MFT_RADIOCHECK;
      if (item->Break == mbBreak) mi.fType |= MFT_MENUBREAK;
      if (item->Break == mbBarBreak) mi.fType |= MFT_MENUBARBREAK;
      mi.fState = (item->Checked ? MFS_CHECKED : 0) | (item->Enabled ? 0 : MFS_GRAYED) |
                  (item->Default ? MFS_DEFAULT : 0);
      mi.wID = item->Command();
      mi.dwItemData = reinterpret_cast<ULONG_PTR>(item);
      if (item->Count() > 0) {
        TacMenuHandle sub = NewPopupMenu();
        if (sub) {
          Build(item, sub.Get(), ownerDraw);
          mi.fMask |= MIIM_SUBMENU;
          mi.hSubMenu = sub.Get();
          Levels.push_back(Level{item, std::move(sub), into, position});
        }
      }
      InsertMenuItemW(into, position++, TRUE, &mi);
    }
  }
};

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {
  items_ = new TMenuItem(this);
  items_->menu_ = this;
}

TPopupMenu::~TPopupMenu() {
  if (images_) images_->RemoveFreeNotification(this);
}

void TPopupMenu::SetImages(TImageList* images) {
  if (images_ == images) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->AddFreeNotification(this, [this] { images_ = nullptr; });
}

HMENU TPopupMenu::HandleOf(const TMenuItem* item) const {
  if (!built_) return nullptr;
  if (item == items_) return handle_;
  for (const Built::Level& l : built_->Levels)
    if (l.Item == item) return l.Handle.Get();
  return nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  if (tracking_) return;
  const auto hooks = PopupHooks();
  for (const auto& hook : hooks) hook.second(*this);
  if (OnPopup) OnPopup(this);
  UINT command = 0;
  {
    Built built;
    built.Levels.push_back(Built::Level{items_, NewPopupMenu(), nullptr, 0});
    HMENU root = built.Levels[0].Handle.Get();
    if (!root) return;
    built.Build(items_, root, OwnerDraw);
    handle_ = root;
    built_ = &built;
    tracking_ = true;
    command = static_cast<UINT>(
        TrackPopupMenu(root, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0,
                       PopupOwnerWindow(), nullptr));
    tracking_ = false;
    built_ = nullptr;
    handle_ = nullptr;
  }
  if (command == 0) return;
  if (TMenuItem* chosen = FindByCommand(items_, command)) chosen->Click();
}

int AddPopupHook(TPopupHook hook) {
  static int nextId = 0;
  PopupHooks().emplace_back(++nextId, std::move(hook));
  return nextId;
}

void RemovePopupHook(int id) {
  auto& hooks = PopupHooks();
  hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [id](const auto& h) { return h.first == id; }), hooks.end());
}

HWND PopupOwnerWindow() {
  static HWND window = [] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &PopupOwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VqPopupOwner";
    RegisterClassExW(&wc);
    // A hidden top-level window: the platform's menu loop needs a real window as owner.
    return CreateWindowExW(WS_EX_TOOLWINDOW, L"VqPopupOwner", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }();
  return window;
}
