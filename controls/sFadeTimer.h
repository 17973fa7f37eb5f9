// State animation: when a skinned button or radio button changes its look, the
// image shown before is blended into the new cache image in 10 ms steps, painted
// straight onto the control's window.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/vclTimer.h"
#include "paint/acBitmap.h"
#include "paint/acGdiHandles.h"
#include "skin/acAnimEffects.h"

class TsCommonData;
class TsSkinManager;
class TControl;

// Which events fade (a control's AnimatEvents).
enum TacAnimatEvent : unsigned { aeMouseEnter = 1, aeMouseLeave = 2, aeMouseDown = 4, aeMouseUp = 8, aeGlobalDef = 16 };
using TacAnimatEvents = unsigned;

// Program-wide: fade timers in existence; the frame's log-off/shut-down query
// (stops all fading; running fades finish at their next tick so that the count
// reaches 0); the skin manager changing the skin.
extern int FadeTimerCount;
extern bool ShutdownPending;
extern bool SkinChangeInProgress;

class TsFadeTimer : public TTimer {
 public:
  // Owned by the control it animates.
  explicit TsFadeTimer(TControl* owner);
  ~TsFadeTimer() override;

  uint8_t FadeDirection = 0;  // 0 idle, 1 toward the new image, 2 reserved
  TsCommonData* Binding = nullptr;
  int StepCount = 0;
  int StepIndex = 0;
  // The look the fade starts from, 32-bit (the screen's format, so that a step goes
  // to the window as a plain copy).
  TacBitmapPtr StartImage;

  // The fade is over (or its control going away): answers whether it has finished.
  bool Finished();
  // Paints the next step onto the control's window.
  void FadeStep();
  // The timer is enabled and has steps left to paint (the controls do not paint
  // themselves meanwhile). A fade cut short (disabled control) is not running any
  // more, though its timer lives until its next tick ends it.
  bool Running() const;
  TControl* Control() const { return control_; }

 protected:
  void Timer() override;

 private:
  // The image each step is blended into, kept while its size stays (null: empty size).
  TacBitmap* StepImage(int width, int height);
  // The cache as a 32-bit image, copied again only when the control rebuilt it.
  const TacBitmap* TargetImage(const TacBitmap& cache);

  TControl* control_;
  TacBitmapPtr stepImage_;
  TacBitmapPtr targetImage_;
  const TacBitmap* targetOf_ = nullptr;
  unsigned targetGeneration_ = 0;
  std::unique_ptr<TacWindowDC> windowDC_;  // taken at the first step painted
  HWND windowOfDC_ = nullptr;
};

// May this event fade for a control with these AnimatEvents? manager null: the default manager.
bool AnimationAllowed(TacAnimatEvent event, TacAnimatEvents controlEvents, const TsSkinManager* manager);
// The one entry for every visible state change (the caller has updated the state
// flags and cleared CacheDirty, so the cache still shows the old image): fades when
// allowed, else repaints at once; then the glow follows.
void ChangeStateImage(TsFadeTimer*& timer, TsCommonData& binding, bool halve, int direction, bool allowed);
// Stops and frees the timer and clears the reference; nothing without one.
void StopFade(TsFadeTimer*& timer, TsCommonData& binding);
