// Nothing thrown crosses a place where the platform calls us: window procedures,
// subclassed windows, the utility window's hooks, timers and synchronized calls
// report through the application's error box; thread bodies end quietly. And a timer
// tick may stop, restart, re-handle or free its own timer.
#include "framework/vclGuard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclStdCtrls.h"
#include "framework/vclSubclass.h"
#include "framework/vclThread.h"
#include "framework/vclTimer.h"

namespace {

constexpr UINT kThrowNow = WM_APP + 11;
const char kUnknownErrorText[] = "发生未知错误。";

template <class Pred>
bool PumpUntil(Pred done, DWORD ms = 5000) {
  const DWORD end = GetTickCount() + ms;
  while (!done() && GetTickCount() < end) {
    Application->ProcessMessages();
    Sleep(1);
  }
  return done();
}

// Throws what the case asks for: a std::exception with a message, or something else.
using TThrower = std::function<void()>;
const TThrower kThrowError = [] { throw std::runtime_error("处理错误"); };
const TThrower kThrowOther = [] { throw 7; };

class ThrowingPanel : public TPanel {
 public:
  ThrowingPanel(TComponent* owner, TThrower thrower) : TPanel(owner), thrower_(std::move(thrower)) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == kThrowNow) thrower_();
    TPanel::WndProc(m);
  }

 private:
  TThrower thrower_;
};

class SynchronizingThread : public TThread {
 public:
  explicit SynchronizingThread(TThrower thrower) : thrower_(std::move(thrower)) {}
  bool returned = false;

 protected:
  void Execute() override {
    Synchronize(thrower_);
    returned = true;
  }

 private:
  TThrower thrower_;
};

// Each place makes `thrower` run where the platform called us, and waits for it.
struct Place {
  const char* name;
  std::function<void(const TThrower& thrower)> run;
};

const Place kPlaces[] = {
    {"window procedure",
     [](const TThrower& thrower) {
       TForm form(Application);
       auto* panel = new ThrowingPanel(&form, thrower);
       panel->SetParent(&form);
       SendMessageW(panel->Handle(), kThrowNow, 0, 0);
     }},
    {"subclassed window",
     [](const TThrower& thrower) {
       HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
       TMessageSubclass sub([&](TMessage& m) {
         if (m.Msg == kThrowNow) thrower();
         return false;
       });
       ASSERT_TRUE(sub.Attach(button));
       SendMessageW(button, kThrowNow, 0, 0);
       DestroyWindow(button);
     }},
    {"utility window hook",
     [](const TThrower& thrower) {
       int id = Application->HookMainWindow([&](TMessage& m) {
         if (m.Msg == kThrowNow) thrower();
         return false;
       });
       SendMessageW(Application->UtilityWindow(), kThrowNow, 0, 0);
       Application->UnhookMainWindow(id);
     }},
    {"timer",
     [](const TThrower& thrower) {
       TTimer timer(nullptr);
       bool fired = false;
       timer.SetInterval(1);
       timer.SetOnTimer([&](TComponent*) {
         fired = true;
         timer.SetEnabled(false);
         thrower();
       });
       EXPECT_TRUE(PumpUntil([&] { return fired; }));
     }},
    {"synchronized call",
     [](const TThrower& thrower) {
       SynchronizingThread worker(thrower);
       worker.Start();
       EXPECT_TRUE(PumpUntil([&] { return worker.returned; }));
       worker.WaitFor();
     }},
};

class GuardTest : public testing::Test {
 protected:
  void SetUp() override {
    Application->Initialize();
    Application->OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
  }
  void TearDown() override { Application->OnException = nullptr; }
  std::vector<std::string> errors;
};

TEST_F(GuardTest, EveryCallbackPlaceReportsWhatWasThrownThroughTheErrorBox) {
  struct Thrown {
    TThrower thrower;
    const char* shown;
  };
  const Thrown kThrown[] = {{kThrowError, "处理错误"}, {kThrowOther, kUnknownErrorText}};
  for (const Place& place : kPlaces) {
    for (const Thrown& t : kThrown) {
      errors.clear();
      place.run(t.thrower);
      EXPECT_EQ(errors, std::vector<std::string>{t.shown}) << place.name;
    }
  }
}

TEST_F(GuardTest, AnErrorBoxThatFailsItselfIsContained) {
  Application->OnException = [](const std::exception&) { throw std::runtime_error("report failed"); };
  EXPECT_FALSE(Guarded(TGuardReport::ErrorBox, kThrowError));
  EXPECT_FALSE(Guarded(TGuardReport::ErrorBox, kThrowOther));
  EXPECT_TRUE(Guarded(TGuardReport::ErrorBox, [] {}));
}

