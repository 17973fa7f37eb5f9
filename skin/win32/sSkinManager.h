// The skin manager component: owns the active skin (model, shadows, settings), finds
// and loads it by name, and announces it to every window through the skin command
// messages. The first manager created is the default manager, used by every control
// and frame without a manager of its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/vclComponent.h"
#include "framework/vclFont.h"
#include "framework/vclMessages.h"
#include "skin/acSkinManagerCore.h"

class TForm;

// Settings of skinned popup menus.
struct TacMenuSupport {
  std::string IcoLineSkin;  // "ICOLINE" when empty after loading
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
  TFont ExtraLineFont;
};

class TsSkinManager : public TComponent, public TacSkinManagerCore {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;

  // This manager is the process-wide default. Setting true (or false while there is
  // no default) makes it the default and announces (or removes) its skin.
  bool IsDefault() const;
  void SetIsDefault(bool value);

  TacMenuSupport MenuSupport;
  TNotifyEvent OnBeforeChange;
  TNotifyEvent OnAfterChange;
  // Extra line of skinned popup menus: its skin section, caption and visibility.
  std::function<void(TComponent* sender, std::string& skinSection, std::string& caption, bool& lineVisible)>
      OnGetMenuExtraLineData;

  // Called by a skinned control when the mouse enters its window: the previous window
  // gets SMC_MOUSELEAVE, the new one SMC_MOUSEENTER (lParam = this manager).
  void SetActiveControl(HWND wnd);
  HWND ActiveControl() const { return activeControl_; }

  // The value of lParam that names this manager in skin commands.
  LPARAM CommandParam() const { return reinterpret_cast<LPARAM>(this); }

  void Loaded() override;

 protected:
  bool ReadingDescription() const override { return Loading(); }
  bool IsDefaultManager() const override { return IsDefault(); }
  void BroadcastCommand(int code, bool withManager) override;
  void DoBeforeChange() override;
  void DoAfterChange() override;
  void LockForms() override;
  void UnlockForms() override;
  void InstallCreationHook() override;
  void RemoveCreationHook() override;
  void RefreshOtherWindows() override;
  // Glows belong to the skin that drew them.
  void StopGlows() override;
  std::string ProgramFolder() const override;
  bool LayeredWindowsAvailable() const override;
  bool CompositionEnabled() const override;
  void ShowVersionWarning(const std::string& message) override;

 private:
  void HookApplication();
  void UnhookApplication();
  bool ApplicationHook(TMessage& message);

  HWND activeControl_ = nullptr;
  int appHookId_ = 0;
};

// How a form shows the end of a skin change when the manager's SkinChanging animation
// is active: set by the layer that draws frames; without one the form is redrawn at
// once. It unfreezes and redraws the form itself.
using TacSkinChangeAnimator = void (*)(TForm* form, int timeMs, TacAnimType mode);
void SetSkinChangeAnimator(TacSkinChangeAnimator animator);

// The process-wide default manager; null when none exists.
TsSkinManager* DefaultManager();
// The manager a skin command's lParam names (null for 0).
inline TsSkinManager* ManagerFromParam(LPARAM lParam) { return reinterpret_cast<TsSkinManager*>(lParam); }
