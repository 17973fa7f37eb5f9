// The reference for our cross-fades: pixman's constant-alpha OVER of an opaque
// 800 x 600 image onto another (its SSE2 fast paths for a solid mask), beside our
// blends of the same images and memcpy of the same bytes, all in one run.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>

#include "paint/acBitmap.h"
#include "paint/sAlphaGraph.h"

namespace {

constexpr int kW = 800, kH = 600;

TacBitmapPtr Noisy(TacPixelFormat format, unsigned seed) {
  TacBitmapPtr bmp = NewMemoryBitmap(kW, kH, format);
  std::mt19937 rng(seed);
  for (int y = 0; y < kH; ++y) {
    uint8_t* row = bmp->Row(y);
    for (int i = 0; i < kW * bmp->BytesPerPixel(); ++i) row[i] = static_cast<uint8_t>(rng());
  }
  return bmp;
}

size_t Bytes(const TacBitmap& b) { return static_cast<size_t>(b.RowStep()) * b.Height(); }

pixman_image_t* Wrap(TacBitmap& b, pixman_format_code_t format) {
  return pixman_image_create_bits(format, b.Width(), b.Height(), reinterpret_cast<uint32_t*>(b.Row0()),
                                  static_cast<int>(b.RowStep()));
}

// The source format picks the fast path: x8r8g8b8 (opaque) or a8r8g8b8 source over a
// 32-bit destination through a solid mask of the fade's alpha.
void PixmanOver(benchmark::State& state, pixman_format_code_t srcFormat) {
  TacBitmapPtr dst = Noisy(TacPixelFormat::pf32bit, 1), src = Noisy(TacPixelFormat::pf32bit, 2);
  pixman_image_t* d = Wrap(*dst, PIXMAN_a8r8g8b8);
  pixman_image_t* s = Wrap(*src, srcFormat);
  uint16_t alpha = 0;
  for (auto _ : state) {
    const pixman_color_t c = {0, 0, 0, static_cast<uint16_t>(alpha * 257)};
    pixman_image_t* mask = pixman_image_create_solid_fill(&c);
    pixman_image_composite32(PIXMAN_OP_OVER, s, mask, d, 0, 0, 0, 0, 0, 0, kW, kH);
    pixman_image_unref(mask);
    alpha = static_cast<uint16_t>((alpha + 37) & 0xFF);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kW * kH);
}

void Memcpy(benchmark::State& state, TacPixelFormat format) {
  TacBitmapPtr a = Noisy(format, 1), b = Noisy(format, 2);
  const size_t bytes = Bytes(*a);
  for (auto _ : state) {
    std::memcpy(b->Row0(), a->Row0(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kW * kH);
}

void Blend(benchmark::State& state, TacPixelFormat format) {
  TacBitmapPtr dst = Noisy(format, 1), src = Noisy(format, 2);
  uint8_t alpha = 0;
  for (auto _ : state) {
    BlendEqualBitmaps(dst.get(), src.get(), alpha);
    alpha = static_cast<uint8_t>(alpha + 37);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Bytes(*dst));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kW * kH);
}

}  // namespace

BENCHMARK_CAPTURE(PixmanOver, x8r8g8b8_solid_mask, PIXMAN_x8r8g8b8)->Name("BM_CrossFade_PixmanOverX888");
BENCHMARK_CAPTURE(PixmanOver, a8r8g8b8_solid_mask, PIXMAN_a8r8g8b8)->Name("BM_CrossFade_PixmanOver8888");
BENCHMARK_CAPTURE(Memcpy, 24, TacPixelFormat::pf24bit)->Name("BM_CrossFade_Memcpy24");
BENCHMARK_CAPTURE(Blend, 24, TacPixelFormat::pf24bit)->Name("BM_CrossFade_BlendEqualBitmaps24");
BENCHMARK_CAPTURE(Memcpy, 32, TacPixelFormat::pf32bit)->Name("BM_CrossFade_Memcpy32");
BENCHMARK_CAPTURE(Blend, 32, TacPixelFormat::pf32bit)->Name("BM_CrossFade_BlendEqualBitmaps32");
