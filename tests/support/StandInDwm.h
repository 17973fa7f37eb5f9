// What the tests ask of the stand-in dwmapi.dll of the test prefix: whether it is
// the library this process uses, the composition state the run was started in, and
// the DwmSetWindowAttribute calls it recorded.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace standindwm {

struct Call {
  HWND Window;
  DWORD Attribute;
  DWORD Value;
  DWORD Size;
};

inline HMODULE Module() { return GetModuleHandleW(L"dwmapi.dll"); }

template <class F>
F Function(const char* name) {
  HMODULE m = Module();
  return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

// The stand-in is loaded (the skin engine loads dwmapi.dll at its first question).
inline bool Loaded() { return Function<LONG(WINAPI*)()>("StandInDwmCallCount") != nullptr; }

// The run was started with composition on (the "composited" test run).
inline bool CompositionRun() {
  const char* v = std::getenv("VQ_DWM_COMPOSITION");
  return v && std::strcmp(v, "1") == 0;
}

// Every call recorded from call `from` on.
inline std::vector<Call> CallsSince(LONG from) {
  auto count = Function<LONG(WINAPI*)()>("StandInDwmCallCount");
  auto get = Function<BOOL(WINAPI*)(LONG, HWND*, DWORD*, DWORD*, DWORD*)>("StandInDwmCall");
  std::vector<Call> out;
  if (!count || !get) return out;
  for (LONG i = from, n = count(); i < n; ++i) {
    Call c{};
    if (get(i, &c.Window, &c.Attribute, &c.Value, &c.Size)) out.push_back(c);
  }
  return out;
}

inline LONG CallCount() {
  auto count = Function<LONG(WINAPI*)()>("StandInDwmCallCount");
  return count ? count() : 0;
}

}  // namespace standindwm
