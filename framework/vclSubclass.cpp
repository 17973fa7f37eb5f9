#include "framework/vclSubclass.h"

#include <commctrl.h>

#include "framework/vclGuard.h"

TWindowSubclass::~TWindowSubclass() { Detach(); }

bool TWindowSubclass::Attach(HWND window) {
  Detach();
  if (!window || !IsWindow(window)) return false;
  // The object's address is its id: two objects on one window never meet in the chain.
  if (!SetWindowSubclass(window, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                         reinterpret_cast<DWORD_PTR>(this)))
    return false;
  window_ = window;
  return true;
}

void TWindowSubclass::Detach() {
  if (!window_) return;
  HWND window = window_;
  window_ = nullptr;
  if (IsWindow(window))
    RemoveWindowSubclass(window, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this));
}

void TWindowSubclass::Inherited(TMessage& m) {
  // The window of the message being handled: also right after a Detach inside WndProc,
  // since this message's chain still runs through us.
  m.Result = DefSubclassProc(current_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK TWindowSubclass::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                               DWORD_PTR data) {
  auto* self = reinterpret_cast<TWindowSubclass*>(data);
  if (msg == WM_NCDESTROY) {
    // Out of the chain first; the window's own procedure still gets the message.
    RemoveWindowSubclass(window, &TWindowSubclass::SubclassProc, id);
    if (self->window_ == window) {
      self->window_ = nullptr;
      Guarded(TGuardReport::Swallow, [&] { self->WindowDestroyed(); });
    }
    return DefSubclassProc(window, msg, wParam, lParam);
  }
  self->current_ = window;
  TMessage m{msg, wParam, lParam, 0};
  // Nothing of the object is touched after WndProc: a handler may free it.
  Guarded(TGuardReport::ErrorBox, [&] { self->WndProc(m); });
  return m.Result;
}

void TMessageSubclass::WndProc(TMessage& m) {
  if (!handler_ || !handler_(m)) Inherited(m);
}
