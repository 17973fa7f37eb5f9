#include "framework/vclWinControl.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/vclApplication.h"
#include "framework/vclCanvas.h"
#include "framework/vclGuard.h"
#include "framework/vclText.h"
#include "paint/acGdiHandles.h"

namespace {
const wchar_t kWindowClass[] = L"VqWindow";
const wchar_t kControlProp[] = L"VqControl";

void RegisterWindowClass(WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);
  registered = true;
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // The window's last messages must not reach handlers of an object being destroyed.
  if (hwnd_) RemovePropW(hwnd_, kControlProp);
  DestroyHandle();
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!hwnd_) CreateWnd();
  return hwnd_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (visible_) p.Style |= WS_VISIBLE;
  if (!enabled_) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.WndParent = parent_ ? parent_->Handle() : nullptr;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
}

void TWinControl::CreateWnd() {
  RegisterWindowClass(&TWinControl::StdWndProc);
  TCreateParams p;
  CreateParams(p);
  if (hwnd_) return;  // a parent's creation may already have created this window
  std::wstring caption = CaptionW();
  CreateWindowExW(p.ExStyle, kWindowClass, caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height, p.WndParent,
                  nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) return;
  // Children's windows follow in control order.
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]->IsWindowed()) static_cast<TWinControl*>(controls_[i])->Handle();
  HandleCreated();
}

void TWinControl::DestroyHandle() {
  if (!hwnd_) return;
  HWND h = hwnd_;
  DestroyWindow(h);
  hwnd_ = nullptr;
}

LRESULT TWinControl::SendToOwnWindow(UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND h = hwnd_;
  if (!h) return 0;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)) != &TWinControl::StdWndProc ||
      GetWindowThreadProcessId(h, nullptr) != GetCurrentThreadId() || msg == WM_NCCREATE || msg == WM_NCDESTROY)
    return SendMessageW(h, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  Guarded(TGuardReport::ErrorBox, [&] { WindowProc(m); });
  return m.Result;
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetPropW(hwnd, kControlProp, self);
    self->hwnd_ = hwnd;
  } else {
    self = FromHandle(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  Guarded(TGuardReport::ErrorBox, [&] { self->WindowProc(m); });
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kControlProp);
    if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (hwnd_) m.Result = DefWindowProcW(hwnd_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (control->IsWindowed() && hwnd_) static_cast<TWinControl*>(control)->Handle();
  if (control->align_ != alNone) AlignControls();
  if (!control->IsWindowed()) control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  if (!control->IsWindowed()) control->Invalidate();
  if (hotChild_ == control) hotChild_ = nullptr;
  if (captureChild_ == control) captureChild_ = nullptr;
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end()) controls_.erase(it);
  control->parent_ = nullptr;
}

TControl* TWinControl::GraphicControlAt(POINT p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->visible_) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  bool resized = width != width_ || height != height_;
  TControl::SetBounds(left, top, width, height);
  UpdateWindowBounds();
  if (resized) AlignControls();
}

