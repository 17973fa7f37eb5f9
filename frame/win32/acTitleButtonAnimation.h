// A title button's state change shown in a small layered window just above its
// form: a fade-in to the hot look (for close, maximize and minimize the skin's glow
// image, which reaches a few pixels past the button), the pressed look at once, and a
// fade-out back to the frame below. The frame itself keeps the normal look under it,
// so a state change never rebuilds the frame.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/vclTimer.h"
#include "paint/acBitmap.h"

class TacSBAnimation : public TTimer {
 public:
  static constexpr int kSteps = 10;
  static constexpr unsigned kInterval = 12;  // ms

  // Owned by the provider; `form` is the window whose buttons it animates.
  TacSBAnimation(TComponent* owner, HWND form);
  ~TacSBAnimation() override;

  // Toward `state` (1 hot: fade in; 2 pressed: at once; 0 normal: fade out), showing
  // `picture` (32-bit, straight alpha; kept and premultiplied here) with its top-left
  // at `screen`. A null picture keeps the one shown (for a fade-out).
  void ChangeTo(int state, TacBitmapPtr picture, POINT screen);
  // One step of the running fade (the timer's tick).
  void Step();

  int Opacity() const { return opacity_; }
  int Target() const { return target_; }  // -1 once a fade-out has ended
  bool Running() const { return Enabled(); }
  HWND Window() const { return window_; }
  // Places the window just above the form in z-order again (the form moved in it).
  void FollowForm();

  // Asked when a fade-in has ended: is the pointer still over the button? When not,
  // the fade stops and OnPointerLeft runs (it clears the hover).
  std::function<bool()> PointerInside;
  std::function<void()> OnPointerLeft;

 protected:
  void Timer() override { Step(); }

 private:
  bool EnsureWindow();
  void Show();
  void FreeWindow();

  HWND form_;
  HWND window_ = nullptr;
  TacBitmapPtr picture_;  // premultiplied
  POINT at_{0, 0};
  int opacity_ = 0;
  int target_ = -1;
  bool uploaded_ = false;  // the window holds picture_
};
