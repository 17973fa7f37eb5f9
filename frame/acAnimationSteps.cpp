#include "frame/acAnimationSteps.h"

#include <algorithm>

#include "paint/sGraphUtils.h"

int AnimationStepCount(int timeMs) { return timeMs > 0 ? timeMs / acAnimationStepMs : 0; }

namespace {

uint8_t RoundedOpacity(double v) {
  return static_cast<uint8_t>(std::clamp<int64_t>(RoundHalfEven(v), 0, 255));
}

// The capture's place for an inset of (insetX, insetY) on every side. A place that
// rounds to the whole picture is the whole picture: stretching into it is a copy.
void PlaceInset(TacAnimationStep& step, int width, int height, double insetX, double insetY) {
  const double left = insetX, top = insetY, right = width - insetX, bottom = height - insetY;
  if (left < 0 || top < 0) {
    step.Whole = true;
    return;
  }
  const auto l = static_cast<int32_t>(RoundHalfEven(left));
  const auto t = static_cast<int32_t>(RoundHalfEven(top));
  step.Place = TacRect{l, t, l + static_cast<int32_t>(RoundHalfEven(right - left)),
                       t + static_cast<int32_t>(RoundHalfEven(bottom - top))};
  step.Whole = step.Place.Left == 0 && step.Place.Top == 0 && step.Place.Right == width &&
               step.Place.Bottom == height;
}

}  // namespace

std::vector<TacAnimationStep> ShowAnimationSteps(int width, int height, int steps, uint8_t target,
                                                 TacAnimType mode, bool dialog) {
  std::vector<TacAnimationStep> out;
  if (steps <= 0) return out;
  const double n = steps;
  const double increment = dialog ? target / (n + 1) : target / n;
  // Each step's values are taken from its index, not summed up step by step, so
  // that the last one lands on the whole picture whatever the rounding of the sums.
  const double dx = width / (8 * n), dy = height / (8 * n);
  out.reserve(static_cast<size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    TacAnimationStep step;
    step.Opacity = RoundedOpacity(std::min<double>(target, (i + 1) * increment));
    if (mode == atAero) {
      PlaceInset(step, width, height, width / 8.0 - i * dx, height / 8.0 - i * dy);
    } else {
      step.Redraw = i == 0;  // the picture stays; only its opacity changes
    }
    out.push_back(step);
  }
  return out;
}

std::vector<TacAnimationStep> HideAnimationSteps(int width, int height, int steps, uint8_t startOpacity,
                                                 TacAnimType mode) {
  std::vector<TacAnimationStep> out;
  if (steps <= 0) return out;
  const double n = steps;
  const double first = HideInitialOpacity(startOpacity);
  const double decrement = startOpacity / (2 * n);
  const double dx = width / (8 * n), dy = height / (8 * n);
  out.reserve(static_cast<size_t>(steps) + 1);
  for (int k = 0; k <= steps; ++k) {
    TacAnimationStep step;
    step.Opacity = RoundedOpacity(std::max(0.0, first - (k + 1) * decrement));
    if (mode == atAero) {
      PlaceInset(step, width, height, k * dx, k * dy);
      step.Clear = !step.Whole;  // a smaller picture would leave the last one's edge standing
    } else {
      step.Redraw = k == 0;
    }
    out.push_back(step);
  }
  return out;
}

int FallbackMixWeight(int step, int steps) {
  if (steps <= 0) return 0;
  // Above 255 steps 255 div n is 0 and the old look would stand unchanged to the
  // end; such long fades lose 255 / n a step instead.
  if (steps > 255) return std::max(0, 255 - static_cast<int>(int64_t{step} * 255 / steps));
  return std::max(0, 255 - step * (255 / steps));
}

void FallbackMixRow(const uint8_t* oldBgr, const uint8_t* newBgr, uint8_t* mixBgra, int pixels, int weight) {
  for (int x = 0; x < pixels; ++x, oldBgr += 3, newBgr += 3, mixBgra += 4) {
    for (int c = 0; c < 3; ++c) {
      // new × 256 + weight × (old − new) is never negative for weight ≤ 256, so
      // the shift is a plain division.
      const int v = weight * (oldBgr[c] - newBgr[c]) + newBgr[c] * 256;
      mixBgra[c] = static_cast<uint8_t>(v >> 8);
    }
  }
}
