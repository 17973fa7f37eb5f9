#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "paint/acBitmap.h"
#include "paint/acBlurMask8.h"
#include "paint/acGlowMask.h"
#include "paint/acMask8.h"

namespace {

// A caption's glow mask: 300 x 30, white with dark blocks where glyphs would be.
TacMask8Ptr CaptionMask() {
  TacMask8Ptr m = NewMemoryMask8(300, 30);
  m->Fill(255);
  std::mt19937 rng(7);
  for (int x = 9; x < 291; x += 9)
    for (int y = 9; y < 21; ++y)
      for (int i = 0; i < 6; ++i) *m->Pixel(x + i, y) = (rng() & 3) ? 0 : 128;
  return m;
}

size_t MaskBytes(const TacMask8& m) { return static_cast<size_t>(m.RowStep()) * m.Height(); }

}  // namespace

// Reference in the same run: a plain copy of the mask's bytes.
static void BM_CaptionMask_Memcpy(benchmark::State& state) {
  TacMask8Ptr a = CaptionMask(), b = CaptionMask();
  const size_t bytes = MaskBytes(*a);
  for (auto _ : state) {
    std::memcpy(b->Row(0), a->Row(0), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_CaptionMask_Memcpy);

// The blur of a caption's glow (after the first call the kernel comes from the blur's own
// per-radius store, as when the same captions are drawn again);
// the argument is the glow size.
static void BM_CaptionMask_BlurMask8(benchmark::State& state) {
  TacMask8Ptr pristine = CaptionMask(), m = CaptionMask();
  const size_t bytes = MaskBytes(*m);
  const double radius = static_cast<double>(state.range(0));
  for (auto _ : state) {
    std::memcpy(m->Row(0), pristine->Row(0), bytes);  // the same picture every time
    BlurMask8(m.get(), radius);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_CaptionMask_BlurMask8)->Arg(2)->Arg(5)->Arg(10);

static void BM_MakeBlurKernel(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(MakeBlurKernel(5.0));
}
BENCHMARK(BM_MakeBlurKernel);

// Tinting a 24-bit caption image through the blurred mask.
static void BM_CaptionMask_ApplyGlowMask(benchmark::State& state) {
  TacMask8Ptr m = CaptionMask();
  BlurMask8(m.get(), 5);
  TacBitmapPtr target = NewBitmap24(300, 30);
  for (auto _ : state) {
    ApplyGlowMask(target.get(), *m, 0, 0, 0x00FFFF);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * MaskBytes(*m));
}
BENCHMARK(BM_CaptionMask_ApplyGlowMask);
