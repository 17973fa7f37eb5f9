// A stand-in for the system's dwmapi.dll in the test prefixes. Wine answers that
// desktop composition is off, while every Windows from 8 on has it always on; this
// library answers on when VQ_DWM_COMPOSITION is "1" in the process' environment and
// off otherwise, and records every DwmSetWindowAttribute call so that tests can see
// what the skin engine asked of the platform.
#include <windows.h>

namespace {

struct Call {
  HWND Window;
  DWORD Attribute;
  DWORD Value;  // the first four bytes of the value; 0 when it is shorter
  DWORD Size;
};

constexpr int kMostCalls = 4096;
Call calls[kMostCalls];
LONG callCount = 0;

}  // namespace

extern "C" {

HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return E_INVALIDARG;
  char value[4] = {};
  const DWORD n = GetEnvironmentVariableA("VQ_DWM_COMPOSITION", value, sizeof value);
  *enabled = n == 1 && value[0] == '1';
  return S_OK;
}

HRESULT WINAPI DwmSetWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size) {
  if (!value) return E_INVALIDARG;
  const LONG i = InterlockedIncrement(&callCount) - 1;
  if (i < kMostCalls) {
    DWORD first = 0;
    if (size >= sizeof first) CopyMemory(&first, value, sizeof first);
    calls[i] = Call{window, attribute, first, size};
  }
  return S_OK;
}

// For the tests: how many calls were recorded, and call `index` of them.
LONG WINAPI StandInDwmCallCount() { return callCount < kMostCalls ? callCount : kMostCalls; }

BOOL WINAPI StandInDwmCall(LONG index, HWND* window, DWORD* attribute, DWORD* value, DWORD* size) {
  if (index < 0 || index >= StandInDwmCallCount()) return FALSE;
  const Call& c = calls[index];
  if (window) *window = c.Window;
  if (attribute) *attribute = c.Attribute;
  if (value) *value = c.Value;
  if (size) *size = c.Size;
  return TRUE;
}

}  // extern "C"
