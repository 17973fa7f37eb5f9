// The hue and saturation changes of a skin load on the built-in skin's master
// bitmap, next to a memcpy of the same bytes as the reference.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "skin/acAnsiFile.h"
#include "skin/acImageDecode.h"
#include "skin/sSkinModel.h"
#include "skin/sSkinRecolor.h"

namespace {

TacBitmapPtr AirMaster() {
  std::vector<uint8_t> bytes;
  ReadAnsiFile(VQ_SOURCE_DIR "/skins/air/MASTER.BMP", bytes);
  return DecodeBmp(bytes.data(), bytes.size());
}

size_t PixelBytes(const TacBitmap& b) { return static_cast<size_t>(b.RowStep()) * static_cast<size_t>(b.Height()); }

// A model holding only the master bitmap, put back to the skin's pixels before
// every change (that copy is part of the measured time).
void RecolorMaster(benchmark::State& state, void (*change)(TsSkinModel&, int), int amount) {
  const TacBitmapPtr pristine = AirMaster();
  TsSkinModel model;
  model.MasterBitmap = NewBitmap24(pristine->Width(), pristine->Height());
  const size_t bytes = PixelBytes(*pristine);
  for (auto _ : state) {
    std::memcpy(model.MasterBitmap->Row0(), pristine->Row0(), bytes);
    change(model, amount);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

}  // namespace

// Reference: copying the master bitmap's bytes once.
static void BM_AirMaster_Memcpy(benchmark::State& state) {
  const TacBitmapPtr a = AirMaster();
  const TacBitmapPtr b = NewBitmap24(a->Width(), a->Height());
  const size_t bytes = PixelBytes(*a);
  for (auto _ : state) {
    std::memcpy(b->Row0(), a->Row0(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_AirMaster_Memcpy);

static void BM_AirMaster_HueOffset(benchmark::State& state) { RecolorMaster(state, ApplySkinHueOffset, 40); }
BENCHMARK(BM_AirMaster_HueOffset);

static void BM_AirMaster_Saturation(benchmark::State& state) { RecolorMaster(state, ApplySkinSaturation, 20); }
BENCHMARK(BM_AirMaster_Saturation);
