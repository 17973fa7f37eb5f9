// A timer whose ticks are timed by a worker thread instead of the message queue
// (timer messages come late while the GUI thread is busy moving windows); each tick
// still runs on the GUI thread. Used by the window-hide animation.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/vclComponent.h"
#include "framework/vclThread.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TacThreadedTimer;

// The worker: waits ThreadInterval at a time and has the timer tick on the GUI thread.
// It sleeps without ticking while its timer cannot fire, and ends when WakeEvent is set.
class TacTimerThread : public TThread {
 public:
  explicit TacTimerThread(TacThreadedTimer* timer);
  ~TacTimerThread() override;

  TacThreadedTimer* Timer;
  std::atomic<unsigned> ThreadInterval{1000};
  HANDLE WakeEvent = nullptr;  // set: the loop ends
  // Whether the timer may fire; a change wakes the worker so that it waits anew.
  void SetCanFire(bool on);
  // Waits for the loop to end, handling the GUI thread's sent messages meanwhile
  // (the worker may be in the middle of handing a tick over).
  void WaitForEnd();

 protected:
  void Execute() override;

 private:
  HANDLE stateEvent_ = nullptr;     // auto-reset: the state changed
  HANDLE finishedEvent_ = nullptr;  // manual: Execute has ended
  std::atomic<bool> canFire_{false};
};

class TacThreadedTimer : public TComponent {
 public:
  explicit TacThreadedTimer(TComponent* owner);
  ~TacThreadedTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);
  TThreadPriority ThreadPriority() const { return priority_; }
  void SetThreadPriority(TThreadPriority priority);

  // Runs one tick on the GUI thread (the worker's synchronised call).
  void Tick();
  DWORD WorkerThreadId() const { return thread_ ? thread_->ThreadId() : 0; }

 protected:
  // One tick; by default raises OnTimer.
  virtual void Timer();

 private:
  bool CanFire() const { return interval_ != 0 && enabled_ && static_cast<bool>(onTimer_); }
  void UpdateThreadState();

  bool enabled_ = true;
  unsigned interval_ = 1000;
  TNotifyEvent onTimer_;
  TThreadPriority priority_ = tpNormal;
  bool destroying_ = false;
  TacTimerThread* thread_ = nullptr;

  friend class TacTimerThread;
};
