// Skinned popup menus: composing one popup's cached background (menu face, icon
// line, border mask and the corner scan for its region) from the built-in skin, and
// an item's copy of its rectangle from it, each next to a memcpy of the bytes it
// writes. The background is made once per popup window; items only copy.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "menus/acPopupBackground.h"
#include "paint/acBlockCopy.h"
#include "skin/acSkinSource.h"
#include "skin/sSkinModel.h"

namespace {

constexpr int kPopupW = 180, kPopupH = 160, kItemW = 174, kItemH = 22;

size_t PixelBytes(const TacBitmap& b) { return static_cast<size_t>(b.RowStep()) * b.Height(); }

void Memcpy(benchmark::State& state, int w, int h) {
  TacBitmapPtr a = NewBitmap24(w, h), b = NewBitmap24(w, h);
  const size_t bytes = PixelBytes(*a);
  for (auto _ : state) {
    std::memcpy(b->Row0(), a->Row0(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}

TsSkinModel& AirSkin() {
  static TsSkinModel* model = [] {
    auto* m = new TsSkinModel;
    TacFolderSkinSource source(std::string(VQ_SOURCE_DIR) + "/skins/air");
    m->LoadSkin(source, TsSkinLoadSettings());
    return m;
  }();
  return *model;
}

}  // namespace

static void BM_Popup24_Memcpy_Reference(benchmark::State& state) { Memcpy(state, kPopupW, kPopupH); }
BENCHMARK(BM_Popup24_Memcpy_Reference);

static void BM_Popup24_ComposeBackground(benchmark::State& state) {
  TacPopupBackgroundInput in;
  in.Width = kPopupW;
  in.Height = kPopupH;
  in.IconLineWidth = 24;
  in.SkinBorderWidth = 2;
  size_t bytes = 0;
  for (auto _ : state) {
    TacPopupBackgroundImage image = ComposePopupBackground(AirSkin(), in);
    bytes = PixelBytes(*image.Bitmap);
    benchmark::DoNotOptimize(image.RegionRects.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_Popup24_ComposeBackground);

static void BM_Item24_Memcpy_Reference(benchmark::State& state) { Memcpy(state, kItemW, kItemH); }
BENCHMARK(BM_Item24_Memcpy_Reference);

static void BM_Item24_CopyFromBackground(benchmark::State& state) {
  TacBitmapPtr background = NewBitmap24(kPopupW, kPopupH), item = NewBitmap24(kItemW, kItemH);
  for (auto _ : state) {
    CopyBitmapRect(item.get(), 0, 0, background.get(), TacRect{3, 47, 3 + kItemW, 47 + kItemH});
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * PixelBytes(*item));
}
BENCHMARK(BM_Item24_CopyFromBackground);
