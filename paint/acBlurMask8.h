// Gaussian blur of an 8-bit mask, rows first, then columns, in single precision
// with a kernel cut where its tails stop mattering for 8-bit values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class TacMask8;

struct TacBlurKernel {
  static constexpr int kMaxHalfWidth = 100;
  // Weights of offsets -HalfWidth..HalfWidth at Weights[offset + kMaxHalfWidth],
  // normalised to sum 1 over that range; entries outside it are unused.
  std::array<float, 2 * kMaxHalfWidth + 1> Weights{};
  int HalfWidth = 0;

  float At(int offset) const { return Weights[static_cast<std::size_t>(offset + kMaxHalfWidth)]; }
};

// The kernel for a radius above 0: w(i) = exp(-(i / radius)^2 / 2) for i = -100..100 in
// single precision, normalised; the half-width shrinks from 100 while the dropped tails
// (both sides) stay below 1 / 510 and it is above 1, and the remaining weights are
// normalised again. The weight whose tail pushes the sum over the limit is dropped too.
TacBlurKernel MakeBlurKernel(double radius);

// Single-precision sums of a flat area land a few units in the last place off the
// area's value, below it as often as above (255 would blur to 253 with a radius of 5,
// tinting the whole mask). Sums this close below an integer count as that integer.
constexpr float kBlurSumTolerance = 1.0f / 1024;

// A blurred value as a byte: truncation (after the tolerance above) within 0..255,
// 255.0 itself giving 255; 0 below, 255 above.
uint8_t BlurSumToByte(float sum);

// Replaces each row, then each column, by its blur with MakeBlurKernel(radius); edge
// pixels repeat beyond the borders. A radius that is not above 0 leaves the mask as it is.
void BlurMask8(TacMask8* mask, double radius);
