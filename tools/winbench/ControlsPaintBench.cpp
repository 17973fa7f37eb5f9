// Paint timings of the skinned main window, measured where they run: under the
// platform's own GDI. Each timing is reported beside a plain BitBlt of the same
// pixels measured in the same run, so the ratio holds on a busy or slow machine.
//   1. every cache of the main window rebuilt: each skinned control marked dirty
//      and printed (WM_PRINT rebuilds and copies its cache), against BitBlts of
//      the same rectangles;
//   2. one fade step of the 88 x 27 install button (blend and copy to its
//      window), against a BitBlt of 88 x 27 pixels to the same window;
//   3. a full rebuild of the frame cache, and one step of the close button's glow
//      fade (a layered window update), against BitBlts of as many pixels;
//   4. one step of the hide animation of the whole window (aero: shrunk; fading:
//      copied) sent to its layered window, against a BitBlt and a memcpy of the
//      window's pixels.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <functional>
#include <typeinfo>
#include <vector>

#include "app/uVqMainFrm.h"
#include "controls/sBitBtn.h"
#include "controls/sCommonData.h"
#include "controls/sFadeTimer.h"
#include "frame/acBorderForm.h"
#include "frame/acFrameGeometry.h"
#include "frame/acFrameHitTest.h"
#include "frame/acHideAnimation.h"
#include "frame/acTitleButtonAnimation.h"
#include "frame/acWindowCapture.h"
#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"
#include "framework/vclTextMemo.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "paint/sAlphaGraph.h"
#include "paint/sItemPaintGdi.h"
#include "skin/sCommandCodes.h"
#include "skin/sCommandMessages.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median time of one call, in microseconds, over `rounds` rounds of `calls` calls.
double MedianMicroseconds(const std::function<void()>& work, int rounds, int calls) {
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    const double start = Now();
    for (int i = 0; i < calls; ++i) work();
    GdiFlush();
    times.push_back((Now() - start) * 1e6 / calls);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void CollectSkinned(TWinControl* parent, std::vector<TWinControl*>& out) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->IsWindowed() || !c->Visible()) continue;
    TWinControl* w = static_cast<TWinControl*>(c);
    if (IsSkinAware(w)) out.push_back(w);
    CollectSkinned(w, out);
  }
}

void Pump() { Application->ProcessMessages(); }

// A hide timer whose ticks the benchmark runs itself, one per call.
struct SteppedHideTimer : TacHideTimer {
  using TacHideTimer::TacHideTimer;
  void Tick() { Timer(); }
};

// Bitmaps made through the installed allocator (DIB sections): each costs the
// platform a section and a mapping, so painting should make few of them.
TacBitmapAllocator dibAllocator = nullptr;
long allocations = 0;
TacBitmapPtr CountingAllocator(int width, int height, TacPixelFormat format) {
  ++allocations;
  return dibAllocator(width, height, format);
}

// Messages sent to windows of this thread (each a round through the platform's
// message machinery, which a direct call to the control's handler skips).
long sentMessages = 0;
LRESULT CALLBACK CountSent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) ++sentMessages;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

long MessagesSentBy(const std::function<void()>& work) {
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &CountSent, nullptr, GetCurrentThreadId());
  sentMessages = 0;
  work();
  if (hook) UnhookWindowsHookEx(hook);
  return hook ? sentMessages : -1;
}

}  // namespace

