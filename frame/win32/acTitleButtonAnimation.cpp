#include "frame/acTitleButtonAnimation.h"

#include <algorithm>

#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "paint/acPremultiply.h"

namespace {

const wchar_t kWindowClass[] = L"TacTitleButtonAnimation";

constexpr int kStepAlpha = 255 / TacSBAnimation::kSteps;

}  // namespace

TacSBAnimation::TacSBAnimation(TComponent* owner, HWND form) : TTimer(owner), form_(form) {
  SetEnabled(false);
  SetInterval(kInterval);
  SetOnTimer([](TComponent*) {});  // the tick is Timer's own
}

TacSBAnimation::~TacSBAnimation() { FreeWindow(); }

void TacSBAnimation::ChangeTo(int state, TacBitmapPtr picture, POINT screen) {
  if (picture && picture->Format() == TacPixelFormat::pf32bit) {
    PremultiplyAlpha(picture.get());
    picture_ = std::move(picture);
    at_ = screen;
    uploaded_ = false;
  }
  target_ = state;
  if (!picture_) {
    SetEnabled(false);
    FreeWindow();
    return;
  }
  switch (state) {
    case 1:
      opacity_ = kStepAlpha;  // the first of the steps
      Show();
      SetEnabled(true);
      break;
    case 2:
      opacity_ = 255;
      Show();
      SetEnabled(false);
      break;
    default:
      SetEnabled(true);
      Step();
      break;
  }
}

void TacSBAnimation::Step() {
  if (target_ == 1) {
    opacity_ = std::min(255, opacity_ + kStepAlpha);
    if (opacity_ >= kStepAlpha * kSteps) {
      opacity_ = 255;
      SetEnabled(false);
      Show();
      if (PointerInside && !PointerInside() && OnPointerLeft) OnPointerLeft();
      return;
    }
    Show();
    return;
  }
  if (target_ == 0) {
    opacity_ = std::max(0, opacity_ - kStepAlpha);
    if (opacity_ == 0) {
      SetEnabled(false);
      FreeWindow();
      picture_.reset();
      target_ = -1;
      return;
    }
    Show();
    return;
  }
  SetEnabled(false);
}

bool TacSBAnimation::EnsureWindow() {
  if (window_ && IsWindow(window_)) return true;
  window_ = nullptr;
  if (!picture_ || !LayeredWindowUpdater() || !RegisterPictureWindowClass(kWindowClass)) return false;
  // Click-through and never active: the form below keeps the pointer and the focus.
  window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWindowClass,
                            L"", WS_POPUP, at_.x, at_.y, picture_->Width(), picture_->Height(), nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  return window_ != nullptr;
}

void TacSBAnimation::FollowForm() {
  if (!window_ || !form_) return;
  HWND above = GetWindow(form_, GW_HWNDPREV);
  if (above == window_) return;
  SetWindowPos(window_, above ? above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void TacSBAnimation::Show() {
  if (!EnsureWindow()) return;
  TUpdateLayeredWindowFn update = LayeredWindowUpdater();
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity_), AC_SRC_ALPHA};
  // The picture is on the window already: a step changes its opacity only.
  if (uploaded_ && update && update(window_, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA))
    return;
  TacWindowDC screen(nullptr);
  TacMemoryDC source(screen.Get());
  if (!update || !screen || !source) return;
  TacSelectObject selected(source.Get(), static_cast<HBITMAP>(picture_->Handle()));
  POINT at = at_, from{0, 0};
  SIZE size{picture_->Width(), picture_->Height()};
  uploaded_ = update(window_, screen.Get(), &at, &size, source.Get(), &from, 0, &blend, ULW_ALPHA) != FALSE;
  if (!IsWindowVisible(window_)) {
    FollowForm();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
}

void TacSBAnimation::FreeWindow() {
  if (!window_) return;
  HWND w = window_;
  window_ = nullptr;
  uploaded_ = false;
  DestroyWindow(w);
}
