#include "framework/vclStdCtrls.h"
#include "paint/acGdiHandles.h"

#include <windowsx.h>

#include "framework/vclCanvas.h"
#include "framework/vclGraphics.h"
#include "framework/vclText.h"

// ---- TLabel

TLabel::TLabel(TComponent* owner) : TControl(owner) { color_ = clBtnFace; }

void TLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  AdjustSize();
}

void TLabel::SetWordWrap(bool on) {
  wordWrap_ = on;
  AdjustSize();
  Invalidate();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (wordWrap_) flags |= DT_WORDBREAK;
  return flags;
}

RECT TLabel::TextRect(HDC dc) const {
  TCanvas canvas(dc);
  canvas.Font().Assign(font_);
  RECT calc = {0, 0, width_, height_};
  std::string text = caption_.empty() ? std::string(" ") : caption_;
  canvas.DrawText(text, calc, TextFlags() | DT_CALCRECT);
  return calc;
}

void TLabel::AdjustSize() {
  if (!autoSize_ || align_ != alNone || wordWrap_) return;
  TacWindowDC screen(nullptr);
  RECT r = TextRect(screen.Get());
  SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  if (layout_ != tlTop) {
    RECT calc = TextRect(canvas.Handle());
    int h = calc.bottom - calc.top;
    r.top = layout_ == tlCenter ? (height_ - h) / 2 : height_ - h;
  }
  canvas.Font().Assign(font_);
  if (!enabled_) canvas.Font().SetColor(ResolveColor(clGrayText));
  else canvas.Font().SetColor(ResolveColor(font_.Color()));
  canvas.DrawText(caption_, r, TextFlags());
}

// ---- TButton

TButton::TButton(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (enabled_) {
        SetFocus();
        SetCapture(Handle());
        tracking_ = true;
        down_ = true;
        Invalidate();
      }
      break;
    case WM_MOUSEMOVE:
      if (tracking_) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        RECT r = ClientRect();
        bool inside = PtInRect(&r, p) != FALSE;
        if (inside != down_) {
          down_ = inside;
          Invalidate();
        }
      }
      break;
    case WM_LBUTTONUP:
      if (tracking_) {
        bool click = down_;
        tracking_ = false;
        down_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        Invalidate();
        TCustomControl::WndProc(m);
        if (click) Click();
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      if (tracking_) {
        tracking_ = false;
        down_ = false;
        Invalidate();
      }
      break;
    case WM_GETDLGCODE:
      m.Result = DLGC_BUTTON;
      return;
    case WM_KEYDOWN:
      if (m.WParam == VK_SPACE && !(m.LParam & 0x40000000)) {
        down_ = true;
        Invalidate();
      } else if (m.WParam == VK_RETURN) {
        Click();
      }
      break;
    case WM_KEYUP:
      if (m.WParam == VK_SPACE && down_) {
        down_ = false;
        Invalidate();
        Click();
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TButton::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  HDC dc = canvas.Handle();
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down_ ? DFCS_PUSHED : 0));
  const TacBitmap* glyph = GlyphBitmap();
  canvas.Font().Assign(font_);
  canvas.Font().SetColor(ResolveColor(enabled_ ? clBtnText : clGrayText));
  SIZE text = canvas.TextExtent(caption_);
  int glyphW = glyph ? glyph->Width() + 4 : 0;
  int x = (width_ - text.cx - glyphW) / 2 + (down_ ? 1 : 0);
  int y = (height_ - text.cy) / 2 + (down_ ? 1 : 0);
  if (glyph) DrawAlphaBitmap(dc, x, (height_ - glyph->Height()) / 2 + (down_ ? 1 : 0), *glyph);
  canvas.TextOut(x + glyphW, y, caption_);
  if (Focused()) {
    RECT f = r;
    InflateRect(&f, -4, -4);
    DrawFocusRect(dc, &f);
  }
}

// ---- TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {}

int TGroupBox::CaptionHeight() const {
  TacWindowDC screen(nullptr);
  TCanvas canvas(screen.Get());
  canvas.Font().Assign(font_);
  return canvas.TextExtent("0").cy;
}

RECT TGroupBox::AdjustedClientRect() const {
  RECT r = ClientRect();
  r.top += CaptionHeight();
  InflateRect(&r, -2, -2);
  return r;
}

void TGroupBox::TextChanged() {
  Invalidate();
  AlignControls();
}

void TGroupBox::Paint(TCanvas& canvas) {
  int h = CaptionHeight();
  RECT frame = {0, h / 2, width_, height_};
  DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
  if (caption_.empty()) return;
  const std::wstring caption = CaptionW();
  canvas.Font().Assign(font_);
  SIZE s = canvas.TextExtent(caption);
  RECT t = {8, 0, 8 + s.cx + 4, h};
  canvas.FillRect(t, ResolveColor(color_));
  t.left += 2;
  canvas.Font().SetColor(ResolveColor(enabled_ ? font_.Color() : clGrayText));
  canvas.DrawText(caption, t, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TCustomControl(owner) {}

void TRadioButton::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  if (on && parent_) {
    // One choice per parent: checking one clears its sibling radio buttons.
    for (int i = 0; i < parent_->ControlCount(); ++i) {
      TRadioButton* other = dynamic_cast<TRadioButton*>(parent_->Controls(i));
      if (other && other != this) other->SetChecked(false);
    }
  }
  SetTabStop(on);
  Invalidate();
}

void TRadioButton::Click() {
  SetChecked(true);
  TCustomControl::Click();
}

void TRadioButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      if (enabled_) SetFocus();
      break;
    case WM_LBUTTONUP: {
      TCustomControl::WndProc(m);
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      RECT r = ClientRect();
      if (enabled_ && PtInRect(&r, p)) Click();
      return;
    }
    case WM_KEYDOWN:
      if (m.WParam == VK_SPACE) Click();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TRadioButton::Paint(TCanvas& canvas) {
  int box = 13;
  RECT b = {0, (height_ - box) / 2, box, (height_ - box) / 2 + box};
  DrawFrameControl(canvas.Handle(), &b, DFC_BUTTON,
                   DFCS_BUTTONRADIO | (checked_ ? DFCS_CHECKED : 0) | (enabled_ ? 0 : DFCS_INACTIVE));
  RECT t = {box + 4, 0, width_, height_};
  canvas.Font().Assign(font_);
  canvas.Font().SetColor(ResolveColor(enabled_ ? font_.Color() : clGrayText));
  canvas.DrawText(caption_, t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (Focused()) {
    RECT f = t;
    canvas.DrawText(caption_, f, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    int h = f.bottom - f.top;
    f.top = (height_ - h) / 2 - 1;
    f.bottom = f.top + h + 2;
    f.left -= 1;
    f.right += 1;
    DrawFocusRect(canvas.Handle(), &f);
  }
}

// ---- TImage

void TImage::Paint(TCanvas& canvas) {
  if (!picture_) return;
  int x = Center ? (width_ - picture_->Width()) / 2 : 0;
  int y = Center ? (height_ - picture_->Height()) / 2 : 0;
  DrawAlphaBitmap(canvas.Handle(), x, y, *picture_);
}
