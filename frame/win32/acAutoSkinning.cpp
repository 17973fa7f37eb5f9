#include "frame/acAutoSkinning.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "frame/acAutoSkinRules.h"
#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "skin/acCreationHook.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

namespace {

struct TacAutoSkinned {
  HWND Window;
  TsSkinProvider* Provider;
};

std::vector<TacAutoSkinned>& List() {
  static std::vector<TacAutoSkinned> list;
  return list;
}

std::string ClassNameOf(HWND wnd) {
  char name[256] = {};
  GetClassNameA(wnd, name, sizeof(name));
  return name;
}

bool IsToolBarClass(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower == "toolbarwindow32";
}

BOOL CALLBACK FindToolBar(HWND child, LPARAM found) {
  if (!IsToolBarClass(ClassNameOf(child))) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

// EnumChildWindows visits every depth.
bool ContainsToolBar(HWND wnd) {
  bool found = false;
  EnumChildWindows(wnd, &FindToolBar, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Listed(HWND wnd) {
  const std::vector<TacAutoSkinned>& list = List();
  return std::any_of(list.begin(), list.end(), [wnd](const TacAutoSkinned& e) { return e.Window == wnd; });
}

bool SkinnedDialogsVisible() {
  for (const TacAutoSkinned& e : List())
    if (ClassNameOf(e.Window) == "#32770" && IsWindowVisible(e.Window)) return true;
  return false;
}

bool ApplicationGoing() {
  TApplication* app = GetApplication();
  return !app || app->Destroying();
}

void OnNotify(int code, WPARAM wParam, LPARAM lParam) {
  if (ApplicationGoing()) return;
  const HWND wnd = reinterpret_cast<HWND>(wParam);
  switch (code) {
    case HCBT_ACTIVATE:
      SkinWindow(wnd);
      break;
    case HCBT_DESTROYWND: {
      // A form frees its provider itself; the slot only goes.
      std::vector<TacAutoSkinned>& list = List();
      list.erase(std::remove_if(list.begin(), list.end(), [wnd](const TacAutoSkinned& e) { return e.Window == wnd; }),
                 list.end());
      break;
    }
    case HCBT_CREATEWND: {
      const CREATESTRUCTA* cs = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
      const std::string cls = ClassNameOf(wnd);
      if (cls == "#32770") {
        SkinWindow(wnd);
      } else if (cls != "TPUtilWindow" && cs->style && cs->dwExStyle && !cs->hwndParent) {
        TForm* main = GetApplication()->MainForm();
        if (!main || !main->HandleAllocated() || main->Handle() != wnd) SkinWindow(wnd);
      }
      break;
    }
    default:
      break;
  }
}

void OnRelease() {
  std::vector<TacAutoSkinned> made;
  made.swap(List());
  // Each form goes on with the platform's frame.
  for (const TacAutoSkinned& e : made) delete e.Provider;
}

const TacCreationHookHandler kHandler{&OnNotify, &OnRelease};

}  // namespace

const TacCreationHookHandler& AutoSkinningHandler() { return kHandler; }

bool SkinWindow(HWND wnd) {
  TsSkinManager* mgr = DefaultManager();
  if (!mgr || !wnd || ApplicationGoing() || Listed(wnd)) return false;
  TacAutoSkinWindow w;
  w.AlreadySkinned = SendSkinCommand(wnd, SMC_ISSKINNED) == 1;
  TForm* form = dynamic_cast<TForm*>(TWinControl::FromHandle(wnd));
  if (form) {
    w.HasForm = true;
    w.FormLoading = form->Loading();
    w.FormClass = form->ClassName();
    w.FormTag = form->Tag;
  }
  w.WindowClass = ClassNameOf(wnd);
  // Owned top-level windows (a box over its main window) have no parent for this rule.
  w.HasParent = (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) != 0;
  if (!form && w.WindowClass == "#32770") {
    w.SkinnedDialogsVisible = SkinnedDialogsVisible();
    w.ContainsToolBar = ContainsToolBar(wnd);
  }
  switch (DecideAutoSkin(w, mgr->SkinningRules())) {
    case TacAutoSkin::FormProvider: {
      TsSkinProvider* provider = new TsSkinProvider(form, true);
      provider->MakeSkinMenu = false;
      List().push_back({wnd, provider});
      return true;
    }
    case TacAutoSkin::DialogFrame:  // platform dialogs keep the platform's frame for now
    case TacAutoSkin::Leave:
      break;
  }
  return false;
}

std::vector<TsSkinProvider*> AutoSkinProviders() {
  std::vector<TsSkinProvider*> out;
  for (const TacAutoSkinned& e : List()) out.push_back(e.Provider);
  return out;
}

void ForgetAutoProvider(TsSkinProvider* provider) {
  std::vector<TacAutoSkinned>& list = List();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [provider](const TacAutoSkinned& e) { return e.Provider == provider; }),
             list.end());
}
