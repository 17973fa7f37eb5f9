#include "controls/sFadeTimer.h"

#include <algorithm>

#include "controls/sCommonData.h"
#include "framework/vclApplication.h"
#include "framework/vclGuard.h"
#include "framework/vclWinControl.h"
#include "paint/acBlockCopy.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/sAlphaGraph.h"
#include "paint/sItemPaintGdi.h"
#include "skin/sCommandCodes.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

int FadeTimerCount = 0;
bool ShutdownPending = false;
bool SkinChangeInProgress = false;

namespace {

constexpr unsigned kFadeInterval = 10;

LRESULT SendDirect(TControl* control, int code, LPARAM lParam = 0) {
  return control->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(code)), lParam);
}

// A 32-bit device-independent image of the given size (null for an empty one).
TacBitmapPtr New32(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  TacBitmapPtr image = NewDibBitmap(width, height, TacPixelFormat::pf32bit);
  return image ? std::move(image) : NewMemoryBitmap(width, height, TacPixelFormat::pf32bit);
}

// The colour bytes of src into copy, a 32-bit image of src's size; the fourth byte
// is 0 (the steps go to ordinary windows, which ignore it).
void CopyInto32(TacBitmap* copy, const TacBitmap* src) {
  if (src->Format() == TacPixelFormat::pf32bit) {
    CopyBitmapRect(copy, 0, 0, src, TacRect{0, 0, src->Width(), src->Height()});
    return;
  }
  for (int y = 0; y < src->Height(); ++y) {
    const uint8_t* s = src->Row(y);
    uint8_t* d = copy->Row(y);
    for (int x = 0; x < src->Width(); ++x, s += 3, d += 4) {
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
      d[3] = 0;
    }
  }
}

// A 32-bit device-independent copy of a bitmap (null for none or an empty one).
TacBitmapPtr Copy32(const TacBitmap* src) {
  if (!src) return nullptr;
  TacBitmapPtr copy = New32(src->Width(), src->Height());
  if (copy) CopyInto32(copy.get(), src);
  return copy;
}

const TsGeneralData* SectionOf(const TsCommonData& binding) {
  TsSkinManager* m = binding.SkinManager();
  if (!m || !m->IsValidSkinIndex(binding.SectionIndex())) return nullptr;
  return &m->Sections[static_cast<size_t>(binding.SectionIndex())];
}

void StartFade(TsFadeTimer*& timer, TsCommonData& binding, bool halve, int direction) {
  const TsGeneralData* s = SectionOf(binding);
  TControl* control = binding.HostControl();
  if (!s || !s->FadingEnabled || !control) return;
  const int iterations = s->FadingIterations;
  const uint8_t previous = timer ? timer->FadeDirection : 0;
  if (!timer) {
    timer = new TsFadeTimer(control);
    timer->StepIndex = 1;
  } else {
    timer->StepIndex = iterations;
  }
  timer->Binding = &binding;
  TacBitmap* cache = binding.CacheBitmap();
  if (binding.CacheDirty && (!cache || cache->Width() <= 0 || cache->Height() <= 0)) {
    // Nothing to start from yet: the control builds its current look first.
    SendSkinCommand(control, SMC_BUILDCACHE);
    cache = binding.CacheBitmap();
  }
  timer->StartImage = Copy32(cache);
  timer->SetInterval(kFadeInterval);

  timer->StepCount = iterations;
  if (previous == 1)
    timer->StepCount = timer->StepIndex;
  else if (previous == 2)
    timer->StepCount = timer->StepCount - timer->StepIndex;
  if (halve) timer->StepCount /= 2;
  if (timer->StepIndex >= timer->StepCount || timer->StepIndex <= 0) timer->StepIndex = 1;

  SendDirect(control, SMC_BUILDCACHE);

  timer->FadeDirection = static_cast<uint8_t>(direction);
  if (timer->StepIndex < 0) timer->StepIndex = 1;
  timer->SetEnabled(direction != 0);
}

}  // namespace

TsFadeTimer::TsFadeTimer(TControl* owner) : TTimer(owner), control_(owner) {
  ++FadeTimerCount;
  SetEnabled(false);
  SetInterval(kFadeInterval);
  // The tick is this class' own; the base timer runs only with a handler.
  SetOnTimer([](TComponent*) {});
}

TsFadeTimer::~TsFadeTimer() { --FadeTimerCount; }

bool TsFadeTimer::Finished() {
  if (!Binding || !control_ || control_->Destroying() || Destroying() || Application->Terminated()) {
    FadeDirection = 0;
    return false;
  }
  if (StepIndex > StepCount || StepIndex < 0) {
    // The control frees this timer here: nothing of it is touched afterwards.
    TControl* control = control_;
    return Guarded(TGuardReport::Swallow, [control] { SendDirect(control, SMC_STOPANIMATIONS); });
  }
  return false;
}

TacBitmap* TsFadeTimer::StepImage(int width, int height) {
  if (!stepImage_ || stepImage_->Width() != width || stepImage_->Height() != height) stepImage_ = New32(width, height);
  return stepImage_.get();
}

