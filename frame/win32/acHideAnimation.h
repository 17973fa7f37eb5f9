// The hide animation: after a window has gone, a snapshot of it stays on screen in
// a topmost layered window and fades out (aero: shrinks to three quarters), ticked
// by a threaded timer so that the program goes on meanwhile. One runs at a time: a
// new hide drops the snapshot of the one before at once.
#pragma once

#include <windows.h>

#include <functional>

#include "controls/acThreadedTimer.h"
#include "frame/acAnimationSteps.h"
#include "paint/acBitmap.h"

class TacHideTimer : public TacThreadedTimer {
 public:
  static constexpr unsigned kInterval = acAnimationStepMs;

  explicit TacHideTimer(TComponent* owner);
  ~TacHideTimer() override;

  // Shows `snapshot` (32-bit with straight alpha; premultiplied here) with its
  // top-left at `at`, then fades it out over timeMs div 10 ticks from half of
  // `startOpacity`. A running hide is dropped first. With no steps nothing is shown
  // and the snapshot is freed at once. When `runToEnd` (the application is ending,
  // no ticks would come), every tick runs before the call returns.
  void Start(TacBitmapPtr snapshot, POINT at, int timeMs, TacAnimType mode, uint8_t startOpacity,
             bool runToEnd);
  // Drops the running hide: its window and pictures are freed now.
  void Drop();

  bool Running() const { return window_ != nullptr; }
  HWND Window() const { return window_; }
  int TicksDone() const { return tick_; }

  // Called with each picture sent to the window, for those that watch the animation.
  std::function<void(const TacAnimationStep&)> OnStep;

 protected:
  void Timer() override;

 private:
  void Send(BYTE opacity, const TacBitmap& picture);

  HWND window_ = nullptr;
  TacBitmapPtr snapshot_;  // premultiplied
  TacBitmapPtr step_;
  std::vector<TacAnimationStep> steps_;
  POINT at_{0, 0};
  int tick_ = 0;
};

// The program's one hide timer, made on first use with the application as its owner.
TacHideTimer& HideTimer();

// Starts the hide of a window that has just gone: its snapshot at `at`, with the
// hide settings given, and the application's terminating state deciding whether
// the ticks run at once.
void StartHideAnimation(TacBitmapPtr snapshot, POINT at, int timeMs, TacAnimType mode, uint8_t startOpacity);
