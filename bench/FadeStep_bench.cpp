// One step of a push button's state fade: the start image blended with the new
// cache image (88 x 27, 24 bits), beside a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "paint/acBitmap.h"
#include "paint/sAlphaGraph.h"

namespace {

constexpr int kWidth = 88, kHeight = 27;

TacBitmapPtr Noisy(unsigned seed) {
  TacBitmapPtr bmp = NewMemoryBitmap(kWidth, kHeight, TacPixelFormat::pf24bit);
  std::mt19937 rng(seed);
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = bmp->Row(y);
    for (int i = 0; i < kWidth * 3; ++i) row[i] = static_cast<uint8_t>(rng());
  }
  return bmp;
}

size_t Bytes(const TacBitmap& b) { return static_cast<size_t>(b.RowStep()) * b.Height(); }

}  // namespace

static void BM_FadeStep88x27_Memcpy(benchmark::State& state) {
  TacBitmapPtr start = Noisy(1), step = Noisy(3);
  const size_t bytes = Bytes(*start);
  for (auto _ : state) {
    std::memcpy(step->Row0(), start->Row0(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_FadeStep88x27_Memcpy);

// The step image as the timer made it before: a copy of the start image, blended.
static void BM_FadeStep88x27_CopyAndBlend(benchmark::State& state) {
  TacBitmapPtr start = Noisy(1), cache = Noisy(2), step = Noisy(3);
  const size_t bytes = Bytes(*start);
  uint8_t k = 230;
  for (auto _ : state) {
    std::memcpy(step->Row0(), start->Row0(), bytes);
    BlendEqualBitmaps(step.get(), cache.get(), k);
    k = static_cast<uint8_t>(k - 25);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_FadeStep88x27_CopyAndBlend);

// The step image as the timer makes it: the start image blended into it in one pass.
static void BM_FadeStep88x27_BlendInto(benchmark::State& state) {
  TacBitmapPtr start = Noisy(1), cache = Noisy(2), step = Noisy(3);
  const size_t bytes = Bytes(*start);
  uint8_t k = 230;
  for (auto _ : state) {
    BlendEqualBitmapsInto(step.get(), start.get(), cache.get(), k);
    k = static_cast<uint8_t>(k - 25);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_FadeStep88x27_BlendInto);
