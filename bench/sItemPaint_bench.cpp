// Painting core: a window-sized gradient, a button's border mask and a partly
// transparent item, each next to a memcpy of the bytes it writes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "paint/sBorderMask.h"
#include "paint/sGradient.h"
#include "paint/sItemPaint.h"
#include "skin/acSkinSource.h"
#include "skin/sSkinModel.h"

namespace {

constexpr int kWinW = 800, kWinH = 600, kBtnW = 100, kBtnH = 30;

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

// The built-in skin, loaded once.
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

static void BM_Window24_Memcpy_Reference(benchmark::State& state) { Memcpy(state, kWinW, kWinH); }
BENCHMARK(BM_Window24_Memcpy_Reference);

static void BM_Window24_PaintGradient(benchmark::State& state) {
  const char* texts[] = {"16775412;16708071;97;0;0;16708071;16708071;0;0;0", "255;65280;50;1;0;65280;16711680;50;0;0",
                         "255;0;0;2;0;65280;0;0;0;0;16711680;0;0;0;0;65535;0;0;0;0;16777215;0;0;0;0"};
  const TsGradArray g = ParseGradientData(texts[state.range(0)]);
  TacBitmapPtr b = NewBitmap24(kWinW, kWinH);
  for (auto _ : state) {
    PaintGradient(b.get(), {0, 0, kWinW, kWinH}, g);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * PixelBytes(*b));
  state.SetLabel(state.range(0) == 0 ? "vertical" : state.range(0) == 1 ? "horizontal" : "triangles");
}
BENCHMARK(BM_Window24_PaintGradient)->Arg(0)->Arg(1)->Arg(2);

static void BM_Button24_Memcpy_Reference(benchmark::State& state) { Memcpy(state, kBtnW, kBtnH); }
BENCHMARK(BM_Button24_Memcpy_Reference);

// The BUTTON section's border mask, hot state, centre filled, over a parent image.
static void BM_Button24_DrawBorderMask(benchmark::State& state) {
  TsSkinModel& skin = AirSkin();
  const int section = skin.GetSkinIndex("BUTTON");
  const TsMaskData& mask = skin.Masks[static_cast<size_t>(skin.Sections[static_cast<size_t>(section)].BorderIndex)];
  TacBitmapPtr b = NewBitmap24(kBtnW, kBtnH), parent = NewBitmap24(kBtnW, kBtnH);
  for (auto _ : state) {
    DrawBorderMask(b.get(), {0, 0, kBtnW, kBtnH}, true, true, 1, mask, ParentImageFromBitmap(parent.get(), 0, 0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * PixelBytes(*b));
}
BENCHMARK(BM_Button24_DrawBorderMask);

// A 50 % transparent item with a gradient over a parent image: temporary face,
// background copy and blend.
static void BM_Button24_ComposeItemTransparent(benchmark::State& state) {
  TsSkinModel& skin = AirSkin();
  const int section = skin.GetSkinIndex("BUTTON");
  TsGeneralData& sec = skin.Sections[static_cast<size_t>(section)];
  const int saved = sec.Transparency;
  sec.Transparency = 50;
  TacBitmapPtr b = NewBitmap24(kBtnW, kBtnH), parent = NewBitmap24(200, 100);
  for (auto _ : state) {
    ComposeItem(section, "BUTTON", ParentImageFromBitmap(parent.get(), 0, 0), 0, {0, 0, kBtnW, kBtnH}, {20, 30},
                b.get(), &skin, -1, -1, TransparentKey);
    benchmark::ClobberMemory();
  }
  sec.Transparency = saved;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * PixelBytes(*b));
}
BENCHMARK(BM_Button24_ComposeItemTransparent);
