#include "controls/sLabel.h"

#include <shellapi.h>

#include "framework/vclWinControl.h"

TsWebLabel::TsWebLabel(TComponent* owner) : TsLabel(owner) { cursor_ = crHandPoint; }

void TsWebLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
      if (!hovering_) {
        hovering_ = true;
        normalFont_.Assign(font_);
        font_.Assign(hoverFont_);
      }
      break;
    case CM_MOUSELEAVE:
      if (hovering_) {
        hovering_ = false;
        font_.Assign(normalFont_);
      }
      break;
    default:
      break;
  }
  TsLabel::WndProc(m);
}

void TsWebLabel::Click() {
  TsLabel::Click();
  if (URL.empty()) return;
  HWND owner = nullptr;
  for (TWinControl* p = Parent(); p; p = p->Parent()) owner = p->HandleAllocated() ? p->Handle() : owner;
  ShellExecuteA(owner, "open", URL.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
