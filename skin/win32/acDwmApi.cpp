#include "skin/acDwmApi.h"

#include <string>

namespace {

class DwmLibrary {
 public:
  DwmLibrary() {
    if (LOBYTE(LOWORD(GetVersion())) < 6) return;
    wchar_t path[MAX_PATH];
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 12) return;
    module_ = LoadLibraryW((std::wstring(path, n) + L"\\dwmapi.dll").c_str());
    if (!module_) return;
    isCompositionEnabled_ =
        reinterpret_cast<IsCompositionEnabledFn>(reinterpret_cast<void*>(GetProcAddress(module_, "DwmIsCompositionEnabled")));
    setWindowAttribute_ =
        reinterpret_cast<SetWindowAttributeFn>(reinterpret_cast<void*>(GetProcAddress(module_, "DwmSetWindowAttribute")));
  }
  ~DwmLibrary() {
    if (module_) FreeLibrary(module_);
  }
  DwmLibrary(const DwmLibrary&) = delete;
  DwmLibrary& operator=(const DwmLibrary&) = delete;

  bool CompositionEnabled() const {
    BOOL on = FALSE;
    return isCompositionEnabled_ && SUCCEEDED(isCompositionEnabled_(&on)) && on;
  }
  HRESULT SetAttribute(HWND window, DWORD attribute, const void* value, DWORD size) const {
    return setWindowAttribute_ ? setWindowAttribute_(window, attribute, value, size) : E_NOTIMPL;
  }

 private:
  using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
  using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  HMODULE module_ = nullptr;
  IsCompositionEnabledFn isCompositionEnabled_ = nullptr;
  SetWindowAttributeFn setWindowAttribute_ = nullptr;
};

const DwmLibrary& Dwm() {
  static const DwmLibrary library;
  return library;
}

}  // namespace

bool DwmCompositionEnabled() { return Dwm().CompositionEnabled(); }

HRESULT DwmSetAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
  return Dwm().SetAttribute(window, attribute, value, size);
}
