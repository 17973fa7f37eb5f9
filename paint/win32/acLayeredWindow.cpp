#include "paint/acLayeredWindow.h"

namespace {

TUpdateLayeredWindowFn LookUp() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<TUpdateLayeredWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
}

TUpdateLayeredWindowFn& Current() {
  static TUpdateLayeredWindowFn fn = LookUp();
  return fn;
}

}  // namespace

TUpdateLayeredWindowFn LayeredWindowUpdater() { return Current(); }

TUpdateLayeredWindowFn SetLayeredWindowUpdater(TUpdateLayeredWindowFn fn) {
  TUpdateLayeredWindowFn previous = Current();
  Current() = fn;
  return previous;
}
