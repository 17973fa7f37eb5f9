#include "paint/acBlurMask8.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint/acBlurSums.h"
#include "paint/acCpuPaths.h"
#include "paint/acMask8.h"

TacBlurKernel MakeBlurKernel(double radius) {
  TacBlurKernel k;
  constexpr int kMax = TacBlurKernel::kMaxHalfWidth;
  float sum = 0;
  for (int i = -kMax; i <= kMax; ++i) {
    double q = i / radius;
    float w = static_cast<float>(std::exp(-(q * q) / 2));
    k.Weights[static_cast<size_t>(i + kMax)] = w;
    sum += w;
  }
  for (float& w : k.Weights) w /= sum;

  int n = kMax;
  float tail = 0;
  const float limit = 1.0f / (2 * 255);
  while (tail < limit && n > 1) {
    tail += 2 * k.At(n);
    --n;
  }
  k.HalfWidth = n;

  sum = 0;
  for (int i = -n; i <= n; ++i) sum += k.At(i);
  for (int i = -n; i <= n; ++i) k.Weights[static_cast<size_t>(i + kMax)] /= sum;
  for (int i = n + 1; i <= kMax; ++i) {
    k.Weights[static_cast<size_t>(kMax + i)] = 0;
    k.Weights[static_cast<size_t>(kMax - i)] = 0;
  }
  return k;
}

uint8_t BlurSumToByte(float sum) {
  sum += kBlurSumTolerance;
  if (!(sum >= 0)) return 0;  // negative (and NaN)
  if (sum >= 255) return 255;
  return static_cast<uint8_t>(sum);
}

namespace {

// The reference loops: out[k] = sum over d = -n..n of w(d) * in(clamp(k - d)), the terms
// added in order of d. `padded` holds the line with n repeated edge values on each side:
// in(j) = padded[j + n].
void BlurLine(const TacBlurKernel& kernel, const std::vector<float>& padded, int length, std::vector<float>& acc) {
  const int n = kernel.HalfWidth;
  acc.assign(static_cast<size_t>(length), 0.0f);
  for (int d = -n; d <= n; ++d) {
    const float w = kernel.At(d);
    const float* src = padded.data() + (n - d);  // src[k] = in(k - d)
    for (int k = 0; k < length; ++k) acc[static_cast<size_t>(k)] += w * src[k];
  }
}

void ScalarBlur(TacMask8* mask, const TacBlurKernel& kernel) {
  const int width = mask->Width();
  const int height = mask->Height();
  const int n = kernel.HalfWidth;

  std::vector<float> padded;
  std::vector<float> acc;

  // Rows.
  padded.resize(static_cast<size_t>(width + 2 * n));
  for (int y = 0; y < height; ++y) {
    uint8_t* row = mask->Row(y);
    for (int j = 0; j < width + 2 * n; ++j) {
      int x = j - n;
      x = x < 0 ? 0 : (x >= width ? width - 1 : x);
      padded[static_cast<size_t>(j)] = row[x];
    }
    BlurLine(kernel, padded, width, acc);
    for (int x = 0; x < width; ++x) row[x] = BlurSumToByte(acc[static_cast<size_t>(x)]);
  }

  // Columns, walked as whole rows so that memory is read in order.
  std::vector<uint8_t> rows(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = mask->Row(y);
    std::copy(row, row + width, rows.begin() + static_cast<ptrdiff_t>(y) * width);
  }
  acc.resize(static_cast<size_t>(width));
  for (int k = 0; k < height; ++k) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int d = -n; d <= n; ++d) {
      int src = k - d;
      src = src < 0 ? 0 : (src >= height ? height - 1 : src);
      const float w = kernel.At(d);
      const uint8_t* in = rows.data() + static_cast<ptrdiff_t>(src) * width;
      for (int x = 0; x < width; ++x) acc[static_cast<size_t>(x)] += w * static_cast<float>(in[x]);
    }
    uint8_t* out = mask->Row(k);
    for (int x = 0; x < width; ++x) out[x] = BlurSumToByte(acc[static_cast<size_t>(x)]);
  }
}

// Drawing builds the kernel of the same few glow sizes again and again; the same
// radius gives the same kernel, so the last ones are kept (per thread).
const TacBlurKernel& CachedKernel(double radius) {
  struct Entry {
    double Radius = 0;
    TacBlurKernel Kernel;
  };
  constexpr int kKept = 4;
  thread_local Entry kept[kKept];
  thread_local int next = 0;
  for (Entry& e : kept)
    if (e.Radius == radius) return e.Kernel;
  Entry& e = kept[next];
  next = (next + 1) % kKept;
  e.Kernel = MakeBlurKernel(radius);
  e.Radius = radius;
  return e.Kernel;
}

}  // namespace

void BlurMask8(TacMask8* mask, double radius) {
  if (!mask || !(radius > 0)) return;
  if (mask->Width() <= 0 || mask->Height() <= 0) return;
  const TacBlurKernel& kernel = CachedKernel(radius);
  if (ActiveCpuPath() == TacCpuPath::Scalar)
    ScalarBlur(mask, kernel);
  else
    BlurMask8Vectors(mask, kernel, ActiveCpuPath());
}
