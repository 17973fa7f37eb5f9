#include <benchmark/benchmark.h>

#include <cstring>

#include "paint/acBitmap.h"

// Reference for the pixel benchmarks: copying the bytes of a window-sized bitmap.
static void BM_MemcpyWindowBitmap(benchmark::State& state) {
  TacBitmapPtr a = NewBitmap24(800, 600), b = NewBitmap24(800, 600);
  size_t bytes = static_cast<size_t>(a->RowStep()) * a->Height();
  for (auto _ : state) {
    std::memcpy(b->Row0(), a->Row0(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_MemcpyWindowBitmap);
