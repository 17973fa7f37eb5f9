#include "skin/sCommandMessages.h"

#include <vector>

#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclWinControl.h"
#include "skin/acSkinnedWindowLists.h"

namespace {

// The broadcast's delivery: through the window when it exists, else by direct dispatch.
void Deliver(TControl* control, TMessage& message) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed && windowed->HandleAllocated())
    message.Result = SendMessageW(windowed->Handle(), message.Msg, message.WParam, message.LParam);
  else
    message.Result = control->Perform(message.Msg, message.WParam, message.LParam);
}

bool AnswersSkinned(TControl* control) {
  TMessage ask = MakeSkinCommand(SMC_ISSKINNED);
  Deliver(control, ask);
  return ask.Result == 1;
}

void DeliverToForm(TForm* form, TMessage& message) {
  Deliver(form, message);
  BroadcastToControls(form, message);
}

// The colour of a control's parent as a transparent control sees it: a skin-aware
// parent's answer (its own colour when it answers "none"), another parent's colour.
uint32_t ParentColor(TControl* host, uint32_t withoutParent) {
  TWinControl* parent = host->Parent();
  if (!parent) return withoutParent;
  const uint32_t answer = GetControlBgColor(parent);
  return answer == NoBgColor ? ResolveColor(parent->Color()) : answer;
}

}  // namespace

LRESULT SendSkinCommand(HWND wnd, int code, LPARAM lParam, int arg) {
  if (!wnd || !IsWindow(wnd)) return 0;
  return SendMessageW(wnd, SM_ALPHACMD, static_cast<WPARAM>(PackCommand(code, arg)), lParam);
}

LRESULT SendSkinCommand(TControl* control, int code, LPARAM lParam, int arg) {
  if (!control || control->Destroying()) return 0;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (!windowed->HandleAllocated()) return 0;
    return SendSkinCommand(windowed->Handle(), code, lParam, arg);
  }
  return control->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(code, arg)), lParam);
}

bool IsSkinAware(HWND wnd) { return SendSkinCommand(wnd, SMC_ISSKINNED) == 1; }
bool IsSkinAware(TControl* control) { return SendSkinCommand(control, SMC_ISSKINNED) == 1; }

uint32_t GetControlBgColor(TControl* control) {
  if (!control) return NoBgColor;
  if (IsSkinAware(control) && !control->Destroying())
    return static_cast<uint32_t>(
        control->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETBGCOLOR)), NoBgColor));
  return ResolveColor(control->Color());
}

uint32_t GetWindowBgColor(HWND wnd) {
  if (!wnd || !IsWindow(wnd)) return NoBgColor;
  return ResolveColor(static_cast<TColor>(SendSkinCommand(wnd, SMC_GETBGCOLOR, NoBgColor)));
}

uint32_t AnswerBgColor(TControl* host, bool skinned, int transparency, uint32_t sectionColor) {
  if (!host) return NoBgColor;
  if (!skinned) return ResolveColor(host->Color());
  if (transparency <= 0) return sectionColor;
  if (transparency >= 100) return ParentColor(host, ResolveColor(host->Color()));
  return MixBgColor(sectionColor, ParentColor(host, NoBgColor), transparency);
}

void BroadcastToControls(TWinControl* parent, TMessage& message) {
  if (!parent) return;
  // The count is read again each time: a handler may remove controls.
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* child = parent->Controls(i);
    if (child->Destroying()) return;
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->HandleAllocated()) {
      message.Result = child->Perform(message.Msg, message.WParam, message.LParam);
    } else if (IsSkinAware(windowed->Handle())) {
      message.Result = SendMessageW(windowed->Handle(), message.Msg, message.WParam, message.LParam);
    } else {
      BroadcastToControls(windowed, message);
    }
  }
}

void ManagerBroadcast(TMessage& message) {
  TApplication* app = Application;
  for (int i = app->ComponentCount() - 1; i >= 0; --i) {
    // A handler may free forms; the walk ends when the index has run past the list.
    if (i >= app->ComponentCount()) break;
    auto* form = dynamic_cast<TForm*>(app->Components(i));
    if (!form || form->Destroying() || form->Loading()) continue;
    if (AnswersSkinned(form)) continue;  // reached through its provider below
    DeliverToForm(form, message);
  }
  // Copies: handlers may register or unregister forms and windows.
  const std::vector<TForm*> providers = ProviderForms();
  for (TForm* form : providers) {
    if (form->Destroying()) continue;
    DeliverToForm(form, message);
  }
  const std::vector<HWND> adapted = AdaptedWindows();
  for (HWND wnd : adapted)
    if (IsWindowVisible(wnd)) message.Result = SendMessageW(wnd, message.Msg, message.WParam, message.LParam);
}

namespace {
// A named stdcall function: on i686 a lambda does not convert to WNDENUMPROC.
BOOL CALLBACK CollectChildWindow(HWND child, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(child);
  return TRUE;
}
}  // namespace

void BroadcastToChildWindows(HWND wnd, TMessage& message) {
  if (!wnd) return;
  std::vector<HWND> children;
  EnumChildWindows(wnd, &CollectChildWindow, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children)
    if (GetAncestor(child, GA_PARENT) == wnd && IsWindow(child))
      message.Result = SendMessageW(child, message.Msg, message.WParam, message.LParam);
}