int main() {
  InstallDibBitmapAllocator();
  dibAllocator = SetBitmapAllocator(&CountingAllocator);
  Application->Initialize();
  TVqMainFrm* form = Application->CreateForm<TVqMainFrm>();
  form->Show();
  for (int i = 0; i < 50; ++i) {
    Pump();
    Sleep(10);
  }
  std::vector<TWinControl*> controls;
  CollectSkinned(form, controls);
  if (controls.empty()) {
    std::printf("no skinned control found: nothing to measure\n");
    return 1;
  }

  // What the controls' questions to their parent cost: a message sent through the
  // platform against the same command dispatched to the handler directly.
  {
    const double sent = MedianMicroseconds([&] { SendSkinCommand(form, SMC_ISINVALID); }, 9, 200);
    const double performed =
        MedianMicroseconds([&] { form->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_ISINVALID)), 0); }, 9, 200);
    TacBgRequest request;
    const double background = MedianMicroseconds(
        [&] {
          request = TacBgRequest();
          SendBgRequest(form->sbtbtn1, request, false);
        },
        9, 200);
    std::printf("a question to the form: sent %.2f us, dispatched directly %.2f us; a background request %.2f us\n",
                sent, performed, background);
  }
  // 1. Every cache of the main window.
  const int width = form->ClientWidth(), height = form->ClientHeight();
  TacWindowDC screen(nullptr);
  TacMemoryDC target(screen.Get()), source(screen.Get());
  TacBitmapHandle targetBitmap = NewCompatibleBitmap(screen.Get(), width, height);
  TacBitmapHandle sourceBitmap = NewCompatibleBitmap(screen.Get(), width, height);
  TacSelectObject targetSelected(target.Get(), targetBitmap.Get());
  TacSelectObject sourceSelected(source.Get(), sourceBitmap.Get());
  long pixels = 0;
  for (TWinControl* c : controls) pixels += static_cast<long>(c->Width()) * c->Height();
  // Each control is asked directly (a message sent through the platform costs tens of
  // microseconds under Wine, which is the platform's, not the rebuild's).
  auto rebuildOne = [&](TWinControl* c) {
    c->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_INVALIDATECACHE)), 0);
    POINT origin = c->ClientOrigin();
    TacSavedDcState saved(target.Get());
    SetViewportOrgEx(target.Get(), origin.x, origin.y, nullptr);
    c->Perform(WM_PRINT, reinterpret_cast<WPARAM>(target.Get()), PRF_CLIENT);
  };
  auto rebuildAll = [&] {
    for (TWinControl* c : controls) rebuildOne(c);
  };
  auto blitAll = [&] {
    for (TWinControl* c : controls) {
      POINT origin = c->ClientOrigin();
      BitBlt(target.Get(), origin.x, origin.y, c->Width(), c->Height(), source.Get(), origin.x, origin.y, SRCCOPY);
    }
  };
  rebuildAll();
  allocations = 0;
  rebuildAll();
  const long rebuildAllocations = allocations;
  const long rebuildMessages = MessagesSentBy(rebuildAll);
  const double caches = MedianMicroseconds(rebuildAll, 15, 20);
  const double cachesBlit = MedianMicroseconds(blitAll, 15, 200);
  // The same with every caption drawn afresh by GDI (nothing remembered), as after a
  // change of text, font, colour or background.
  SetTextMemoEnabled(false);
  const double cachesFresh = MedianMicroseconds(rebuildAll, 15, 20);
  SetTextMemoEnabled(true);
  const TacTextMemoStats memo = TextMemoStats();

  // 2. One fade step of the install button.
  TsBitBtn* button = form->sbtbtn1;
  button->SetEnabled(true);
  button->SkinData().MouseOver = false;
  Pump();
  button->Perform(CM_MOUSEENTER);
  TsFadeTimer* fade = button->FadeTimer();
  double step = 0, stepBlit = 0;
  long stepAllocations = 0, stepMessages = 0;
  if (fade) {
    fade->SetEnabled(false);  // the steps are driven here, not by the timer
    auto oneStep = [&] {
      fade->StepIndex = 1;
      fade->FadeStep();
    };
    TacWindowDC buttonDC(button->Handle());
    auto blitButton = [&] {
      BitBlt(buttonDC.Get(), 0, 0, button->Width(), button->Height(), source.Get(), 0, 0, SRCCOPY);
    };
    // The parts a step cannot do without, each on its own.
    // The steps are 32-bit, the screen's format.
    TacBitmapPtr stepImage = NewDibBitmap(button->Width(), button->Height(), TacPixelFormat::pf32bit);
    TacBitmapPtr startImage = NewDibBitmap(button->Width(), button->Height(), TacPixelFormat::pf32bit);
    TacBitmapPtr endImage = NewDibBitmap(button->Width(), button->Height(), TacPixelFormat::pf32bit);
    const double blend = MedianMicroseconds(
        [&] { BlendEqualBitmapsInto(stepImage.get(), startImage.get(), endImage.get(), 100); }, 15, 1000);
    const double getDC = MedianMicroseconds([&] { TacWindowDC dc(button->Handle()); }, 15, 200);
    const double copy = MedianMicroseconds(
        [&] { CopyBitmapToDC(buttonDC.Get(), 0, 0, *stepImage, TacRect{0, 0, stepImage->Width(), stepImage->Height()}); },
        15, 200);
    std::printf("parts of a step: blend %.2f us, window DC taken and given back %.2f us, DIB bits to the window %.2f us\n",
                blend, getDC, copy);
    oneStep();
    allocations = 0;
    oneStep();
    stepAllocations = allocations;
    stepMessages = MessagesSentBy(oneStep);
    step = MedianMicroseconds(oneStep, 15, 100);
    stepBlit = MedianMicroseconds(blitButton, 15, 1000);
  }

  // 3. The frame: a full rebuild of the main window's frame cache, and one step of a
  // title button's fade (the close button's glow), each beside a BitBlt of as many
  // pixels in the same run.
  double frame = 0, frameBlit = 0, glowStep = 0, glowBlit = 0, borderSend = 0;
  bool borderShown = false;
  int frameW = 0, frameH = 0, glowW = 0, glowH = 0;
  if (TsSkinProvider* provider = ProviderOfForm(form)) {
    auto rebuildFrame = [&] {
      provider->FreeFrameCache();
      provider->PaintFrameCache();
    };
    rebuildFrame();
    if (const TacBitmap* cache = provider->FrameCache()) {
      frameW = cache->Width();
      frameH = cache->Height();
      frame = MedianMicroseconds(rebuildFrame, 15, 10);
      frameBlit = MedianMicroseconds(
          [&] { BitBlt(target.Get(), 0, 0, std::min(frameW, width), std::min(frameH, height), source.Get(), 0, 0, SRCCOPY); },
          15, 200);
      // BitBlt covers at most the client-sized target: scale to the frame's pixels.
      frameBlit *= static_cast<double>(frameW) * frameH /
                   (static_cast<double>(std::min(frameW, width)) * std::min(frameH, height));
      // With extended borders the cache is the border window's image: composed with
      // the shadow, then premultiplied and handed to the platform in one update.
      if (TacBorderForm* border = provider->BorderForm()) {
        borderSend = MedianMicroseconds(
            [&] {
              provider->FreeFrameCache();
              border->UpdateBorder(true);
            },
            15, 10);
        borderShown = true;
      }
    }
    // A fade of a picture of the close button's glow size (44 x 34 in our skin), shown
    // in its layered window at the button's place; each call is one step.
    const TsButtonRecord& close = provider->Button(2);
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    glowW = close.R.Width() + 12;
    glowH = close.R.Height() + 12;
    TacBitmapPtr picture = NewDibBitmap(glowW, glowH, TacPixelFormat::pf32bit);
    if (picture) {
      for (int y = 0; y < glowH; ++y)
        for (int x = 0; x < glowW; ++x) {
          uint8_t* p = picture->Pixel(x, y);
          p[0] = 40, p[1] = 40, p[2] = 220, p[3] = static_cast<uint8_t>(128 + (x + y) % 128);
        }
      TacSBAnimation fade(nullptr, form->Handle());
      fade.ChangeTo(1, std::move(picture), POINT{wr.left + close.R.Left - 6, wr.top + close.R.Top - 6});
      fade.SetEnabled(false);
      glowStep = MedianMicroseconds(
          [&] {
            if (fade.Opacity() >= 225) fade.ChangeTo(1, nullptr, POINT{});  // again from the first step
            fade.SetEnabled(false);
            fade.Step();
          },
          15, 100);
      TacWindowDC formDC(form->Handle());
      glowBlit = MedianMicroseconds(
          [&] { BitBlt(formDC.Get(), 0, 0, glowW, glowH, source.Get(), 0, 0, SRCCOPY); }, 15, 1000);
    }
  }

  // 4. The hide animation: the window captured once, then single steps of a long hide
  // (so that no step is the last) in each mode.
  double hideStep[2] = {0, 0}, hideBlit = 0, hideCopy = 0, hideUpdate = 0;
  int hideW = 0, hideH = 0;
  if (TsSkinProvider* provider = ProviderOfForm(form)) {
    provider->PaintFrameCache();
    const TacFrameModel m = provider->Model();
    TacBitmapPtr shot = provider->FrameCache()
                            ? CaptureWindowImage(*provider->FrameCache(), form, TacPoint{ClientOffsetX(m), ClientOffsetY(m)})
                            : nullptr;
    if (shot) {
      hideW = shot->Width();
      hideH = shot->Height();
      RECT wr;
      GetWindowRect(form->Handle(), &wr);
      for (int mode = 0; mode < 2; ++mode) {
        SteppedHideTimer hide(nullptr);
        TacBitmapPtr copy = NewBitmap32(hideW, hideH);
        for (int y = 0; y < hideH; ++y) std::memcpy(copy->Row(y), shot->Row(y), static_cast<size_t>(hideW) * 4);
        hide.Start(std::move(copy), POINT{wr.left, wr.top}, 10000000, mode ? atAero : atFading, 255, false);
        hide.SetEnabled(false);  // no ticks of its own while we step it
        if (hide.Running()) hideStep[mode] = MedianMicroseconds([&] { hide.Tick(); }, 15, 20);
        hide.Drop();
      }
      TacBitmapPtr screenCopy = NewDibBitmap(hideW, hideH, TacPixelFormat::pf32bit);
      TacMemoryDC from(screen.Get());
      TacSelectObject fromSelected(from.Get(), static_cast<HBITMAP>(shot->Handle()));
      // What a step cannot go below: the platform taking a picture of that size for a
      // layered window, with nothing computed.
      if (TUpdateLayeredWindowFn update = LayeredWindowUpdater();
          update && RegisterPictureWindowClass(L"BenchLayeredWindow")) {
        HWND layered = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                       L"BenchLayeredWindow", L"", WS_POPUP, wr.left, wr.top, hideW, hideH, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(layered, SW_SHOWNOACTIVATE);
        POINT at{wr.left, wr.top}, zero{0, 0};
        SIZE size{hideW, hideH};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, AC_SRC_ALPHA};
        hideUpdate = MedianMicroseconds(
            [&] { update(layered, screen.Get(), &at, &size, from.Get(), &zero, 0, &blend, ULW_ALPHA); }, 15, 20);
        DestroyWindow(layered);
      }
      TacWindowDC formDC(form->Handle());
      hideBlit = MedianMicroseconds([&] { BitBlt(formDC.Get(), 0, 0, hideW, hideH, from.Get(), 0, 0, SRCCOPY); }, 15, 200);
      hideCopy = MedianMicroseconds(
          [&] {
            for (int y = 0; y < hideH; ++y)
              std::memcpy(screenCopy->Row(y), shot->Row(y), static_cast<size_t>(hideW) * 4);
          },
          15, 200);
    }
  }

  std::printf("skinned controls of the main window: %zu (%ld pixels)\n", controls.size(), pixels);
  std::printf("bitmaps made through the allocator: %ld per rebuild of every cache, %ld per fade step\n",
              rebuildAllocations, stepAllocations);
  std::printf("messages sent to windows: %ld per rebuild of every cache, %ld per fade step\n", rebuildMessages,
              stepMessages);
  // Where the time of the rebuild goes: each control on its own.
  for (TWinControl* c : controls) {
    std::printf("  %-14s %3dx%-3d %7.1f us\n", typeid(*c).name(), c->Width(), c->Height(),
                MedianMicroseconds([&] { rebuildOne(c); }, 9, 10));
  }
  std::printf("every cache rebuilt and printed: %.1f us; BitBlt of the same pixels: %.2f us; ratio %.1f (goal <= 20)\n",
              caches, cachesBlit, caches / cachesBlit);
  std::printf("  with every caption drawn afresh: %.1f us, ratio %.1f; remembered drawings: %zu (%zu bytes)\n",
              cachesFresh, cachesFresh / cachesBlit, memo.Entries, memo.Bytes);
  if (fade)
    std::printf("fade step of the %dx%d install button: %.1f us; BitBlt of the same pixels: %.2f us; ratio %.1f "
                "(goal <= 5)\n",
                button->Width(), button->Height(), step, stepBlit, step / stepBlit);
  else
    std::printf("the install button started no fade: fade step not measured\n");
  if (frame > 0)
    std::printf("frame cache of %dx%d rebuilt: %.1f us; BitBlt of as many pixels: %.2f us; ratio %.1f\n", frameW,
                frameH, frame, frameBlit, frame / frameBlit);
  if (borderShown)
    std::printf("border window image of %dx%d (frame cache with its shadow) composed, premultiplied and handed to "
                "the platform: %.1f us; BitBlt of as many pixels: %.2f us; ratio %.1f (composing alone: the frame "
                "cache above)\n",
                frameW, frameH, borderSend, frameBlit, frameBlit > 0 ? borderSend / frameBlit : 0.0);
  if (glowStep > 0)
    std::printf("title-button fade step (%dx%d glow): %.1f us; BitBlt of the same pixels: %.2f us; ratio %.1f\n",
                glowW, glowH, glowStep, glowBlit, glowStep / glowBlit);
  const char* modes[2] = {"fading", "aero"};
  for (int mode = 0; mode < 2; ++mode)
    if (hideStep[mode] > 0)
      std::printf("hide animation step (%s, %dx%d window): %.1f us; BitBlt of the same pixels: %.2f us, ratio %.1f; "
                  "memcpy: %.2f us, ratio %.1f\n",
                  modes[mode], hideW, hideH, hideStep[mode], hideBlit, hideStep[mode] / hideBlit, hideCopy,
                  hideStep[mode] / hideCopy);
  if (hideUpdate > 0)
    std::printf("  of which the platform's layered-window update of that picture alone: %.1f us\n", hideUpdate);
  delete form;
  return fade ? 0 : 1;
}
