#include "skin/sSkinManager.h"

#include <algorithm>
#include <vector>

#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclText.h"
#include "paint/acDefaultSkin.h"
#include "paint/acGlow.h"
#include "skin/acCreationHook.h"
#include "skin/acDwmApi.h"
#include "skin/acSkinChangeState.h"
#include "skin/acSkinDirectory.h"
#include "skin/acSkinnedWindowLists.h"
#include "skin/sCommandMessages.h"

namespace {

TsSkinManager* g_defaultManager = nullptr;
TacSkinChangeAnimator g_skinChangeAnimator = nullptr;

bool ApplicationMinimized() {
  TForm* main = Application->MainForm();
  return main && main->HandleAllocated() && IsIconic(main->Handle());
}

}  // namespace

TsSkinManager* DefaultManager() { return g_defaultManager; }

void SetSkinChangeAnimator(TacSkinChangeAnimator animator) { g_skinChangeAnimator = animator; }

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  if (!g_defaultManager) {
    g_defaultManager = this;
    SetDefaultSkinModel(this);
    HookApplication();
  }
}

void TsSkinManager::StopGlows() { ClearGlows(); }

TsSkinManager::~TsSkinManager() {
  MarkDestroying();
  try {
    SetActive(false);
  } catch (...) {
    // A window's handler failed while the skin was removed; the manager goes anyway.
  }
  if (g_defaultManager == this) {
    RemoveCreationHookFromThread();
    UnhookApplication();
    g_defaultManager = nullptr;
    SetDefaultSkinModel(nullptr);
  }
}

bool TsSkinManager::IsDefault() const { return g_defaultManager == this; }

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && g_defaultManager) return;
  if (g_defaultManager != this) {
    if (g_defaultManager) g_defaultManager->UnhookApplication();
    g_defaultManager = this;
    SetDefaultSkinModel(this);
    HookApplication();
  }
  if (!Active()) {
    SendRemoveSkin();
  } else {
    SendNewSkin(true);
    if (!ReadingDescription()) RepaintForms();
  }
  UpdateDialogRule();
}

void TsSkinManager::SetActiveControl(HWND wnd) {
  if (wnd == activeControl_) return;
  const HWND previous = activeControl_;
  activeControl_ = wnd;
  if (previous) SendSkinCommand(previous, SMC_MOUSELEAVE, CommandParam());
  if (wnd) SendSkinCommand(wnd, SMC_MOUSEENTER, CommandParam());
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = "ICOLINE";
  FinishLoading();
}

void TsSkinManager::BroadcastCommand(int code, bool withManager) {
  TMessage message = MakeSkinCommand(code, withManager ? CommandParam() : 0);
  ManagerBroadcast(message);
}

void TsSkinManager::DoBeforeChange() {
  if (OnBeforeChange) OnBeforeChange(this);
}

void TsSkinManager::DoAfterChange() {
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::LockForms() {
  if (ApplicationMinimized()) return;
  for (TForm* form : ProviderForms()) {
    if (form->Destroying() || form->Parent() || !form->Visible() || !form->HandleAllocated()) continue;
    SendMessageW(form->Handle(), WM_SETREDRAW, FALSE, 0);
    if (IsDefault() && AnimEffects.SkinChanging.Active) SkinChangeState().AnimatedChange = true;
  }
}

void TsSkinManager::UnlockForms() {
  if (ApplicationMinimized()) return;
  const bool animated = SkinChangeState().AnimatedChange && g_skinChangeAnimator && AnimEffects.SkinChanging.Active &&
                        LayeredWindowsAvailable();
  // A form's animation may show boxes or free forms: walk a copy.
  const std::vector<TForm*> forms = ProviderForms();
  for (TForm* form : forms) {
    const std::vector<TForm*>& now = ProviderForms();
    if (std::find(now.begin(), now.end(), form) == now.end()) continue;
    if (form->Destroying() || form->Parent() || !form->Visible() || !form->HandleAllocated()) continue;
    if (animated) {
      g_skinChangeAnimator(form, AnimEffects.SkinChanging.Time, AnimEffects.SkinChanging.Mode);
      continue;
    }
    SendMessageW(form->Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  SkinChangeState().AnimatedChange = false;
}

void TsSkinManager::InstallCreationHook() { InstallCreationHookOnThread(); }

void TsSkinManager::RemoveCreationHook() { RemoveCreationHookFromThread(); }

void TsSkinManager::RefreshOtherWindows() {
  const std::vector<HWND> adapted = AdaptedWindows();
  for (HWND wnd : adapted)
    if (IsWindowVisible(wnd))
      RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::string TsSkinManager::ProgramFolder() const {
  std::vector<char> name(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0) return std::string();
    if (n < name.size()) return ExtractFileDir(std::string(name.data(), n), TacPathStyle::Windows);
    if (name.size() >= 32768) return std::string();
    name.resize(name.size() * 2);
  }
}

bool TsSkinManager::LayeredWindowsAvailable() const {
  static const bool available = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 && GetProcAddress(user32, "UpdateLayeredWindow") != nullptr;
  }();
  return available;
}

bool TsSkinManager::CompositionEnabled() const { return DwmCompositionEnabled(); }

void TsSkinManager::ShowVersionWarning(const std::string& message) {
  MessageBoxW(GetActiveWindow(), GbkToWide(message).c_str(), GbkToWide(Application->Title()).c_str(),
              MB_OK | MB_ICONWARNING);
}

void TsSkinManager::HookApplication() {
  if (appHookId_) return;
  appHookId_ = Application->HookMainWindow([this](TMessage& m) { return ApplicationHook(m); });
}

void TsSkinManager::UnhookApplication() {
  if (!appHookId_) return;
  Application->UnhookMainWindow(appHookId_);
  appHookId_ = 0;
}

bool TsSkinManager::ApplicationHook(TMessage& message) {
  if (!SkinnedPopups) return false;
  if (message.Msg == WM_THEMECHANGED) {
    message.Result = 0;
    return true;
  }
  if (message.Msg == CM_ACTIVATE) {
    for (int i = Application->FormCount() - 1; i >= 0; --i) {
      if (i >= Application->FormCount()) continue;
      TForm* form = Application->Forms(i);
      if (form->HandleAllocated()) SendSkinCommand(form->Handle(), SMC_APPACTIVATED);
    }
  }
  return false;
}
