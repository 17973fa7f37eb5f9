#include "menus/sSkinMenus.h"

#include <algorithm>
#include <vector>

#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclText.h"
#include "menus/acMenuItemLayout.h"
#include "menus/acPopupBackground.h"
#include "menus/acPopupWindow.h"
#include "paint/acBlockCopy.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acSkinnedText.h"
#include "paint/sAlphaGraph.h"
#include "paint/sBorderMask.h"
#include "paint/sGraphUtilsGdi.h"
#include "paint/sItemPaint.h"
#include "paint/sItemPaintGdi.h"
#include "paint/sMaskPieces.h"
#include "paint/sStateGlyph.h"
#include "skin/sSkinManager.h"

const char* const SkinMenuHandlersTag = "skinned popup menus";

namespace {

int g_iconLineWidth = 0;

TsSkinableMenus* CurrentMenus() { return TsSkinableMenus::Of(DefaultManager()); }

void InstallHandlers(TMenuItem* item) {
  item->OnMeasureItem = [](TMenuItem* i, TCanvas& c, int& w, int& h) {
    if (TsSkinableMenus* menus = CurrentMenus()) menus->MeasureMenuItem(i, c, w, h);
  };
  item->OnDrawItem = [](TMenuItem* i, TCanvas& c, const RECT& r, UINT state) {
    if (TsSkinableMenus* menus = CurrentMenus()) menus->DrawMenuItem(i, c, r, state);
  };
  item->HandlersOwner = SkinMenuHandlersTag;
}

// Takes this unit's handlers away; true when there were any.
bool RemoveHandlers(TMenuItem* parent) {
  bool removed = false;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->HandlersOwner == SkinMenuHandlersTag) {
      item->OnMeasureItem = nullptr;
      item->OnDrawItem = nullptr;
      item->HandlersOwner = nullptr;
      removed = true;
    }
    removed = RemoveHandlers(item) || removed;
  }
  return removed;
}

// A menu the skin drew goes back to the platform's drawing; a program's own
// owner-drawn menu (no handlers of ours) stays as the program made it.
void ReleaseMenu(TPopupMenu& menu) {
  if (RemoveHandlers(menu.Items())) menu.OwnerDraw = false;
}

// Every popup shown goes through the default manager's menu skinning first.
const int kPopupHookId = AddPopupHook([](TPopupMenu& menu) {
  if (TsSkinableMenus* menus = CurrentMenus())
    menus->HookPopupMenu(&menu);
  else
    ReleaseMenu(menu);
});

TMenuItem* FirstItemOf(const TMenuItem* item) {
  const TMenuItem* parent = item ? item->Parent() : nullptr;
  return parent && parent->Count() > 0 ? parent->Items(0) : nullptr;
}

bool IsSkinSelectPopup(const TMenuItem* first) { return first && first->Name() == "SkinSelectItem"; }

bool InSystemMenu(const TMenuItem* item) {
  const TPopupMenu* menu = item->Menu();
  return menu && menu->Name() == "SysMenu";
}

std::vector<bool> Breaks(const TMenuItem* parent) {
  std::vector<bool> breaks;
  for (int i = 0; parent && i < parent->Count(); ++i) breaks.push_back(parent->Items(i)->Break != mbNone);
  return breaks;
}

struct TItemPosition {
  int Index = -1;
  bool FirstVisible = false;
  bool LastVisible = false;
  bool NextStartsColumn = false;
};

TItemPosition PositionOf(const TMenuItem* item) {
  TItemPosition p;
  const TMenuItem* parent = item->Parent();
  if (!parent) return p;
  p.Index = parent->IndexOf(item);
  int first = -1, last = -1, next = -1;
  for (int i = 0; i < parent->Count(); ++i) {
    if (!parent->Items(i)->Visible) continue;
    if (first < 0) first = i;
    last = i;
    if (i > p.Index && next < 0) next = i;
  }
  p.FirstVisible = first == p.Index;
  p.LastVisible = last == p.Index;
  p.NextStartsColumn = next >= 0 && parent->Items(next)->Break != mbNone;
  return p;
}

