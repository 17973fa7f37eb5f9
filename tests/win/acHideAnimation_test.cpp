// The hide animation on real layered windows: what each picture handed to
// UpdateLayeredWindow holds and at what opacity, a second hide dropping the first,
// the run to the end while the application ends, and nothing left behind.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <vector>

#include "frame/acHideAnimation.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "support/WinPixels.h"

namespace {

struct Sent {
  HWND window;
  int opacity;
  SIZE size;
  uint32_t corner;  // premultiplied B, G, R, A of the picture at (5, 2)
  uint32_t centre;
  bool topmost;
};
std::vector<Sent>* g_sent = nullptr;
TUpdateLayeredWindowFn g_real = nullptr;

uint32_t PixelOf(HDC source, int x, int y) {
  DIBSECTION ds = {};
  HGDIOBJ bitmap = GetCurrentObject(source, OBJ_BITMAP);
  if (!bitmap || GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits) return 0xDEADBEEF;
  const int row = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - y : y;
  return static_cast<const uint32_t*>(ds.dsBm.bmBits)[row * (ds.dsBm.bmWidthBytes / 4) + x];
}

BOOL WINAPI Recording(HWND wnd, HDC screen, POINT* at, SIZE* size, HDC source, POINT* from, COLORREF key,
                      BLENDFUNCTION* blend, DWORD flags) {
  if (g_sent && source && size) {
    const bool topmost = (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    g_sent->push_back({wnd, blend ? blend->SourceConstantAlpha : -1, *size, PixelOf(source, 5, 2),
                       PixelOf(source, size->cx / 2, size->cy / 2), topmost});
  }
  return g_real(wnd, screen, at, size, source, from, key, blend, flags);
}

// A 80 × 40 snapshot, one colour at half alpha (premultiplied it is 0x80404040 → B, G, R 0x40).
TacBitmapPtr Snapshot() {
  TacBitmapPtr b = NewBitmap32(80, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x) {
      uint8_t* p = b->Pixel(x, y);
      p[0] = p[1] = p[2] = 0x80;
      p[3] = 0x80;
    }
  return b;
}

int ProcessThreadCount() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 te = {};
  te.dwSize = sizeof(te);
  int n = 0;
  for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te))
    if (te.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  CloseHandle(snap);
  return n;
}

class HideAnimation : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(LayeredWindowUpdater(), nullptr);
    g_real = LayeredWindowUpdater();
    g_sent = &sent;
    SetLayeredWindowUpdater(Recording);
  }
  void TearDown() override {
    HideTimer().Drop();
    SetLayeredWindowUpdater(g_real);
    g_sent = nullptr;
  }
  std::vector<int> Opacities() const {
    std::vector<int> v;
    for (const Sent& s : sent) v.push_back(s.opacity);
    return v;
  }
  std::vector<Sent> sent;
};

TEST_F(HideAnimation, FadesFromHalfAndShrinksTicksOnTheTimer) {
  TacHideTimer& timer = HideTimer();
  timer.Start(Snapshot(), POINT{40, 30}, 10, atFading, 255, true);  // the platform's first-window extras
  sent.clear();
  const int windows = ThreadWindowCount();
  std::vector<TacAnimationStep> steps;
  timer.OnStep = [&](const TacAnimationStep& s) { steps.push_back(s); };
  timer.Start(Snapshot(), POINT{40, 30}, 40, atAero, 255, false);
  ASSERT_TRUE(timer.Running());
  HWND window = timer.Window();
  EXPECT_TRUE(IsWindowVisible(window));
  // The first picture and the first tick come at once; the rest on the worker's ticks.
  EXPECT_EQ(sent.size(), 2u);
  ASSERT_TRUE(PumpUntil([&] { return !timer.Running(); }, 3000));
  timer.OnStep = nullptr;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ThreadWindowCount(), windows);

  EXPECT_EQ(Opacities(), (std::vector<int>{127, 95, 63, 31, 0, 0}));
  for (const Sent& s : sent) {
    EXPECT_EQ(s.window, window);
    EXPECT_EQ(s.size.cx, 80);
    EXPECT_EQ(s.size.cy, 40);
    EXPECT_TRUE(s.topmost);
    EXPECT_EQ(s.centre, 0x80404040u) << "the snapshot, premultiplied";
  }
  // (5, 2) lies in the picture until the inset passes it: the last picture is inset
  // by 10 and 5 and cleared around.
  EXPECT_EQ(sent.front().corner, 0x80404040u);
  EXPECT_EQ(sent.back().corner, 0u);
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps.back().Place.Left, 10);
  EXPECT_EQ(steps.back().Place.Top, 5);
}

TEST_F(HideAnimation, SecondHideDropsTheFirstSnapshotAtOnce) {
  TacHideTimer& timer = HideTimer();
  timer.Start(Snapshot(), POINT{40, 30}, 500, atFading, 255, false);
  HWND first = timer.Window();
  ASSERT_TRUE(IsWindow(first));
  timer.Start(Snapshot(), POINT{200, 30}, 500, atFading, 255, false);
  EXPECT_FALSE(IsWindow(first)) << "gone before the second is shown";
  EXPECT_TRUE(IsWindow(timer.Window()));
  EXPECT_NE(timer.Window(), first);
}

TEST_F(HideAnimation, EndingApplicationRunsEveryTickBeforeReturning) {
  TacHideTimer& timer = HideTimer();
  timer.Start(Snapshot(), POINT{40, 30}, 30, atFading, 200, true);
  EXPECT_FALSE(timer.Running());
  EXPECT_EQ(Opacities(), (std::vector<int>{100, 67, 33, 0, 0}));
}

TEST_F(HideAnimation, NothingIsShownWithoutSteps) {
  const int windows = ThreadWindowCount();
  struct Case {
    const char* what;
    int time;
    bool layered;
  } cases[] = {{"time below one step", 9, true}, {"no layered windows", 200, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.layered) SetLayeredWindowUpdater(nullptr);
    HideTimer().Start(Snapshot(), POINT{40, 30}, c.time, atAero, 255, false);
    SetLayeredWindowUpdater(Recording);
    EXPECT_FALSE(HideTimer().Running());
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(ThreadWindowCount(), windows);
  }
}

TEST_F(HideAnimation, ManyHidesLeaveNoObjectWindowOrThread) {
  TacHideTimer& timer = HideTimer();
  timer.Start(Snapshot(), POINT{40, 30}, 20, atAero, 255, false);  // the worker exists from here
  ASSERT_TRUE(PumpUntil([&] { return !timer.Running(); }, 3000));
  const long objects = GdiLiveCountAll();
  const int windows = ThreadWindowCount();
  const int threads = ProcessThreadCount();
  for (int i = 0; i < 200; ++i) {
    timer.Start(Snapshot(), POINT{40, 30}, 20, i % 2 ? atAero : atFading, 255, i % 3 == 0);
    if (i % 3 == 1) PumpUntil([&] { return !timer.Running(); }, 3000);
  }
  ASSERT_TRUE(PumpUntil([&] { return !timer.Running(); }, 3000));
  PumpFor(50);
  EXPECT_EQ(GdiLiveCountAll(), objects);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(ProcessThreadCount(), threads);
}

}  // namespace