const TacBitmap* TsFadeTimer::TargetImage(const TacBitmap& cache) {
  const unsigned generation = Binding ? Binding->CacheGeneration() : 0;
  if (!targetImage_ || targetOf_ != &cache || targetGeneration_ != generation ||
      targetImage_->Width() != cache.Width() || targetImage_->Height() != cache.Height()) {
    targetImage_ = Copy32(&cache);
    targetOf_ = &cache;
    targetGeneration_ = generation;
  }
  return targetImage_.get();
}

bool TsFadeTimer::Running() const {
  return Enabled() && FadeDirection != 0 && StepCount > 0 && StepIndex >= 0 && StepIndex <= StepCount;
}

void TsFadeTimer::Timer() {
  if (!Binding || Destroying()) return;
  if (Finished()) return;
  if (ShutdownPending) {
    // The session is ending and waits for the fades: show the final image and end now.
    if (!control_ || control_->Destroying() || FadeDirection == 0) return;
    control_->Invalidate();
    StepCount = 0;
    StepIndex = 1;
    Finished();
    return;
  }
  if (FadeDirection == 1 || FadeDirection == 2) FadeStep();
}

void TsFadeTimer::FadeStep() {
  if (!control_ || control_->Destroying() || StepCount == 0 || ShutdownPending || !Binding) return;
  if (!control_->Enabled()) {
    // The final look at once. The timer stays enabled so that its next tick ends it
    // (Running is false meanwhile, so the control paints itself).
    StepCount = 0;
    StepIndex = 1;
    Binding->RequestRepaint();
    return;
  }
  const int k = std::clamp(255 - (StepIndex * 256 / StepCount), 0, 255);
  TacBitmap* cache = Binding->CacheBitmap();
  TacBitmap* step = nullptr;
  // Weight 0 is the new image alone: the blend's rounding would leave it a shade
  // darker on screen until the next repaint.
  if (k > 0 && StartImage && cache && StartImage->Width() == cache->Width() &&
      StartImage->Height() == cache->Height()) {
    step = StepImage(StartImage->Width(), StartImage->Height());
    const TacBitmap* target = TargetImage(*cache);
    if (step && target) BlendEqualBitmapsInto(step, StartImage.get(), target, static_cast<uint8_t>(k));
  } else if (cache) {
    // The last step, or the control changed its size meanwhile: the new image alone.
    step = StepImage(cache->Width(), cache->Height());
    if (step) CopyInto32(step, cache);
  }
  auto* windowed = dynamic_cast<TWinControl*>(control_);
  if (step && windowed && windowed->HandleAllocated()) {
    // The window's DC serves every step of the fade (the steps only copy bits into
    // it: no state to save); it is given back with the timer.
    if (!windowDC_ || windowOfDC_ != windowed->Handle()) {
      windowDC_.reset();
      windowDC_ = std::make_unique<TacWindowDC>(windowed->Handle());
      windowOfDC_ = windowed->Handle();
    }
    if (*windowDC_) {
      if (!control_->Destroying() && StepCount != 0 &&
          SendDirect(control_, SMC_FREEREGION, reinterpret_cast<LPARAM>(step)) == 0)
        CopyBitmapToDC(windowDC_->Get(), 0, 0, *step, TacRect{0, 0, step->Width(), step->Height()});
    }
  }
  ++StepIndex;
}

bool AnimationAllowed(TacAnimatEvent event, TacAnimatEvents controlEvents, const TsSkinManager* manager) {
  if (controlEvents & event) return true;
  if (!(controlEvents & aeGlobalDef)) return false;
  const TsSkinManager* m = manager ? manager : DefaultManager();
  if (!m) return false;
  TacBtnEvent be;
  switch (event) {
    case aeMouseEnter:
      be = beMouseEnter;
      break;
    case aeMouseLeave:
      be = beMouseLeave;
      break;
    case aeMouseDown:
      be = beMouseDown;
      break;
    case aeMouseUp:
      be = beMouseUp;
      break;
    default:
      return false;
  }
  return (m->AnimEffects.Buttons.Events & be) != 0;
}

void ChangeStateImage(TsFadeTimer*& timer, TsCommonData& binding, bool halve, int direction, bool allowed) {
  if (!binding.IsSkinned()) return;
  TControl* control = binding.HostControl();
  const TsGeneralData* s = SectionOf(binding);
  if (allowed && !SkinChangeInProgress && s && s->FadingEnabled && !ShutdownPending && binding.CacheBitmap() &&
      !binding.CacheDirty && control) {
    binding.CacheDirty = true;
    StartFade(timer, binding, halve, direction);
  } else {
    binding.CacheDirty = true;
    StopFade(timer, binding);
    if (control && ControlIsReady(control)) control->Repaint();
  }
  binding.UpdateGlow(halve);
}

void StopFade(TsFadeTimer*& timer, TsCommonData& binding) {
  (void)binding;
  if (!timer || timer->Destroying()) return;
  TsFadeTimer* t = timer;
  timer = nullptr;
  t->SetEnabled(false);
  t->FadeDirection = 0;
  delete t;
}