// The item's picture from its menu's (or its parent's) image list, or null.
const TacBitmap* ListImage(const TMenuItem* item) {
  if (item->ImageIndex < 0) return nullptr;
  const TMenuItem* parent = item->Parent();
  const TImageList* list = parent && parent->SubMenuImages ? parent->SubMenuImages : nullptr;
  if (!list && item->Menu()) list = item->Menu()->Images();
  return list ? list->Image(item->ImageIndex) : nullptr;
}

// An image into the item's picture: a 32-bit one through its alpha, any other one as it is.
void PutImage(TacBitmap* t, int x, int y, const TacBitmap& image) {
  const TacRect q{0, 0, image.Width(), image.Height()};
  if (image.Format() == TacPixelFormat::pf32bit)
    CopyImageRect(TacRect{x, y, x + image.Width(), y + image.Height()}, q, t, false, EmptyParentImage, &image);
  else
    CopyBitmapRect(t, x, y, &image, q);
}

POINT ClientOriginIn(HWND window) {
  RECT wr;
  GetWindowRect(window, &wr);
  POINT o{0, 0};
  ClientToScreen(window, &o);
  return POINT{o.x - wr.left, o.y - wr.top};
}

UINT AlignFlag(TacMenuTextAlign a) {
  switch (a) {
    case TacMenuTextAlign::Right: return DT_RIGHT;
    case TacMenuTextAlign::Center: return DT_CENTER;
    default: return DT_LEFT;
  }
}

TacMenuTextAlign TextAlign(TAlignment a) {
  switch (a) {
    case taRightJustify: return TacMenuTextAlign::Right;
    case taCenter: return TacMenuTextAlign::Center;
    default: return TacMenuTextAlign::Left;
  }
}

int ScreenDpi() {
  TacWindowDC screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

// The platform's menu font, read once.
const TFont& PlatformMenuFont() {
  static TFont font;
  static bool read = false;
  if (!read) {
    NONCLIENTMETRICSW m = {};
    m.cbSize = sizeof m;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) {
      font.SetName(WideToGbk(m.lfMenuFont.lfFaceName));
      if (m.lfMenuFont.lfHeight) font.SetHeight(m.lfMenuFont.lfHeight);
      if (m.lfMenuFont.lfWeight >= FW_BOLD) font.SetStyle(fsBold);
    }
    read = true;
  }
  return font;
}

TacMenuItemPlace PlaceOf(const TsSkinableMenus& menus, const RECT& r, POINT origin, const TacBitmap* b, int extraWidth,
                         int firstColumn, const TItemPosition& pos, const TMenuItem* item) {
  TacMenuItemPlace p;
  p.Item = TacRect{r.left, r.top, r.right, r.bottom};
  p.Origin = TacPoint{origin.x, origin.y};
  p.BackgroundWidth = b ? b->Width() : 0;
  p.BackgroundHeight = b ? b->Height() : 0;
  p.BorderWidth = menus.BorderWidth;
  p.SkinBorderWidth = menus.CurrentSkinBorderWidth();
  p.ExtraLineWidth = extraWidth;
  p.FirstColumn = firstColumn;
  p.FirstVisible = pos.FirstVisible;
  p.LastVisible = pos.LastVisible;
  p.NextStartsColumn = pos.NextStartsColumn;
  p.HasBreak = item->Break != mbNone;
  return p;
}

}  // namespace

