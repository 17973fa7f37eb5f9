#include "controls/acThreadedTimer.h"

#include "framework/vclApplication.h"
#include "framework/vclGuard.h"

namespace {

int PlatformPriority(TThreadPriority p) {
  switch (p) {
    case tpIdle:
      return THREAD_PRIORITY_IDLE;
    case tpLowest:
      return THREAD_PRIORITY_LOWEST;
    case tpLower:
      return THREAD_PRIORITY_BELOW_NORMAL;
    case tpHigher:
      return THREAD_PRIORITY_ABOVE_NORMAL;
    case tpHighest:
      return THREAD_PRIORITY_HIGHEST;
    case tpTimeCritical:
      return THREAD_PRIORITY_TIME_CRITICAL;
    case tpNormal:
    default:
      return THREAD_PRIORITY_NORMAL;
  }
}

bool AppTerminating() { return Application && Application->Terminated(); }

}  // namespace

// ---- worker

TacTimerThread::TacTimerThread(TacThreadedTimer* timer) : Timer(timer) {
  WakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  stateEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  finishedEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  FreeOnTerminate = false;
}

TacTimerThread::~TacTimerThread() {
  for (HANDLE h : {WakeEvent, stateEvent_, finishedEvent_})
    if (h) CloseHandle(h);
}

void TacTimerThread::SetCanFire(bool on) {
  canFire_ = on;
  if (stateEvent_) SetEvent(stateEvent_);
}

void TacTimerThread::Execute() {
  struct Finish {
    HANDLE e;
    ~Finish() {
      if (e) SetEvent(e);
    }
  } finish{finishedEvent_};
  if (!WakeEvent || !stateEvent_) return;
  const HANDLE events[2] = {WakeEvent, stateEvent_};
  while (!AppTerminating()) {
    const DWORD wait = canFire_ ? ThreadInterval.load() : INFINITE;
    const DWORD r = WaitForMultipleObjects(2, events, FALSE, wait);
    if (r == WAIT_OBJECT_0 + 1) continue;  // the state changed: wait anew
    if (r != WAIT_TIMEOUT) break;          // woken to end, or an error
    if (!canFire_) continue;
    TacThreadedTimer* timer = Timer;
    Synchronize([timer] { timer->Tick(); });
  }
}

void TacTimerThread::WaitForEnd() {
  if (finishedEvent_) {
    for (;;) {
      const DWORD r = MsgWaitForMultipleObjects(1, &finishedEvent_, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r != WAIT_OBJECT_0 + 1) break;
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
  WaitFor();
}

// ---- timer

TacThreadedTimer::TacThreadedTimer(TComponent* owner) : TComponent(owner) {
  thread_ = new TacTimerThread(this);
  thread_->ThreadInterval = interval_;
  thread_->Start();
  const HANDLE h = OpenThread(THREAD_SET_INFORMATION, FALSE, thread_->ThreadId());
  if (h) {
    ::SetThreadPriority(h, PlatformPriority(priority_));
    CloseHandle(h);
  }
  UpdateThreadState();
}

TacThreadedTimer::~TacThreadedTimer() {
  destroying_ = true;
  if (thread_) {
    thread_->SetCanFire(false);
    if (thread_->WakeEvent) SetEvent(thread_->WakeEvent);
    thread_->WaitForEnd();
    delete thread_;
    thread_ = nullptr;
  }
}

void TacThreadedTimer::UpdateThreadState() {
  if (thread_) thread_->SetCanFire(CanFire() && !destroying_);
}

void TacThreadedTimer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  UpdateThreadState();
}

void TacThreadedTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (thread_) thread_->ThreadInterval = ms;
  UpdateThreadState();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateThreadState();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority priority) {
  if (priority == priority_) return;
  priority_ = priority;
  if (thread_) {
    const HANDLE h = OpenThread(THREAD_SET_INFORMATION, FALSE, thread_->ThreadId());
    if (h) {
      ::SetThreadPriority(h, PlatformPriority(priority));
      CloseHandle(h);
    }
  }
  UpdateThreadState();
}

void TacThreadedTimer::Tick() {
  // The state may have changed while the tick was on its way: it fires only if it still can.
  if (destroying_ || AppTerminating() || !CanFire()) return;
  Guarded(TGuardReport::ErrorBox, [this] { Timer(); });
}

void TacThreadedTimer::Timer() {
  const TNotifyEvent handler = onTimer_;  // the handler may replace itself
  if (handler) handler(this);
}
