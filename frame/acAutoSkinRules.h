// Which top-level windows of the program the default manager's window-creation hook
// skins without a provider of their own: framework forms get an automatic provider,
// standard platform dialogs a dialog frame. A plain decision over what the hook found
// out about the window.
#pragma once

#include <string>

#include "skin/acSkinManagerCore.h"

// Helper windows of the skin engine carry this tag and are never skinned automatically.
constexpr int kSkinEngineHelperTag = -98;

enum class TacAutoSkin { Leave, FormProvider, DialogFrame };

struct TacAutoSkinWindow {
  bool AlreadySkinned = false;  // answers SMC_ISSKINNED, or the hook has taken it already
  bool HasForm = false;         // a framework form stands for the window
  bool FormLoading = false;
  std::string FormClass;        // the form's class name ("TDriveFrm", "TMessageForm")
  int FormTag = 0;
  std::string WindowClass;      // the platform's class name of the window
  bool HasParent = false;
  bool SkinnedDialogsVisible = false;  // a dialog skinned by the hook is on the screen
  bool ContainsToolBar = false;        // a "ToolbarWindow32" anywhere inside
};

TacAutoSkin DecideAutoSkin(const TacAutoSkinWindow& w, TacSkinningRules rules);
