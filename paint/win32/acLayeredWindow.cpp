#include "paint/acLayeredWindow.h"

#include <mutex>
#include <set>
#include <string>

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

bool RegisterPictureWindowClass(const wchar_t* name) {
  static std::mutex lock;
  static std::set<std::wstring> registered;
  std::lock_guard<std::mutex> hold(lock);
  if (registered.count(name)) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered.insert(name);
  return true;
}
