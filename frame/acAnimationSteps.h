// The steps of the window animations as plain numbers: per step the opacity and
// the place of the captured image in the animation window's picture. The Win32
// side only stretches or copies the capture there and hands it to the layered
// window; everything that decides what a step looks like is here.
#pragma once

#include <cstdint>
#include <vector>

#include "paint/acRect.h"
#include "skin/acAnimEffects.h"

// 10 ms a step: a time of t milliseconds gives t div 10 steps.
constexpr int acAnimationStepMs = 10;
int AnimationStepCount(int timeMs);

// One picture of an animation. Whole: the capture is copied unscaled to (0, 0)
// (always so when fading); otherwise it is stretched into Place. Redraw: the
// capture has to be put into the step picture on this step (a fading animation
// draws it on the first step only; aero redraws every step). Clear: the step
// picture is cleared to 0 before (the shrinking hide, whose smaller picture would
// leave the previous one's edge standing).
struct TacAnimationStep {
  uint8_t Opacity = 0;
  bool Whole = true;
  TacRect Place{0, 0, 0, 0};
  bool Redraw = true;
  bool Clear = false;
};

// The show and the redraw (skin change): steps 0 … n for n = steps, growing from
// three quarters to the whole size in aero mode, the opacity rising by target / n
// a step (target / (n + 1) for a dialog), never above the target. No step at all
// for n = 0: the caller shows the whole capture at the target at once.
std::vector<TacAnimationStep> ShowAnimationSteps(int width, int height, int steps, uint8_t target,
                                                 TacAnimType mode, bool dialog);

// The hide: the snapshot starts at half the start opacity (start div 2) and loses
// start / (2n) a tick down to 0; aero shrinks it from the whole size towards an
// inset of a quarter (an eighth each side). Ticks 0 … n; none for n = 0 (nothing
// is shown then).
std::vector<TacAnimationStep> HideAnimationSteps(int width, int height, int steps, uint8_t startOpacity,
                                                 TacAnimType mode);
// The opacity the hide's first picture is shown with, before its first tick.
inline uint8_t HideInitialOpacity(uint8_t startOpacity) { return static_cast<uint8_t>(startOpacity / 2); }

// The redraw without layered windows mixes the old look (taken from the screen)
// into the new one in its own picture: step i of 0 … n weighs the old look with
// max(0, 255 − i × (255 div n)) / 256 (255 − i × 255 div n above 255 steps,
// where 255 div n would be 0). No steps for n = 0.
int FallbackMixWeight(int step, int steps);
// One row of 24-bit pixels (B, G, R) into a 32-bit row whose fourth bytes are left
// as they are.
void FallbackMixRow(const uint8_t* oldBgr, const uint8_t* newBgr, uint8_t* mixBgra, int pixels, int weight);
