// Message-queue timers of the GUI thread.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/vclComponent.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  const TNotifyEvent& OnTimer() const;
  void SetOnTimer(TNotifyEvent handler);

  // Delivers one WM_TIMER of the application's utility window. A tick may stop,
  // restart or free its own timer and may replace its handler.
  static void Dispatch(UINT_PTR id);

 protected:
  // One tick; by default raises OnTimer. Descendants that do their work here may
  // free themselves before they return.
  virtual void Timer();

 private:
  void Update();
  unsigned interval_ = 1000;
  bool enabled_ = true;
  // Shared so that a tick running the handler keeps it alive when the handler
  // replaces itself or frees the timer.
  std::shared_ptr<const TNotifyEvent> onTimer_;
  UINT_PTR id_ = 0;
};
