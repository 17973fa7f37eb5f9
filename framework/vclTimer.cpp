#include "framework/vclTimer.h"

#include <map>

#include "framework/vclApplication.h"

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
UINT_PTR g_nextId = 1;
const TNotifyEvent kNoHandler;
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

const TNotifyEvent& TTimer::OnTimer() const { return onTimer_ ? *onTimer_ : kNoHandler; }

void TTimer::SetOnTimer(TNotifyEvent handler) {
  if (handler)
    onTimer_ = std::make_shared<const TNotifyEvent>(std::move(handler));
  else
    onTimer_.reset();
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

void TTimer::Timer() {
  const std::shared_ptr<const TNotifyEvent> handler = onTimer_;
  if (handler) (*handler)(this);
}

void TTimer::Dispatch(UINT_PTR id) {
  auto it = Timers().find(id);
  // Nothing of the timer is touched after its tick: the tick may have freed it.
  if (it != Timers().end()) it->second->Timer();
}
