// The threaded timer: it fires only when it can (interval, enabled, handler), always
// on the GUI thread, stops at once when it no longer can, and its worker ends with it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/acThreadedTimer.h"
#include "framework/vclApplication.h"
#include "support/WinPixels.h"

namespace {

bool ThreadEnded(DWORD id) {
  HANDLE h = OpenThread(SYNCHRONIZE, FALSE, id);
  if (!h) return true;  // no such thread any more
  const bool ended = WaitForSingleObject(h, 2000) == WAIT_OBJECT_0;
  CloseHandle(h);
  return ended;
}

TEST(ThreadedTimer, NeverFiresWhenItCannot) {
  struct Case {
    const char* title;
    unsigned interval;
    bool enabled;
    bool handler;
  } cases[] = {{"interval 0", 0, true, true}, {"disabled", 15, false, true}, {"no handler", 15, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    int ticks = 0;
    auto* t = new TacThreadedTimer(nullptr);
    t->SetEnabled(c.enabled);
    t->SetInterval(c.interval);
    if (c.handler) t->SetOnTimer([&ticks](TComponent*) { ++ticks; });
    PumpFor(200);
    EXPECT_EQ(ticks, 0);
    delete t;
  }
}

TEST(ThreadedTimer, FiresOnTheGuiThreadAndStopsWhenDisabled) {
  std::vector<DWORD> threads;
  TacThreadedTimer* seen = nullptr;
  auto* t = new TacThreadedTimer(nullptr);
  EXPECT_TRUE(t->Enabled());
  EXPECT_EQ(t->Interval(), 1000u);
  EXPECT_EQ(t->ThreadPriority(), tpNormal);
  t->SetInterval(10);
  t->SetOnTimer([&](TComponent* sender) {
    threads.push_back(GetCurrentThreadId());
    seen = static_cast<TacThreadedTimer*>(sender);
  });
  ASSERT_TRUE(PumpUntil([&] { return threads.size() >= 3; }, 3000));
  EXPECT_EQ(seen, t);
  for (DWORD id : threads) EXPECT_EQ(id, GetCurrentThreadId());
  EXPECT_NE(t->WorkerThreadId(), GetCurrentThreadId());

  t->SetEnabled(false);
  const size_t stopped = threads.size();
  PumpFor(150);
  EXPECT_EQ(threads.size(), stopped) << "no tick after the timer was disabled";
  t->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return threads.size() > stopped; }, 3000)) << "enabled again, it fires again";

  t->SetThreadPriority(tpHigher);
  EXPECT_EQ(t->ThreadPriority(), tpHigher);
  delete t;
}

TEST(ThreadedTimer, DestructionEndsTheWorkerEvenInTheMiddleOfTicks) {
  for (unsigned interval : {1000u, 1u}) {
    SCOPED_TRACE(interval);
    int ticks = 0;
    auto* t = new TacThreadedTimer(nullptr);
    t->SetInterval(interval);
    t->SetOnTimer([&ticks](TComponent*) {
      ++ticks;
      Sleep(2);
    });
    if (interval == 1) {
      ASSERT_TRUE(PumpUntil([&] { return ticks >= 5; }, 3000));
    }
    const DWORD worker = t->WorkerThreadId();
    ASSERT_NE(worker, 0u);
    delete t;
    EXPECT_TRUE(ThreadEnded(worker));
    const int after = ticks;
    PumpFor(50);
    EXPECT_EQ(ticks, after) << "no tick reaches a freed timer";
  }
}

}  // namespace
