#include "framework/vclApplication.h"

#include <vector>

#include "framework/vclForm.h"
#include "framework/vclGuard.h"
#include "framework/vclMessageForm.h"
#include "framework/vclMessages.h"
#include "framework/vclText.h"
#include "framework/vclTimer.h"

struct TApplication::FormList {
  std::vector<TForm*> items;
};

namespace {
TApplication* g_application = nullptr;
}

TApplication* GetApplication() {
  if (!g_application) g_application = new TApplication();
  return g_application;
}

namespace {
// Makes sure `Application` is usable from static initialisers onward.
TApplication* const g_applicationRef = GetApplication();
}  // namespace
TApplication* const& Application = g_applicationRef;

TApplication::TApplication() : TComponent(nullptr), mainThreadId_(GetCurrentThreadId()), forms_(new FormList) {}

TApplication::~TApplication() {
  DestroyComponents();
  if (utility_) DestroyWindow(utility_);
  delete forms_;
}

void TApplication::Initialize() { UtilityWindow(); }

HWND TApplication::UtilityWindow() {
  if (!utility_) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TApplication::UtilityProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VqUtility";
    RegisterClassExW(&wc);
    utility_ = CreateWindowExW(0, L"VqUtility", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  }
  return utility_;
}

LRESULT CALLBACK TApplication::UtilityProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!g_application->hooks_.empty()) {
    TMessage m{msg, wParam, lParam, 0};
    // A copy: a hook may install or remove hooks. A hook that throws is reported and
    // counts as not having handled the message.
    const auto hooks = g_application->hooks_;
    for (const auto& hook : hooks) {
      bool handled = false;
      Guarded(TGuardReport::ErrorBox, [&] { handled = hook.second(m); });
      if (handled) return m.Result;
    }
  }
  if (msg == CM_SYNCHRONIZE) {
    auto* call = reinterpret_cast<const std::function<void()>*>(lParam);
    Guarded(TGuardReport::ErrorBox, [&] { (*call)(); });
    return 0;
  }
  if (msg == WM_TIMER) {
    Guarded(TGuardReport::ErrorBox, [&] { TTimer::Dispatch(static_cast<UINT_PTR>(wParam)); });
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TApplication::Synchronize(const std::function<void()>& call) {
  if (GetCurrentThreadId() == mainThreadId_) {
    call();
    return;
  }
  // SendMessage waits for the GUI thread, so a worker's calls arrive one by one, in order.
  if (utility_) SendMessageW(utility_, CM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&call));
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(e);
    return;
  }
  ShowMessageForm(e.what(), title_, mtError);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (TForm* form = dynamic_cast<TForm*>(TWinControl::FromHandle(top))) {
      form->SelectNext(GetKeyState(VK_SHIFT) >= 0);
      return true;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Run() {
  if (!mainForm_) return;
  mainForm_->Show();
  while (!terminated_) {
    MSG msg;
    if (!ProcessMessage(msg) && !terminated_) WaitMessage();
  }
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

int TApplication::HookMainWindow(TWindowHook hook) {
  hooks_.emplace_back(nextHookId_, std::move(hook));
  return nextHookId_++;
}

void TApplication::UnhookMainWindow(int id) {
  for (auto it = hooks_.begin(); it != hooks_.end(); ++it)
    if (it->first == id) {
      hooks_.erase(it);
      return;
    }
}

int TApplication::FormCount() const { return static_cast<int>(forms_->items.size()); }
TForm* TApplication::Forms(int index) const { return forms_->items[static_cast<size_t>(index)]; }
void TApplication::AddForm(TForm* form) { forms_->items.push_back(form); }
void TApplication::RemoveForm(TForm* form) {
  auto& v = forms_->items;
  for (auto it = v.begin(); it != v.end(); ++it)
    if (*it == form) {
      v.erase(it);
      break;
    }
  if (form == mainForm_) mainForm_ = nullptr;
}
