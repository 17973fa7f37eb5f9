// Message-queue timers of the GUI thread.
#pragma once

#include <windows.h>

#include "framework/vclComponent.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

  // Delivers one WM_TIMER of the application's utility window.
  static void Dispatch(UINT_PTR id);

 private:
  void Update();
  unsigned interval_ = 1000;
  bool enabled_ = true;
  TNotifyEvent onTimer_;
  UINT_PTR id_ = 0;
};
