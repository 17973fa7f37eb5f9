// Scoped GDI state: what a routine changes on a caller's DC comes back on every path.
#pragma once

#include <windows.h>

// Saves the DC's drawing state (selected objects, clipping, origins, colours) for a
// scope and restores it afterwards.
class TacSavedDcState {
 public:
  explicit TacSavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TacSavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TacSavedDcState(const TacSavedDcState&) = delete;
  TacSavedDcState& operator=(const TacSavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};