class FailingWorker : public TThread {
 public:
  FailingWorker(TThrower thrower, bool& freed) : thrower_(std::move(thrower)), freed_(freed) {}
  ~FailingWorker() override { freed_ = true; }

 protected:
  void Execute() override { thrower_(); }

 private:
  TThrower thrower_;
  bool& freed_;
};

TEST_F(GuardTest, AFailingThreadBodyEndsQuietly) {
  for (const TThrower& thrower : {kThrowError, kThrowOther}) {
    bool freed = false;
    {
      FailingWorker waited(thrower, freed);
      waited.Start();
      waited.WaitFor();
    }
    EXPECT_TRUE(freed);
    freed = false;
    auto* selfFreeing = new FailingWorker(thrower, freed);
    selfFreeing->FreeOnTerminate = true;
    selfFreeing->Start();
    EXPECT_TRUE(PumpUntil([&] { return freed; }));
  }
  EXPECT_TRUE(errors.empty());
}

// Counts the live copies of a timer handler, so a tick can see whether the handler it
// runs in has been destroyed under it.
struct HandlerProbe {
  int live = 0;
  int ticks = 0;
  int liveAfterAction = -1;
};

struct ProbedHandler {
  HandlerProbe* probe;
  std::function<void(TTimer&)> action;
  ProbedHandler(HandlerProbe* p, std::function<void(TTimer&)> a) : probe(p), action(std::move(a)) { ++probe->live; }
  ProbedHandler(const ProbedHandler& o) : probe(o.probe), action(o.action) { ++probe->live; }
  ~ProbedHandler() { --probe->live; }
  void operator()(TComponent* sender) {
    HandlerProbe* p = probe;  // a local: `this` may be gone after the action
    ++p->ticks;
    action(*static_cast<TTimer*>(sender));
    p->liveAfterAction = p->live;
  }
};

TEST_F(GuardTest, ATickMayStopRestartReplaceOrFreeItsOwnTimer) {
  struct Case {
    const char* name;
    std::function<void(TTimer&)> action;
    bool timerSurvives;
    int ticksWanted;  // of the probed handler
  };
  int replacementTicks = 0;
  const Case kCases[] = {
      {"stops", [](TTimer& t) { t.SetEnabled(false); }, true, 1},
      {"restarts", [](TTimer& t) { t.SetEnabled(false); t.SetEnabled(true); }, true, 3},
      {"changes interval", [](TTimer& t) { t.SetInterval(t.Interval() + 1); }, true, 3},
      {"replaces its handler",
       [&](TTimer& t) { t.SetOnTimer([&](TComponent*) { ++replacementTicks; }); }, true, 1},
      {"frees its timer", [](TTimer& t) { delete &t; }, false, 1},
  };
  for (const Case& c : kCases) {
    HandlerProbe probe;
    replacementTicks = 0;
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(1);
    timer->SetOnTimer(ProbedHandler(&probe, c.action));
    EXPECT_TRUE(PumpUntil([&] { return probe.ticks >= c.ticksWanted; })) << c.name;
    EXPECT_GE(probe.liveAfterAction, 1) << c.name << ": the running handler was destroyed under its tick";
    if (std::string(c.name) == "replaces its handler") {
      EXPECT_TRUE(PumpUntil([&] { return replacementTicks > 0; }));
      EXPECT_EQ(probe.live, 0);  // the old handler went once its tick was over
    }
    if (std::string(c.name) == "stops") {
      Sleep(20);
      Application->ProcessMessages();
      EXPECT_EQ(probe.ticks, 1);
    }
    if (c.timerSurvives) delete timer;
    EXPECT_EQ(probe.live, 0) << c.name;
  }
  EXPECT_TRUE(errors.empty());
}

// A timer that does its work in its own tick and frees itself at the end, as a fade does.
class SelfFreeingTimer : public TTimer {
 public:
  SelfFreeingTimer(int& ticks, bool& freed) : TTimer(nullptr), ticks_(ticks), freed_(freed) {
    SetInterval(1);
    SetOnTimer([](TComponent*) {});
  }
  ~SelfFreeingTimer() override { freed_ = true; }

 protected:
  void Timer() override {
    if (++ticks_ == 3) delete this;
  }

 private:
  int& ticks_;
  bool& freed_;
};

TEST_F(GuardTest, ATimerMayFreeItselfInItsOwnTick) {
  int ticks = 0;
  bool freed = false;
  new SelfFreeingTimer(ticks, freed);
  EXPECT_TRUE(PumpUntil([&] { return freed; }));
  Sleep(20);
  Application->ProcessMessages();
  EXPECT_EQ(ticks, 3);
}

}  // namespace
