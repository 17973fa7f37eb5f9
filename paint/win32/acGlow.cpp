#include "paint/acGlow.h"

#include <cstring>

#include "paint/acDefaultSkin.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acGlowPlacement.h"
#include "paint/acLayeredWindow.h"
#include "paint/acPremultiply.h"
#include "paint/sBorderMask.h"

namespace {

const wchar_t kGlowWindowClass[] = L"TacGlowWindow";

}  // namespace

TacGlowEffect::TacGlowEffect(const TsSkinModel* manager) : Manager(manager) {}

TacGlowEffect::~TacGlowEffect() { FreeWindow(); }

void TacGlowEffect::PrepareBitmap(int width, int height) {
  Bitmap = NewDibBitmap(width, height, TacPixelFormat::pf32bit);
  if (!Bitmap) return;
  for (int y = 0; y < height; ++y) std::memset(Bitmap->Row(y), 0, static_cast<size_t>(width) * 4);
  if (Manager && Manager->IsValidImgIndex(MaskIndex))
    DrawBorderMask(Bitmap.get(), TacRect{0, 0, width, height}, false, false, 0,
                   Manager->Masks[static_cast<size_t>(MaskIndex)], EmptyParentImage);
}

void TacGlowEffect::GlowSubclass::WndProc(TMessage& m) {
  if (m.Msg == WM_NCHITTEST) {
    m.Result = HTTRANSPARENT;  // the mouse goes to what lies below
    return;
  }
  Inherited(m);
}

bool TacGlowEffect::Show(const TacRect& item, const TacRect& visible, HWND owner) {
  if (Window) return true;
  TUpdateLayeredWindowFn update = LayeredWindowUpdater();
  if (!update || !Manager || !Manager->IsValidImgIndex(MaskIndex) || !RegisterPictureWindowClass(kGlowWindowClass)) return false;
  const TsMaskData& mask = Manager->Masks[static_cast<size_t>(MaskIndex)];
  const TacGlowPlacement place = PlaceGlow(item, visible, GlowImageMargins(mask), Margin);
  if (place.Empty()) return false;

  PrepareBitmap(place.FullWidth, place.FullHeight);
  if (!Bitmap) return false;
  PremultiplyAlpha(Bitmap.get());

  if (owner && !IsWindow(owner)) owner = nullptr;
  Window = CreateWindowExW(0, kGlowWindowClass, L"", WS_POPUP, place.X, place.Y, place.Width, place.Height, owner,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!Window) {
    Bitmap.reset();
    return false;
  }
  if (!subclass_.Attach(Window)) {
    FreeWindow();
    Bitmap.reset();
    return false;
  }

  SetWindowPos(Window, nullptr, place.X, place.Y, place.Width, place.Height, SWP_NOACTIVATE | SWP_NOZORDER);
  if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST))
    SetWindowPos(Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowLongPtrW(Window, GWL_EXSTYLE,
                    GetWindowLongPtrW(Window, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TOOLWINDOW);

  bool shown = false;
  {
    TacWindowDC screen(nullptr);
    TacMemoryDC source(screen.Get());
    TacSelectObject picture(source.Get(), static_cast<HBITMAP>(Bitmap->Handle()));
    if (screen && source) {
      SIZE size = {place.Width, place.Height};
      POINT from = {place.CropLeft, place.CropTop};
      BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      shown = update(Window, screen.Get(), nullptr, &size, source.Get(), &from, 0, &blend, ULW_ALPHA) != FALSE;
    }
  }
  Bitmap.reset();
  if (!shown) {
    FreeWindow();
    return false;
  }
  ShowWindow(Window, SW_SHOWNOACTIVATE);
  return true;
}

void TacGlowEffect::FreeWindow() {
  if (!Window) return;
  HWND wnd = Window;
  Window = nullptr;
  subclass_.Detach();
  // Nothing of the glow runs inside its own window's messages, so it can go at once.
  DestroyWindow(wnd);
}

TacGlowEffects::~TacGlowEffects() { Clear(); }

int TacGlowEffects::Add(std::unique_ptr<TacGlowEffect> glow) {
  items_.push_back(std::move(glow));
  return static_cast<int>(items_.size()) - 1;
}

void TacGlowEffects::Hide(int id) {
  if (id < 0 || id >= Count()) return;
  items_[static_cast<size_t>(id)].reset();
}

void TacGlowEffects::Clear() { items_.clear(); }

TacGlowEffect* TacGlowEffects::Item(int id) const {
  if (id < 0 || id >= Count()) return nullptr;
  return items_[static_cast<size_t>(id)].get();
}

TacGlowEffects& GlowEffects() {
  static TacGlowEffects list;
  return list;
}

int ShowGlow(const TacRect& item, const TacRect& visible, const std::string& section, const std::string& propertyBase,
             int margin, int /*alpha*/, HWND owner, const TsSkinModel* manager) {
  if (!LayeredWindowUpdater()) return -1;
  const TsSkinModel* skin = manager ? manager : DefaultSkinModel();
  if (!skin) return -1;
  auto glow = std::make_unique<TacGlowEffect>(skin);
  glow->MaskIndex = skin->FindMask(section, propertyBase + "0");
  if (glow->MaskIndex < 0) return -1;
  glow->Margin = margin;
  if (!glow->Show(item, visible, owner)) return -1;
  return GlowEffects().Add(std::move(glow));
}

void HideGlow(int id) { GlowEffects().Hide(id); }

void ClearGlows() { GlowEffects().Clear(); }
