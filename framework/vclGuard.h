// The one barrier at every place where the platform calls us back (window procedures,
// hooks, timers, thread bodies): nothing thrown may unwind into the platform's frames,
// which have no unwind information and would end the process.
#pragma once

#include <exception>

enum class TGuardReport {
  ErrorBox,  // the application's standard error box (or its OnException)
  Swallow,   // contained silently: a worker that fails simply ends
};

// Shows a caught error as TGuardReport::ErrorBox asks; never throws itself.
void ReportGuardedError(const std::exception* error) noexcept;

// Runs `body`; answers false when it threw. Everything thrown stops here, also what
// is not a std::exception.
template <class Body>
bool Guarded(TGuardReport report, Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (const std::exception& e) {
    if (report == TGuardReport::ErrorBox) ReportGuardedError(&e);
  } catch (...) {
    if (report == TGuardReport::ErrorBox) ReportGuardedError(nullptr);
  }
  return false;
}
