#include "frame/acFormShow.h"

#include <windows.h>

#include "controls/sCommonData.h"
#include "frame/acAnimationPicture.h"
#include "frame/acAnimationSteps.h"
#include "frame/acBorderForm.h"
#include "frame/acFrameGeometry.h"
#include "frame/acWindowCapture.h"
#include "frame/sSkinProvider.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "paint/acPremultiply.h"

namespace {

constexpr UINT kShowFlags = SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW;  // 0x318

}  // namespace

bool AnimateFormShow(TsSkinProvider* provider, int timeMs, uint8_t targetOpacity, TacAnimType mode) {
  TacBorderForm* border = provider ? provider->BorderForm() : nullptr;
  TUpdateLayeredWindowFn update = LayeredWindowUpdater();
  TForm* form = provider ? provider->Form() : nullptr;
  if (!border || !border->BorderWindow() || !update || !form || !form->HandleAllocated()) return false;
  HWND bw = border->BorderWindow();
  HWND wnd = form->Handle();
  // The whole window as it will look, painted while nothing of it is on the screen.
  const bool wasActive = AnimationCaptureActive;
  AnimationCaptureActive = true;
  provider->SkinData().CacheDirty = true;
  provider->PaintFrameCache();
  const TacFrameModel m = provider->Model();
  TacBitmapPtr capture = provider->FrameCache()
                             ? CaptureWindowImage(*provider->FrameCache(), form, TacPoint{ClientOffsetX(m), ClientOffsetY(m)})
                             : nullptr;
  AnimationCaptureActive = wasActive;
  if (!capture) return false;
  PremultiplyAlpha(capture.get());
  const int w = capture->Width(), h = capture->Height();
  const POINT at = provider->FrameOriginOf(m);
  // The client too lies on the border window until the form is there.
  SetWindowRegion(bw, TacRegionHandle(), false);
  SetWindowLongW(bw, GWL_EXSTYLE, GetWindowLongW(bw, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  const bool topmost = (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  HWND front = GetWindow(wnd, GW_HWNDPREV);
  HWND insertAfter = topmost ? HWND_TOPMOST : (front ? front : HWND_TOP);
  const std::vector<TacAnimationStep> steps =
      ShowAnimationSteps(w, h, AnimationStepCount(timeMs), targetOpacity, mode, false);
  TacWindowDC screen(nullptr);
  if (!screen) return false;
  if (!SendLayeredPicture(update, bw, screen.Get(), &at, *capture, steps.empty() ? targetOpacity : 0)) return false;
  SetWindowPos(bw, HWND_TOP, at.x, at.y, w, h, kShowFlags | SWP_SHOWWINDOW);
  SetWindowPos(bw, insertAfter, at.x, at.y, w, h, kShowFlags);
  if (!steps.empty()) {
    TacBitmapPtr stepImage = NewBitmap32(w, h);
    if (stepImage && stepImage->Handle()) {
      for (const TacAnimationStep& step : steps) {
        DrawAnimationStep(*stepImage, *capture, step);
        SendLayeredPicture(update, bw, screen.Get(), &at, *stepImage, step.Opacity);
        Sleep(acAnimationStepMs);
      }
    }
    SendLayeredPicture(update, bw, screen.Get(), &at, *capture, targetOpacity);
  }
  return true;
}
