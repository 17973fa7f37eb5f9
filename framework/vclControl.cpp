#include "framework/vclControl.h"

#include <windowsx.h>

#include "framework/vclApplication.h"
#include "framework/vclText.h"
#include "framework/vclWinControl.h"

COLORREF ResolveColor(TColor color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFFu;
}

TShiftState ShiftFromKeys(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_.OnChange = [this]() { Perform(CM_FONTCHANGED); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (parent_ && visible_ && !IsWindowed()) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width < 0 ? 0 : width;
  height_ = height < 0 ? 0 : height;
  if (parent_ && visible_ && !IsWindowed()) Invalidate();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_ && wideCaption_.empty()) return;
  wideCaption_.clear();
  caption_ = caption;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetCaptionW(const std::wstring& caption) {
  if (!wideCaption_.empty() && caption == wideCaption_) return;
  wideCaption_ = caption;
  caption_ = WideToGbk(caption);
  Perform(CM_TEXTCHANGED);
}

std::wstring TControl::CaptionW() const { return wideCaption_.empty() ? GbkToWide(caption_) : wideCaption_; }

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (visible_ && parent_) Invalidate();  // the area it leaves
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (visible_) Invalidate();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  RequestAlign();
}

void TControl::SetAlignWithMargins(bool on, const TMargins& margins) {
  alignWithMargins_ = on;
  margins_ = margins;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

bool TControl::Showing() const {
  if (!visible_) return false;
  return parent_ ? parent_->Showing() : true;
}

POINT TControl::ClientOrigin() const { return POINT{left_, top_}; }

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->hwnd_, &r, FALSE);
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->hwnd_);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TMouseButton b = m.Msg == WM_RBUTTONDOWN ? mbRight : m.Msg == WM_MBUTTONDOWN ? mbMiddle : mbLeft;
      if (b == mbLeft) pressed_ = true;
      MouseDown(b, ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      TMouseButton b = m.Msg == WM_RBUTTONUP ? mbRight : m.Msg == WM_MBUTTONUP ? mbMiddle : mbLeft;
      int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
      bool wasPressed = pressed_ && b == mbLeft;
      if (b == mbLeft) pressed_ = false;
      MouseUp(b, ShiftFromKeys(m.WParam), x, y);
      // A windowless control is clicked by a press and a release inside it.
      if (wasPressed && !IsWindowed() && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
      break;
    }
    case WM_MOUSEMOVE:
      MouseMove(ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      break;
    case CM_MOUSEENTER:
      mouseIn_ = true;
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      mouseIn_ = false;
      if (OnMouseLeave) OnMouseLeave(this);
      break;
    case CM_TEXTCHANGED:
      AdjustSize();
      TextChanged();
      break;
    case CM_FONTCHANGED:
      AdjustSize();
      FontChanged();
      break;
    case CM_COLORCHANGED:
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    case CM_VISIBLECHANGED:
      if (align_ != alNone) RequestAlign();
      break;
    default:
      break;
  }
}
