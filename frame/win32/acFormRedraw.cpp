#include "frame/acFormRedraw.h"

#include <windows.h>


#include "controls/sCommonData.h"
#include "frame/acAnimationPicture.h"
#include "frame/acAnimationSteps.h"
#include "frame/acBorderForm.h"
#include "frame/acFrameGeometry.h"
#include "frame/acWindowCapture.h"
#include "frame/sSkinProvider.h"
#include "framework/vclForm.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "paint/acPremultiply.h"

namespace {

const wchar_t kCoverClass[] = L"TacRedrawCover";

void Unfreeze(HWND wnd) {
  SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

}  // namespace

void AnimateFormRedraw(TForm* form, int timeMs, uint8_t targetOpacity, TacAnimType mode) {
  if (!form || !form->HandleAllocated()) return;
  HWND wnd = form->Handle();
  TsSkinProvider* provider = ProviderOfForm(form);
  TUpdateLayeredWindowFn update = LayeredWindowUpdater();
  if (!provider || !update || !RegisterPictureWindowClass(kCoverClass)) {
    Unfreeze(wnd);
    return;
  }
  // The new look, captured whole while nothing of it is on the screen yet.
  const bool wasActive = AnimationCaptureActive;
  AnimationCaptureActive = true;
  provider->PaintFrameCache();
  const TacFrameModel m = provider->Model();
  TacBitmapPtr capture = provider->FrameCache()
                             ? CaptureWindowImage(*provider->FrameCache(), form, TacPoint{ClientOffsetX(m), ClientOffsetY(m)})
                             : nullptr;
  TacBitmapPtr stepImage = capture ? NewBitmap32(capture->Width(), capture->Height()) : nullptr;
  if (!capture || !stepImage || !stepImage->Handle()) {
    AnimationCaptureActive = wasActive;
    Unfreeze(wnd);
    return;
  }
  PremultiplyAlpha(capture.get());
  const int w = capture->Width(), h = capture->Height();
  // Where the frame cache lies on the screen: the border window's place when the
  // frame is drawn there, with its shadow.
  const POINT origin = provider->FrameOrigin();
  const RECT wr{origin.x, origin.y, origin.x + w, origin.y + h};
  const bool topmost = (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  // Click-through and never active, where the form lies in the z-order.
  HWND cover = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE |
                                   (topmost ? WS_EX_TOPMOST : 0),
                               kCoverClass, L"", WS_POPUP, wr.left, wr.top, w, h, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (cover) {
    TacWindowDC screen(nullptr);
    const int n = AnimationStepCount(timeMs);
    const std::vector<TacAnimationStep> steps = ShowAnimationSteps(w, h, n, targetOpacity, mode, false);
    SendLayeredPicture(update, cover, screen.Get(), nullptr, *capture, steps.empty() ? targetOpacity : 0);
    HWND above = GetWindow(wnd, GW_HWNDPREV);
    SetWindowPos(cover, topmost ? HWND_TOPMOST : (above ? above : HWND_TOP), wr.left, wr.top, w, h,
                 SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
    for (const TacAnimationStep& step : steps) {
      DrawAnimationStep(*stepImage, *capture, step);
      SendLayeredPicture(update, cover, screen.Get(), nullptr, *stepImage, step.Opacity);
      Sleep(acAnimationStepMs);
    }
  }
  AnimationCaptureActive = wasActive;
  Unfreeze(wnd);
  // The border window takes the new look while the cover still shows it.
  if (TacBorderForm* border = provider->BorderForm()) border->UpdateBorder(true);
  if (cover) DestroyWindow(cover);
}

void AnimateSkinChange(TForm* form, int timeMs, TacAnimType mode) {
  // A form whose frame the provider does not draw shows the new look at once.
  const TsSkinProvider* provider = ProviderOfForm(form);
  if (provider && !provider->DrawNonClientArea()) {
    AnimateFormRedraw(form, 0, 255, atFading);
    return;
  }
  AnimateFormRedraw(form, timeMs, 255, mode);
}
