#include "framework/vclTimer.h"

#include <map>

#include "framework/vclApplication.h"

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
UINT_PTR g_nextId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), id_(g_nextId++) {}

TTimer::~TTimer() {
  enabled_ = false;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  Update();
}

void TTimer::Update() {
  HWND w = Application->UtilityWindow();
  KillTimer(w, id_);
  Timers().erase(id_);
  if (enabled_ && interval_ > 0 && onTimer_) {
    if (SetTimer(w, id_, interval_, nullptr)) Timers()[id_] = this;
  }
}

void TTimer::Dispatch(UINT_PTR id) {
  auto it = Timers().find(id);
  if (it != Timers().end() && it->second->onTimer_) it->second->onTimer_(it->second);
}