void TWinControl::UpdateWindowBounds() {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetVisible(bool visible) {
  TControl::SetVisible(visible);
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TWinControl::Repaint() {
  if (hwnd_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
}

void TWinControl::SetFocus() {
  HWND h = Handle();
  if (h) ::SetFocus(h);
}

bool TWinControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

bool TWinControl::CanFocus() const { return hwnd_ && Showing() && enabled_ && IsWindowEnabled(hwnd_); }

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  RECT area = AdjustedClientRect();
  for (TControl* c : controls_) {
    if (c->align_ == alNone || !c->visible_) continue;
    TMargins m = c->alignWithMargins_ ? c->margins_ : TMargins{0, 0, 0, 0};
    int l = area.left + m.Left, t = area.top + m.Top;
    int w = c->width_, h = c->height_;
    switch (c->align_) {
      case alClient:
        w = area.right - area.left - m.Left - m.Right;
        h = area.bottom - area.top - m.Top - m.Bottom;
        break;
      case alTop:
        w = area.right - area.left - m.Left - m.Right;
        area.top += h + m.Top + m.Bottom;
        break;
      case alBottom:
        w = area.right - area.left - m.Left - m.Right;
        t = area.bottom - m.Bottom - h;
        area.bottom -= h + m.Top + m.Bottom;
        break;
      case alLeft:
        h = area.bottom - area.top - m.Top - m.Bottom;
        area.left += w + m.Left + m.Right;
        break;
      case alRight:
        h = area.bottom - area.top - m.Top - m.Bottom;
        l = area.right - m.Right - w;
        area.right -= w + m.Left + m.Right;
        break;
      default:
        break;
    }
    c->SetBounds(l, t, w, h);
  }
  aligning_ = false;
}

void TWinControl::PaintBackground(TCanvas& canvas) {
  RECT r = ClientRect();
  canvas.FillRect(r, ResolveColor(color_));
}

void TWinControl::PaintWindow(HDC dc) {
  {
    TCanvas canvas(dc);
    canvas.Font().Assign(font_);
    PaintBackground(canvas);
    Paint(canvas);
  }
  PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->visible_ || c->width_ <= 0 || c->height_ <= 0) continue;
    int saved = SaveDC(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    IntersectClipRect(dc, c->left_, c->top_, c->left_ + c->width_, c->top_ + c->height_);
    SetViewportOrgEx(dc, org.x + c->left_, org.y + c->top_, nullptr);
    {
      TCanvas canvas(dc);
      canvas.Font().Assign(c->font_);
      c->Paint(canvas);
    }
    RestoreDC(dc, saved);
  }
}

void TWinControl::SetHotChild(TControl* child) {
  if (child == hotChild_) return;
  TControl* old = hotChild_;
  hotChild_ = child;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (child) child->Perform(CM_MOUSEENTER);
}

void TWinControl::RouteMouse(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN ||
              m.Msg == WM_LBUTTONDBLCLK;
  bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
  if (m.Msg == WM_MOUSEMOVE) {
    if (!tracking_) {
      TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hwnd_, 0};
      tracking_ = TrackMouseEvent(&tme) != FALSE;
    }
    if (!mouseIn_) Perform(CM_MOUSEENTER);
  }
  TControl* target = captureChild_ ? captureChild_ : GraphicControlAt(p);
  if (target && !target->enabled_) target = nullptr;
  if (m.Msg == WM_MOUSEMOVE && !captureChild_) SetHotChild(target);
  if (target) {
    if (down) {
      captureChild_ = target;
      SetCapture(hwnd_);
    }
    TMessage cm{m.Msg, m.WParam, MAKELPARAM(p.x - target->left_, p.y - target->top_), 0};
    if (up) {
      captureChild_ = nullptr;
      if (GetCapture() == hwnd_) ReleaseCapture();
    }
    target->WindowProc(cm);
    m.Result = 0;
    return;
  }
  TControl::WndProc(m);
  DefaultHandler(m);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      TacPaintDC dc(hwnd_);
      RECT rc;
      GetClientRect(hwnd_, &rc);
      if (dc && rc.right > 0 && rc.bottom > 0) {
        // Compose the whole client area off screen, then copy it in one go.
        TacMemoryDC mem(dc.Get());
        const TacBitmapHandle bmp = NewCompatibleBitmap(dc.Get(), rc.right, rc.bottom);
        if (mem && bmp) {
          TacSelectObject picture(mem.Get(), bmp.Get());
          PaintWindow(mem.Get());
          BitBlt(dc.Get(), 0, 0, rc.right, rc.bottom, mem.Get(), 0, 0, SRCCOPY);
        }
      }
      m.Result = 0;
      return;
    }
    case WM_PRINTCLIENT:
      PaintWindow(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      RouteMouse(m);
      return;
    case WM_MOUSELEAVE:
      tracking_ = false;
      SetHotChild(nullptr);
      if (mouseIn_) Perform(CM_MOUSELEAVE);
      return;
    case WM_CAPTURECHANGED:
      captureChild_ = nullptr;
      break;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == hwnd_) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        TControl* c = GraphicControlAt(p);
        TCursor cur = (c ? c : this)->cursor_;
        ::SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(cur == crHandPoint ? 32649 : 32512)));
        m.Result = TRUE;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      bool resized = false;
      if (!(wp->flags & SWP_NOMOVE)) {
        left_ = wp->x;
        top_ = wp->y;
      }
      if (!(wp->flags & SWP_NOSIZE)) {
        resized = wp->cx != width_ || wp->cy != height_;
        width_ = wp->cx;
        height_ = wp->cy;
      }
      if (resized) AlignControls();
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      if (hwnd_) EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
      Invalidate();
      return;
    case CM_TEXTCHANGED:
      if (hwnd_) SetWindowTextW(hwnd_, CaptionW().c_str());
      break;
    default:
      break;
  }
  if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x1000) {
    TControl::WndProc(m);
    return;
  }
  if (m.Msg == SM_ALPHACMD) return;  // not skin-aware: answers 0
  DefaultHandler(m);
}
