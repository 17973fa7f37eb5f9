#include "frame/acHideAnimation.h"

#include <cstring>

#include "framework/vclApplication.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "paint/acPremultiply.h"
#include "paint/acStretch.h"

namespace {

const wchar_t kWindowClass[] = L"TacHideAnimation";

void CopyPixels(TacBitmap& to, const TacBitmap& from) {
  const size_t bytes = static_cast<size_t>(from.Width()) * 4;
  for (int y = 0; y < from.Height(); ++y) std::memcpy(to.Row(y), from.Row(y), bytes);
}

void ClearPixels(TacBitmap& b) {
  const size_t bytes = static_cast<size_t>(b.Width()) * 4;
  for (int y = 0; y < b.Height(); ++y) std::memset(b.Row(y), 0, bytes);
}

}  // namespace

TacHideTimer::TacHideTimer(TComponent* owner) : TacThreadedTimer(owner) {
  SetEnabled(false);
  SetInterval(kInterval);
}

TacHideTimer::~TacHideTimer() { Drop(); }

void TacHideTimer::Drop() {
  SetEnabled(false);
  SetOnTimer(nullptr);  // idle: the worker waits without ticking
  if (window_) {
    HWND w = window_;
    window_ = nullptr;
    DestroyWindow(w);
  }
  snapshot_.reset();
  step_.reset();
  steps_.clear();
  tick_ = 0;
}

void TacHideTimer::Start(TacBitmapPtr snapshot, POINT at, int timeMs, TacAnimType mode, uint8_t startOpacity,
                         bool runToEnd) {
  Drop();
  const int n = AnimationStepCount(timeMs);
  TUpdateLayeredWindowFn update = LayeredWindowUpdater();
  if (n == 0 || !snapshot || snapshot->Format() != TacPixelFormat::pf32bit || snapshot->Width() <= 0 ||
      snapshot->Height() <= 0 || !update || !RegisterPictureWindowClass(kWindowClass))
    return;
  const int w = snapshot->Width(), h = snapshot->Height();
  step_ = NewBitmap32(w, h);
  if (!step_) return;
  PremultiplyAlpha(snapshot.get());
  snapshot_ = std::move(snapshot);
  steps_ = HideAnimationSteps(w, h, n, startOpacity, mode);
  at_ = at;
  // Click-through and never active: the window below has the pointer and the focus
  // already; topmost, since the window it stands for has gone from the z-order.
  window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST,
                            kWindowClass, L"", WS_POPUP, at.x, at.y, w, h, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) {
    Drop();
    return;
  }
  Send(HideInitialOpacity(startOpacity), *snapshot_);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  SetWindowPos(window_, HWND_TOPMOST, at.x, at.y, w, h,
               SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);
  tick_ = 0;
  if (runToEnd) {
    // No timer message would come any more: all ticks now, at their pace.
    while (window_) {
      Timer();
      if (window_) Sleep(kInterval);
    }
    return;
  }
  Timer();
  SetOnTimer([](TComponent*) {});  // the tick is Timer's own; a handler lets the worker fire
  SetEnabled(true);
}

void TacHideTimer::Timer() {
  if (!window_) return;
  if (tick_ >= static_cast<int>(steps_.size())) {
    Drop();
    return;
  }
  const TacAnimationStep& step = steps_[static_cast<size_t>(tick_)];
  if (step.Clear) ClearPixels(*step_);
  if (step.Whole) {
    if (step.Redraw) CopyPixels(*step_, *snapshot_);
  } else {
    StretchNearest(step_.get(), step.Place, snapshot_.get(), TacRect{0, 0, snapshot_->Width(), snapshot_->Height()});
  }
  Send(step.Opacity, *step_);
  ++tick_;
  if (OnStep) OnStep(step);
}

void TacHideTimer::Send(BYTE opacity, const TacBitmap& picture) {
  TUpdateLayeredWindowFn update = LayeredWindowUpdater();
  TacWindowDC screen(nullptr);
  TacMemoryDC source(screen.Get());
  if (!update || !screen || !source || !picture.Handle()) return;
  TacSelectObject selected(source.Get(), static_cast<HBITMAP>(picture.Handle()));
  POINT at = at_, from{0, 0};
  SIZE size{picture.Width(), picture.Height()};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
  update(window_, screen.Get(), &at, &size, source.Get(), &from, 0, &blend, ULW_ALPHA);
}

TacHideTimer& HideTimer() {
  static TacHideTimer* timer = new TacHideTimer(GetApplication());
  return *timer;
}

void StartHideAnimation(TacBitmapPtr snapshot, POINT at, int timeMs, TacAnimType mode, uint8_t startOpacity) {
  TApplication* app = GetApplication();
  HideTimer().Start(std::move(snapshot), at, timeMs, mode, startOpacity, app && app->Terminated());
}
