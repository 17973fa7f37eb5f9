#include "skin/acCreationHook.h"

#include "framework/vclGuard.h"

namespace {

const TacCreationHookHandler* g_handler = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
  // The next hook first: a veto of the creation is its business, not ours.
  const LRESULT result = CallNextHookEx(g_hook, code, wParam, lParam);
  if (code >= 0 && g_handler && g_handler->Notify)
    Guarded(TGuardReport::Swallow, [&] { g_handler->Notify(code, wParam, lParam); });
  return result;
}

}  // namespace

void SetCreationHookHandler(const TacCreationHookHandler* handler) { g_handler = handler; }

bool InstallCreationHookOnThread() {
  if (!g_hook) g_hook = SetWindowsHookExA(WH_CBT, &CreationHookProc, nullptr, GetCurrentThreadId());
  return g_hook != nullptr;
}

void RemoveCreationHookFromThread() {
  if (!g_hook) return;
  UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  if (g_handler && g_handler->Release) Guarded(TGuardReport::Swallow, [] { g_handler->Release(); });
}

bool CreationHookInstalled() { return g_hook != nullptr; }