namespace {

void MakeGlyphFont(TFont& font, const char* face) {
  font.SetName(face);
  font.SetCharset(SYMBOL_CHARSET);
  font.SetHeight(-MulDiv(10, ScreenDpi(), 72));
}

// The face the platform really selects for the font has the character.
bool DrawsGlyph(const TFont& font, const char* face, char glyph) {
  TacWindowDC screen(nullptr);
  TacMemoryDC dc(screen.Get());
  TacSelectObject select(dc.Get(), font.Handle());
  wchar_t selected[LF_FACESIZE] = {};
  GetTextFaceW(dc.Get(), LF_FACESIZE, selected);
  if (GbkToWide(face) != selected) return false;
  const wchar_t c = static_cast<unsigned char>(glyph);
  WORD index = 0xFFFF;
  return GetGlyphIndicesW(dc.Get(), &c, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

const TFont& MarlettFont() {
  static TFont font;
  static bool made = false;
  if (!made) {
    MakeGlyphFont(font, "Marlett");
    made = true;
  }
  return font;
}

}  // namespace

const TFont& SystemMenuGlyphFont() {
  static TFont font;
  static bool made = false;
  if (!made) {
    MakeGlyphFont(font, "Webdings");
    made = true;
  }
  return font;
}

const TFont* SystemMenuGlyphFontFor(char glyph) {
  // Fonts do not come and go while the program runs: each glyph is looked up once.
  static std::vector<std::pair<char, const TFont*>> known;
  for (const auto& k : known)
    if (k.first == glyph) return k.second;
  const TFont* font = DrawsGlyph(SystemMenuGlyphFont(), "Webdings", glyph) ? &SystemMenuGlyphFont()
                      : DrawsGlyph(MarlettFont(), "Marlett", glyph)       ? &MarlettFont()
                                                                          : nullptr;
  known.emplace_back(glyph, font);
  return font;
}

// ---- the object

TsSkinableMenus* TsSkinableMenus::Of(TsSkinManager* manager) {
  if (!manager || manager->Destroying()) return nullptr;
  for (int i = 0; i < manager->ComponentCount(); ++i)
    if (auto* menus = dynamic_cast<TsSkinableMenus*>(manager->Components(i))) return menus;
  return new TsSkinableMenus(manager);
}

TsSkinableMenus::TsSkinableMenus(TsSkinManager* manager) : TComponent(manager), manager_(manager) {
  appHookId_ = Application->HookMainWindow([this](TMessage& m) { return ApplicationHook(m); });
}

TsSkinableMenus::~TsSkinableMenus() {
  if (appHookId_) Application->UnhookMainWindow(appHookId_);
  // The backgrounds were painted from this manager's skin.
  PopupBackgrounds().Clear();
}

bool TsSkinableMenus::SkinsPopups() const { return active_ && manager_->SkinnedPopups; }

int TsSkinableMenus::CurrentSkinBorderWidth() const {
  const int menu = manager_->GetSkinIndex("MAINMENU");
  const int mask = manager_->IsValidSkinIndex(menu) ? manager_->Sections[static_cast<size_t>(menu)].BorderIndex : -1;
  return ResolveSkinBorderWidth(SkinBorderWidth,
                                manager_->IsValidImgIndex(mask) ? &manager_->Masks[static_cast<size_t>(mask)] : nullptr);
}

int TsSkinableMenus::IconLineWidth() { return g_iconLineWidth; }

SIZE TsSkinableMenus::GlyphSize(const TMenuItem* item) {
  if (item->Bitmap) return SIZE{item->Bitmap->Width(), item->Bitmap->Height()};
  const TMenuItem* parent = item->Parent();
  if (parent && parent->SubMenuImages) return SIZE{parent->SubMenuImages->Width(), parent->SubMenuImages->Height()};
  if (const TPopupMenu* menu = item->Menu())
    if (menu->Images()) return SIZE{menu->Images()->Width(), menu->Images()->Height()};
  return SIZE{16, 16};
}

void TsSkinableMenus::UseMenuFont(TCanvas& canvas, const TMenuItem* item, bool bold) const {
  canvas.Font().Assign(PlatformMenuFont());
  if (bold) canvas.Font().SetStyle(canvas.Font().Style() | fsBold);
}

int TsSkinableMenus::ItemHeight(TMenuItem* item, TCanvas& canvas) {
  UseMenuFont(canvas, item, false);
  return MenuItemHeight(MenuItemType(item->Caption), canvas.TextExtent(std::string("W")).cy, GlyphSize(item).cy,
                        Margin);
}

// ---- activation

void TsSkinableMenus::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  const bool skinned = SkinsPopups();
  std::function<void(TComponent*)> walk = [&](TComponent* c) {
    for (int i = 0; i < c->ComponentCount(); ++i) {
      TComponent* part = c->Components(i);
      if (auto* menu = dynamic_cast<TPopupMenu*>(part))
        ApplyToMenu(menu, skinned);
      else if (!dynamic_cast<TMenuItem*>(part))
        walk(part);
    }
  };
  for (int i = 0; i < Application->FormCount(); ++i) {
    TForm* form = Application->Forms(i);
    if (!form->Destroying()) walk(form);
  }
}

void TsSkinableMenus::HookPopupMenu(TPopupMenu* menu) {
  SetActive(manager_->SkinData.Active);
  if (menu) ApplyToMenu(menu, SkinsPopups());
}

void TsSkinableMenus::ApplyToMenu(TPopupMenu* menu, bool skinned) {
  if (!skinned) {
    ReleaseMenu(*menu);
    return;
  }
  menu->OwnerDraw = true;
  ApplyToItems(menu->Items());
}

void TsSkinableMenus::ApplyToItems(TMenuItem* parent) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    // The program's own handlers stay.
    if (item->HandlersOwner == nullptr && !item->OnDrawItem && !item->OnMeasureItem) InstallHandlers(item);
    ApplyToItems(item);
  }
}

