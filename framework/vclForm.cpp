#include "framework/vclForm.h"

#include "framework/vclApplication.h"
#include "framework/vclGuard.h"
#include "framework/vclText.h"
#include "paint/acGdiHandles.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  SetLoading(true);
  Application->AddForm(this);
}

TForm::~TForm() {
  MarkDestroying();
  // Components go first, while the form is still whole.
  DestroyComponents();
  Application->RemoveForm(this);
  DestroyHandle();
}

void TForm::FinishCreate() {
  LoadedAll();
  if (OnCreate) Guarded(TGuardReport::ErrorBox, [&] { OnCreate(this); });
}

int TForm::Scale(int value) const {
  static int dpi = [] {
    TacWindowDC screen(nullptr);
    int d = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return d > 0 ? d : 96;
  }();
  return MulDiv(value, dpi, 96);
}

void TForm::ApplyDescription(const TFormDescription& d) {
  SetName(d.Name);
  caption_ = d.Caption;
  borderStyle_ = d.BorderStyle;
  borderIcons_ = d.BorderIcons;
  position_ = d.Position;
  font_.SetName(d.FontName);
  font_.SetHeight(Scale(d.FontHeight));
  left_ = d.Left;
  top_ = d.Top;
  SetClientSize(Scale(d.ClientWidth), Scale(d.ClientHeight));
}

void TForm::CreateParams(TCreateParams& p) {
  p.ExStyle = 0;
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  switch (borderStyle_) {
    case bsNone:
      p.Style |= WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      p.Style |= WS_CAPTION | WS_DLGFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (borderStyle_ == bsToolWindow) p.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow) {
      if (borderIcons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  TForm* main = Application->MainForm();
  if (main == this) {
    if (Application->MainFormOnTaskBar) p.ExStyle |= WS_EX_APPWINDOW;
    p.WndParent = nullptr;
  } else if (main && main->HandleAllocated()) {
    p.WndParent = main->Handle();  // owned: stays above the main form, no task-bar button
  }
  if (!enabled_) p.Style |= WS_DISABLED;
  RECT r = {0, 0, clientWidth_, clientHeight_};
  AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  PlaceOnScreen();
  if (alphaBlend_) ApplyAlphaBlend();
}

void TForm::SetAlphaBlend(bool value) {
  if (value == alphaBlend_) return;
  alphaBlend_ = value;
  ApplyAlphaBlend();
}

void TForm::SetAlphaBlendValue(int value) {
  value = value < 0 ? 0 : value > 255 ? 255 : value;
  if (value == alphaBlendValue_) return;
  alphaBlendValue_ = value;
  if (alphaBlend_) ApplyAlphaBlend();
}

void TForm::ApplyAlphaBlend() {
  if (!HandleAllocated()) return;
  HWND w = Handle();
  const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
  if (alphaBlend_) {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(w, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(w, 0, static_cast<BYTE>(alphaBlendValue_), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(w, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    RedrawWindow(w, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (HandleAllocated()) {
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
  }
  AlignControls();
}

void TForm::PlaceOnScreen() {
  if (placed_ || !HandleAllocated()) return;
  placed_ = true;
  RECT area;
  TForm* main = Application->MainForm();
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
      break;
    case poMainFormCenter:
    case poOwnerFormCenter:
      if (main && main != this && main->HandleAllocated()) {
        GetWindowRect(main->Handle(), &area);
        break;
      }
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
      break;
    default:
      return;
  }
  int x = area.left + (area.right - area.left - width_) / 2;
  int y = area.top + (area.bottom - area.top - height_) / 2;
  SetBounds(x, y, width_, height_);
}

void TForm::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (visible) {
    HWND h = Handle();
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    if (OnShow) OnShow(this);
  } else if (HandleAllocated()) {
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) SetForegroundWindow(Handle());
}

int TForm::ShowModal() {
  TForm* main = Application->MainForm();
  HWND ownerWnd = (main && main != this && main->HandleAllocated()) ? main->Handle() : nullptr;
  modal_ = true;
  modalResult_ = mrNone;
  if (ownerWnd) EnableWindow(ownerWnd, FALSE);
  Show();
  while (modalResult_ == mrNone && HandleAllocated() && !Application->Terminated()) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_QUIT) break;  // left in the queue for the main loop
      Application->ProcessMessages();
    } else {
      WaitMessage();
    }
  }
  if (ownerWnd) EnableWindow(ownerWnd, TRUE);
  SetVisible(false);
  if (ownerWnd) SetActiveWindow(ownerWnd);
  modal_ = false;
  int result = modalResult_ == mrNone ? mrCancel : modalResult_;
  return result;
}

void TForm::Close() {
  TCloseAction action = modal_ ? caHide : (Application->MainForm() == this ? caFree : caHide);
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (modal_) {
    modalResult_ = mrCancel;
  } else if (Application->MainForm() == this) {
    SetVisible(false);
    Application->Terminate();
  } else {
    SetVisible(false);
  }
}

void TForm::CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->IsWindowed()) continue;
    TWinControl* w = static_cast<TWinControl*>(c);
    if (w->TabStop() && w->CanFocus()) out.push_back(w);
    CollectTabStops(w, out);
  }
}

void TForm::SelectNext(bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  if (stops.empty()) return;
  HWND focus = GetFocus();
  size_t n = stops.size(), at = n;
  for (size_t i = 0; i < n; ++i)
    if (stops[i]->HandleAllocated() && stops[i]->Handle() == focus) at = i;
  size_t next = at == n ? 0 : (forward ? (at + 1) % n : (at + n - 1) % n);
  stops[next]->SetFocus();
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
    case WM_WINDOWPOSCHANGED: {
      TWinControl::WndProc(m);
      RECT rc;
      GetClientRect(Handle(), &rc);
      if (rc.right != clientWidth_ || rc.bottom != clientHeight_) {
        clientWidth_ = rc.right;
        clientHeight_ = rc.bottom;
        AlignControls();
      }
      return;
    }
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        // Give focus to the first tab stop when nothing inside has it.
        HWND f = GetFocus();
        if (!f || GetAncestor(f, GA_ROOT) != Handle()) SelectNext(true);
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}
