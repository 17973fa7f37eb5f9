#include "menus/acPopupWindow.h"

#include <map>
#include <memory>

#include "framework/vclSubclass.h"
#include "menus/acPopupBackgroundList.h"

namespace {

class TPopupWindowHook;
std::map<HWND, std::unique_ptr<TPopupWindowHook>>& Hooks() {
  static std::map<HWND, std::unique_ptr<TPopupWindowHook>> hooks;
  return hooks;
}

class TPopupWindowHook : public TWindowSubclass {
 public:
  explicit TPopupWindowHook(HWND window) : window_(window) {}

 protected:
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_ERASEBKGND:
      case WM_NCPAINT:
        m.Result = 1;
        return;
      case WM_DESTROY:
        PopupBackgrounds().Clear();
        break;
      default:
        break;
    }
    Inherited(m);
  }
  void WindowDestroyed() override {
    const HWND window = window_;  // the erase frees this object
    Hooks().erase(window);
  }

 private:
  HWND window_;
};

}  // namespace

bool TakeOverPopupWindow(HWND window) {
  if (!window || !IsWindow(window)) return false;
  if (Hooks().count(window)) return true;
  auto hook = std::make_unique<TPopupWindowHook>(window);
  if (!hook->Attach(window)) return false;
  Hooks().emplace(window, std::move(hook));
  return true;
}

bool PopupWindowTakenOver(HWND window) { return Hooks().count(window) != 0; }

int TakenOverPopupCount() { return static_cast<int>(Hooks().size()); }