// ---- measuring

bool TsSkinableMenus::AskExtraLine(TMenuItem* firstItem, std::string& section, std::string& text) {
  section = "EXTRALINE";
  text = "Use OnGetExtraLineData event";
  if (askingExtraLine_ || IsSkinSelectPopup(firstItem)) return false;
  bool shown = true;
  if (manager_->OnGetMenuExtraLineData) {
    askingExtraLine_ = true;
    manager_->OnGetMenuExtraLineData(firstItem, section, text, shown);
    askingExtraLine_ = false;
  }
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return shown;
}

void TsSkinableMenus::MeasureMenuItem(TMenuItem* item, TCanvas& canvas, int& width, int& height) {
  if (!item || item->Destroying() || !manager_->SkinData.Active) return;
  TMenuItem* first = FirstItemOf(item);
  bool extraLine = false;
  if (TacPopupBackgroundEntry* e = PopupBackgrounds().FindByItem(first)) {
    extraLine = e->ExtraLine;
  } else {
    std::string section, text;
    extraLine = AskExtraLine(first, section, text);
  }
  height = ItemHeight(item, canvas);
  UseMenuFont(canvas, item, item->Default);
  const TsMenuItemType kind = MenuItemType(item->Caption);
  const std::string text = MeasuredMenuText(kind, item->Caption, ShortCutToText(item->ShortCut));
  int textWidth = 0;
  if (!text.empty()) {
    RECT m{0, 0, 0, 0};
    canvas.DrawText(text, m, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
    textWidth = m.right - m.left;
  }
  const int extraWidth =
      PopupExtraLineWidth(manager_->MenuSupport.UseExtraLine, manager_->MenuSupport.ExtraLineWidth, extraLine) *
      FirstColumn(Breaks(item->Parent()), PositionOf(item).Index);
  width = MenuItemWidth(GlyphSize(item).cx, textWidth, MenuSpacing(), extraWidth);
}

SIZE TsSkinableMenus::MenuSizeOf(TMenuItem* parent) {
  std::vector<TacMeasuredItem> items;
  TacWindowDC screen(nullptr);
  TCanvas canvas(screen.Get());
  for (int i = 0; parent && i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    TacMeasuredItem m;
    MeasureMenuItem(item, canvas, m.Width, m.Height);
    m.Visible = item->Visible;
    m.Break = item->Break != mbNone;
    items.push_back(m);
  }
  const TacMenuExtent e = PopupMenuSize(items, BorderWidth);
  return SIZE{e.Width, e.Height};
}

// ---- backgrounds and regions

TacPopupBackgroundEntry* TsSkinableMenus::FindPopupBackground(TMenuItem* item, HWND window, const SIZE* size) {
  TMenuItem* first = item ? FirstItemOf(item) : nullptr;
  TacPopupBackgroundEntry* e =
      first ? PopupBackgrounds().FindByItem(first) : item ? nullptr : PopupBackgrounds().FindByWindow(window);
  if (!e && size && first && size->cx > 0 && size->cy > 0) e = &BuildPopupBackground(first, window, size->cx, size->cy);
  return e;
}

TacPopupBackgroundEntry& TsSkinableMenus::BuildPopupBackground(TMenuItem* firstItem, HWND window, int width,
                                                               int height) {
  std::string section, text;
  const bool extraLine = AskExtraLine(firstItem, section, text);
  const TacMenuSupport& support = manager_->MenuSupport;
  g_iconLineWidth = MenuIconLineWidth(MenuSpacing(), GlyphSize(firstItem).cx);

  TacPopupBackgroundInput in;
  in.Width = width;
  in.Height = height;
  in.IconLineWidth = g_iconLineWidth;
  in.SkinBorderWidth = CurrentSkinBorderWidth();
  in.IcoLineSkin = support.IcoLineSkin.empty() ? "ICOLINE" : support.IcoLineSkin;
  in.ExtraLineWidth = PopupExtraLineWidth(support.UseExtraLine, support.ExtraLineWidth, extraLine);
  in.ExtraLineSkin = section;
  const TsSkinManager* manager = manager_;
  TacPopupBackgroundImage image = ComposePopupBackground(*manager_, in, [&](TacBitmap& e, int sec) {
    // The text runs upward from near the bottom of the line (there is no picture).
    HDC dc = KeptBitmapDC(e);
    if (!dc || text.empty()) return;
    const TFont& f = support.ExtraLineFont;
    LOGFONTW lf = {};
    lf.lfHeight = f.Height() < 0 ? MulDiv(-f.Height(), 72, ScreenDpi()) : f.Height();  // point size as cell height
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = (f.Style() & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (f.Style() & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (f.Style() & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfEscapement = lf.lfOrientation = -2700;
    lstrcpynW(lf.lfFaceName, GbkToWide(f.Name()).c_str(), LF_FACESIZE);
    TacFontHandle font = NewFont(lf);
    TacSavedDcState saved(dc);
    TacSelectObject select(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, manager->Sections[static_cast<size_t>(sec)].FontColor[0]);
    const std::wstring w = GbkToWide(text);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &extent);
    TextOutW(dc, (e.Width() - extent.cy) / 2, e.Height() - 12, w.c_str(), static_cast<int>(w.size()));
    GdiFlush();
  });
  TacPopupBackgroundEntry entry;
  entry.FirstItem = firstItem;
  entry.Bitmap = std::move(image.Bitmap);
  entry.Window = window;
  entry.ExtraLine = extraLine;
  entry.RegionRects = std::move(image.RegionRects);
  TacPopupBackgroundEntry& added = PopupBackgrounds().Add(std::move(entry));
  if (window) ApplyPopupRegion(window, added);
  return added;
}

void TsSkinableMenus::ApplyPopupRegion(HWND window, const TacPopupBackgroundEntry& entry) {
  if (applyingRegion_ || !window) return;
  applyingRegion_ = true;
  TakeOverPopupWindow(window);
  // Nothing cut: the window keeps its plain rectangle.
  if (entry.Bitmap && !entry.RegionRects.empty()) {
    std::vector<RECT> rects;
    for (const TacRect& r : PopupRegionKeptRects(entry.Bitmap->Width(), entry.Bitmap->Height(), entry.RegionRects))
      rects.push_back(RECT{r.Left, r.Top, r.Right, r.Bottom});
    SetWindowRegion(window, NewRegionFromRects(rects.data(), static_cast<DWORD>(rects.size())), true);
  }
  applyingRegion_ = false;
}

bool TsSkinableMenus::ApplicationHook(TMessage& m) {
  if (m.Msg == WM_ACPOPUPREGION_ITEM) {
    if (TMenuItem* item = LiveMenuItem(m.WParam)) {
      const TPopupMenu* menu = item->Menu();
      HMENU handle = menu ? menu->HandleOf(item->Parent()) : nullptr;
      RECT r;
      if (handle && GetMenuItemRect(nullptr, handle, 0, &r)) {
        HWND window = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        if (TacPopupBackgroundEntry* e = FindPopupBackground(item, nullptr, nullptr)) {
          e->Window = window;
          ApplyPopupRegion(window, *e);
        }
      }
    }
    m.Result = 0;
    return true;
  }
  if (m.Msg == WM_ACPOPUPREGION_WINDOW) {
    HWND window = reinterpret_cast<HWND>(m.WParam);
    if (TacPopupBackgroundEntry* e = PopupBackgrounds().FindByWindow(window)) ApplyPopupRegion(window, *e);
    m.Result = 0;
    return true;
  }
  return false;
}

// ---- drawing

void TsSkinableMenus::DrawMenuItem(TMenuItem* item, TCanvas& canvas, const RECT& r, UINT state) {
  if (!item || item->Destroying() || !manager_->SkinData.Active) return;
  // A control left hot under the menu is left for good.
  if (manager_->ActiveControl()) manager_->SetActiveControl(nullptr);

  HWND window = WindowFromDC(canvas.Handle());
  SIZE size{0, 0};
  POINT origin{BorderWidth, BorderWidth};
  if (window) {
    RECT wr;
    GetWindowRect(window, &wr);
    size = SIZE{wr.right - wr.left, wr.bottom - wr.top};
    origin = ClientOriginIn(window);
  } else {
    size = MenuSizeOf(item->Parent());
  }
  const TacPopupBackgroundEntry* entry = FindPopupBackground(item, window, &size);
  const TacBitmap* b = entry ? entry->Bitmap.get() : nullptr;
  const TacMenuSupport& support = manager_->MenuSupport;
  const int extraWidth =
      entry ? PopupExtraLineWidth(support.UseExtraLine, support.ExtraLineWidth, entry->ExtraLine) : 0;
  const TItemPosition pos = PositionOf(item);
  const int firstColumn = FirstColumn(Breaks(item->Parent()), pos.Index);
  const TacMenuItemPlace place = PlaceOf(*this, r, origin, b, extraWidth, firstColumn, pos, item);

  if (window && b) {
    TacWholeWindowDC dc(window);
    for (const TacRect& s : MenuFrameStrips(place)) CopyBitmapToDC(dc.Get(), s.Left, s.Top, *b, s);
  } else if (!window) {
    // The popup's window is not known here: its region follows once it is.
    HWND app = Application->UtilityWindow();
    MSG pending;
    if (!PeekMessageW(&pending, app, WM_ACPOPUPREGION_ITEM, WM_ACPOPUPREGION_WINDOW, PM_NOREMOVE))
      PostMessageW(app, WM_ACPOPUPREGION_ITEM, reinterpret_cast<WPARAM>(item), 0);
  }

  switch (MenuItemType(item->Caption)) {
    case smDivider:
      DrawDivider(canvas, r, b, origin, extraWidth);
      break;
    case smCaption:
      DrawCaption(item, canvas, r, b, origin, extraWidth);
      break;
    default:
      if (b)
        for (const TacBackgroundCopy& g : MenuItemGaps(place))
          CopyBitmapToDC(canvas.Handle(), g.To.X, g.To.Y, *b, g.From);
      DrawNormal(item, canvas, r, state, entry, origin, place.X0(), extraWidth);
      if (pos.Index == 0 && extraWidth > 0 && b) {
        const TacBackgroundCopy column = MenuExtraLineColumn(place);
        CopyBitmapToDC(canvas.Handle(), column.To.X, column.To.Y, *b, column.From);
      }
      break;
  }
  if (item->OnAdvancedDrawItem) item->OnAdvancedDrawItem(item, canvas, r, state);
}

void TsSkinableMenus::DrawNormal(TMenuItem* item, TCanvas& canvas, const RECT& r, UINT state,
                                 const TacPopupBackgroundEntry* entry, const POINT& origin, int x0, int extraWidth) {
  const int w = r.right - r.left, h = r.bottom - r.top, tw = w - x0;
  if (tw <= 0 || h <= 0) return;
  TacBitmapPtr t = NewDibBitmap(tw, h, TacPixelFormat::pf24bit);
  if (!t) return;
  const TacBitmap* b = entry ? entry->Bitmap.get() : nullptr;
  const bool enabled = item->Enabled;
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool hot = enabled && (selected || (state & ODS_HOTLIGHT));
  const int section = manager_->GetSkinIndex("MENUITEM");
  const TacPoint at{origin.x + x0 + r.left, origin.y + r.top};  // the background under t's origin
  if (manager_->IsValidSkinIndex(section))
    PaintItem(section, "MENUITEM", b ? ParentImageFromBitmap(b, origin.x, origin.y) : ParentImageFromColor(TransparentKey),
              -1, -1, manager_, t.get(), TacPoint{x0 + r.left, r.top}, TacRect{0, 0, tw, h},
              enabled && selected ? 1 : 0, true);

  // Check mark, image or system glyph in the icon column.
  const TacBitmap* listImage = ListImage(item);
  if ((state & ODS_CHECKED) && !item->Bitmap && !listImage) {
    const int gi = manager_->ConstData.IndexGlobalInfo;
    int mask = manager_->GetMaskIndex(gi, "GLOBALINFO", item->RadioItem ? "RADIOCHECKED" : "CHECK");
    if (mask < 0) mask = manager_->GetMaskIndex(gi, "GLOBALINFO", "BOXCHECKED");
    if (manager_->IsValidImgIndex(mask)) {
      const TsMaskData& m = manager_->Masks[static_cast<size_t>(mask)];
      DrawStateGlyph(t.get(), MenuCheckPlace(h, MaskFrameHeight(m), MenuSpacing()), enabled && selected ? 1 : 0, 1, m,
                     ParentImageFromBitmap(t.get(), 0, 0));
    }
  }
  const TacBitmap* image = listImage ? listImage : item->Bitmap.get();
  char glyph = 0;
  if (image) {
    const int d = MenuImageInset(h, image->Height());
    if (listImage && (state & ODS_CHECKED)) {
      const int pressed = manager_->GetSkinIndex("SPEEDBUTTON_SMALL");
      PaintItem(pressed, "SPEEDBUTTON_SMALL", ParentImageFromBitmap(t.get(), 0, 0), -1, -1, manager_, t.get(),
                TacPoint{d - 1, d - 1}, TacRect{d - 1, d - 1, d + image->Width() + 1, d + image->Height() + 1}, 2,
                true);
    }
    PutImage(t.get(), d, d, *image);
  } else if (InSystemMenu(item)) {
    glyph = SystemMenuGlyph(static_cast<long long>(item->Tag));
  }

  {
    TBitmapCanvas tc(*t);
    const TFont* glyphFont = glyph ? SystemMenuGlyphFontFor(glyph) : nullptr;
    if (glyphFont) {
      tc.Font().Assign(*glyphFont);
      const std::string g(1, glyph);
      DrawSectionText(tc, g, enabled, manager_, hot, section,
                      DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP,
                      MenuSystemGlyphRect(h, tc.TextExtent(g).cy));
    }
    UseMenuFont(tc, item, (state & ODS_DEFAULT) != 0 || item->Default);
    const TacRect caption = MenuCaptionRect(w, h, MenuSpacing(), GlyphSize(item).cx);
    const TacMenuCaption c = MenuCaptionLayout(item->Caption, TextAlign(Alignment));
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOCLIP | AlignFlag(c.Align) |
                        ((state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    DrawSectionText(tc, c.Text, enabled, manager_, hot, section, format, caption);
    const std::string shortcut = ShortCutToText(item->ShortCut);
    if (!shortcut.empty()) {
      RECT m{0, 0, 0, 0};
      tc.DrawText(shortcut, m, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
      DrawSectionText(tc, shortcut, enabled, manager_, hot, section, DT_SINGLELINE | DT_VCENTER,
                      MenuShortcutRect(caption, m.right - m.left, extraWidth));
    }
    if (OnDrawItem) OnDrawItem(item, tc, MenuItemType(item->Caption), state, RECT{0, 0, tw, h});
    GdiFlush();
  }
  // Disabled: 40 % item over 60 % background.
  if (!enabled && b) CopyBlendedRect(t.get(), 0, 0, TransparentKey, 0.4, TacRect{at.X, at.Y, at.X + tw - 1, at.Y + h - 1}, b);
  CopyBitmapToDC(canvas.Handle(), x0 + r.left, r.top, *t, TacRect{0, 0, tw, h});
}

void TsSkinableMenus::DrawDivider(TCanvas& canvas, const RECT& r, const TacBitmap* b, const POINT& origin,
                                  int extraWidth) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  const int section = manager_->GetSkinIndex("DIVIDERV");
  const int mask = manager_->IsValidSkinIndex(section) ? manager_->Sections[static_cast<size_t>(section)].BorderIndex : -1;
  if (!manager_->IsValidImgIndex(mask)) {
    const int y = r.top + h / 2 - 1;
    FillSolidRect(canvas.Handle(), TacRect{r.left, y, r.right, y + 1}, 0x808080);
    FillSolidRect(canvas.Handle(), TacRect{r.left, y + 1, r.right, y + 2}, 0xFFFFFF);
    return;
  }
  TacBitmapPtr d = NewBitmap24(w, h);
  if (!d) return;
  if (b) CopyBitmapRect(d.get(), 0, 0, b, TacRect{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y});
  DrawBorderMask(d.get(), MenuDividerSpan(w, h, MenuSpacing(), extraWidth, g_iconLineWidth), true, true, 0,
                 manager_->Masks[static_cast<size_t>(mask)], ParentImageFromBitmap(d.get(), 0, 0));
  CopyBitmapToDC(canvas.Handle(), r.left, r.top, *d, TacRect{0, 0, w, h});
}

void TsSkinableMenus::DrawCaption(TMenuItem* item, TCanvas& canvas, const RECT& r, const TacBitmap* b,
                                  const POINT& origin, int extraWidth) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  TacBitmapPtr d = NewDibBitmap(w, h, TacPixelFormat::pf24bit);
  if (!d) return;
  if (b) CopyBitmapRect(d.get(), 0, 0, b, TacRect{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y});
  const int toolbar = manager_->GetSkinIndex("TOOLBAR");
  if (manager_->IsValidSkinIndex(toolbar) && b)
    PaintItem(toolbar, "TOOLBAR", ParentImageFromBitmap(b, origin.x, origin.y), -1, -1, manager_, d.get(),
              TacPoint{r.left + extraWidth + 1, r.top + 1}, TacRect{extraWidth + 1, 1, w - 1, h - 1}, 0, true);
  {
    TBitmapCanvas tc(*d);
    tc.Font().Assign(CaptionFont);
    TsSkinManager* defaults = DefaultManager();
    const int colours = defaults ? defaults->GetSkinIndex("TOOLBAR") : -1;
    DrawSectionText(tc, CaptionItemText(item->Caption), true, defaults, false, colours,
                    DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_HIDEPREFIX, TacRect{extraWidth, 0, w, h});
    GdiFlush();
  }
  CopyBitmapToDC(canvas.Handle(), r.left, r.top, *d, TacRect{0, 0, w, h});
}
