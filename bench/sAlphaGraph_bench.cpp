#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "paint/acBitmap.h"
#include "paint/sAlphaGraph.h"
#include "paint/sGraphUtils.h"

namespace {

TacBitmapPtr NoisyBitmap24(int w, int h, unsigned seed) {
  TacBitmapPtr bmp = NewBitmap24(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = bmp->Row(y);
    for (int i = 0; i < w * 3; ++i) row[i] = static_cast<uint8_t>(rng());
  }
  return bmp;
}

size_t PixelBytes(const TacBitmap& b) { return static_cast<size_t>(b.RowStep()) * b.Height(); }

}  // namespace

// Reference in the same run: the plain copy of the bytes the blender touches.
static void BM_Window24_Memcpy(benchmark::State& state) {
  TacBitmapPtr a = NoisyBitmap24(800, 600, 1), b = NoisyBitmap24(800, 600, 2);
  const size_t bytes = PixelBytes(*a);
  for (auto _ : state) {
    std::memcpy(b->Row0(), a->Row0(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_Window24_Memcpy);

// One step of a control's cross-fade over a window-sized cache image.
static void BM_Window24_BlendEqualBitmaps(benchmark::State& state) {
  TacBitmapPtr dst = NoisyBitmap24(800, 600, 1), src = NoisyBitmap24(800, 600, 2);
  uint8_t alpha = 0;
  for (auto _ : state) {
    BlendEqualBitmaps(dst.get(), src.get(), alpha);
    alpha = static_cast<uint8_t>(alpha + 37);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * PixelBytes(*dst));
}
BENCHMARK(BM_Window24_BlendEqualBitmaps);

static void BM_Window24_FadeRectToColor(benchmark::State& state) {
  TacBitmapPtr bmp = NoisyBitmap24(800, 600, 3);
  const TacRect whole = {0, 0, 800, 600};
  for (auto _ : state) {
    FadeRectToColor(bmp.get(), whole, 60, 0x00C8D0D4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * PixelBytes(*bmp));
}
BENCHMARK(BM_Window24_FadeRectToColor);

// The hue change of a skin load: every pixel of a master-bitmap-sized image.
static void BM_Master24_RotateHue(benchmark::State& state) {
  TacBitmapPtr bmp = NoisyBitmap24(1024, 512, 4);
  for (auto _ : state) {
    for (int y = 0; y < bmp->Height(); ++y) {
      uint8_t* p = bmp->Row(y);
      for (int x = 0; x < bmp->Width(); ++x, p += 3) {
        uint32_t c = RotateHue(40, p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16));
        p[0] = static_cast<uint8_t>(c >> 16);
        p[1] = static_cast<uint8_t>(c >> 8);
        p[2] = static_cast<uint8_t>(c);
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * PixelBytes(*bmp));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * bmp->Width() * bmp->Height());
}
BENCHMARK(BM_Master24_RotateHue)->Unit(benchmark::kMillisecond);
