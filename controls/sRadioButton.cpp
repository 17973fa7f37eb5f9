#include "controls/sRadioButton.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "framework/vclCanvas.h"
#include "framework/vclText.h"
#include "paint/acBgRequest.h"
#include "paint/acColors.h"
#include "paint/sItemPaint.h"
#include "paint/sMaskPieces.h"
#include "paint/sStateGlyph.h"
#include "paint/acGdiHandles.h"
#include "paint/acSkinnedText.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

namespace {

TacRect ToTacRect(const RECT& r) { return TacRect{r.left, r.top, r.right, r.bottom}; }

TacBitmapPtr CopyOf(const TacBitmap* src) {
  if (!src || src->Width() <= 0 || src->Height() <= 0) return nullptr;
  TacBitmapPtr copy = NewBitmap(src->Width(), src->Height(), src->Format());
  if (!copy) return nullptr;
  const size_t bytes = static_cast<size_t>(src->Width()) * static_cast<size_t>(src->BytesPerPixel());
  for (int y = 0; y < src->Height(); ++y) std::copy_n(src->Row(y), bytes, copy->Row(y));
  return copy;
}

// The skin's check glyph for a state of the button, or null.
const TsMaskData* SkinGlyph(const TsSkinModel* model, bool checked) {
  if (!model) return nullptr;
  const int global = model->ConstData.IndexGlobalInfo;
  const int index = model->GetMaskIndex(global, "GLOBALINFO", checked ? "RADIOCHECKED" : "RADIOUNCHECKED");
  return model->IsValidImgIndex(index) ? &model->Masks[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

TsRadioButton::TsRadioButton(TComponent* owner) : TRadioButton(owner) {
  skinData_ = std::make_unique<TsCommonData>(this, false);
  skinData_->ControlKind = ckRadioButton;
  skinData_->BindingLoaded();
  AdjustBounds();
}

TsRadioButton::~TsRadioButton() {
  MarkDestroying();
  if (skinData_) StopFade();
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  skinData_.reset();
}

void TsRadioButton::Loaded() {
  TRadioButton::Loaded();
  skinData_->BindingLoaded();
  AdjustBounds();
}

bool TsRadioButton::Skinned() const { return skinData_ && skinData_->IsSkinned(); }

bool TsRadioButton::OwnManager(const TMessage& m) const {
  return ManagerFromParam(m.LParam) == skinData_->SkinManager();
}

void TsRadioButton::StopFade() { ::StopFade(fade_, *skinData_); }

// ---- properties

void TsRadioButton::SetAutoSize(bool on) {
  if (on == autoSize_) return;
  autoSize_ = on;
  AdjustBounds();
}

void TsRadioButton::SetMargin(int margin) {
  if (margin == margin_) return;
  margin_ = margin;
  AdjustBounds();
  Invalidate();
}

void TsRadioButton::SetTextIndent(int indent) {
  if (indent == textIndent_) return;
  textIndent_ = indent;
  AdjustBounds();
  Invalidate();
}

void TsRadioButton::SetShowFocus(bool on) {
  if (on == showFocus_) return;
  showFocus_ = on;
  Invalidate();
}

void TsRadioButton::SetDisabledKind(TsDisabledKind kind) {
  if (kind == disabledKind_) return;
  disabledKind_ = kind;
  skinData_->RequestRepaint();
}

void TsRadioButton::SetWordWrap(bool on) {
  // A button that sizes itself to its caption keeps it on one line.
  wordWrap_ = on && !autoSize_;
  AdjustBounds();
  Invalidate();
}

void TsRadioButton::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  skinData_->RequestRepaint();
}

void TsRadioButton::SetGlyph(TacBitmapPtr& slot, const TacBitmap* glyph, bool checkedSlot) {
  slot = CopyOf(glyph);
  AdjustBounds();
  if (checkedSlot == checked_) skinData_->RequestRepaint();
}

void TsRadioButton::SetGlyphChecked(const TacBitmap* glyph) { SetGlyph(glyphChecked_, glyph, true); }
void TsRadioButton::SetGlyphUnChecked(const TacBitmap* glyph) { SetGlyph(glyphUnChecked_, glyph, false); }

void TsRadioButton::SetChecked(bool on) {
  if (on == checked_) return;
  Perform(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
}

void TsRadioButton::Click() { TRadioButton::Click(); }

// ---- geometry

bool TsRadioButton::GlyphAtLeft() const { return alignment_ == taRightJustify; }

const TacBitmap* TsRadioButton::OwnGlyph() const {
  const TacBitmap* g = checked_ ? glyphChecked_.get() : glyphUnChecked_.get();
  return g && g->Width() > 0 && g->Height() > 0 ? g : nullptr;
}

RECT TsRadioButton::CheckRect() const {
  if (const TacBitmap* g = OwnGlyph()) {
    const int gh = g->Height();
    const int gw = g->Width() % gh == 0 ? gh : g->Width();
    const int top = (height_ - gh) / 2;
    const int left = GlyphAtLeft() ? margin_ : width_ - margin_ - gw;
    return RECT{left, top, left + gw, top + gh};
  }
  const TsSkinManager* m = skinData_ ? skinData_->SkinManager() : nullptr;
  const TsMaskData* mask = SkinGlyph(m, checked_);
  if (!mask) return RECT{0, 0, 16, 16};
  int fw, fh;
  if (mask->Bmp) {
    fw = mask->Bmp->Width() / 3;
    fh = mask->Bmp->Height() / 2;
  } else {
    fw = mask->R.Width() / std::max<int>(1, mask->ImageCount);
    fh = mask->R.Height() / (mask->MaskType + 1);
  }
  const int left = GlyphAtLeft() ? margin_ : width_ - fw - margin_;
  const int top = (height_ - fh) / 2;
  return RECT{left, top, left + fw, top + fh};
}

void TsRadioButton::AdjustSize() { AdjustBounds(); }

void TsRadioButton::AdjustBounds() {
  if (adjusting_ || !autoSize_ || Loading() || Destroying() || !Skinned()) return;
  adjusting_ = true;
  const RECT cr = CheckRect();
  const SIZE text = caption_.empty() ? SIZE{0, 0} : TextExtentInFont(font_, caption_);
  int w = (cr.right - cr.left) + 2 * margin_;
  if (!caption_.empty()) w += text.cx + textIndent_ + 8;
  const int h = std::max<int>(caption_.empty() ? 0 : text.cy + 2 * margin_, cr.bottom - cr.top) + 2;
  SetBounds(left_, top_, w, h);
  adjusting_ = false;
}

// ---- painting

void TsRadioButton::PaintCaption(TCanvas& canvas, bool hot) {
  if (caption_.empty()) return;
  const RECT cr = CheckRect();
  const int w = width_ - (cr.right - cr.left) - textIndent_ - 2 * margin_ - 2;
  RECT calc{0, 0, std::max(w, 0), 0};
  canvas.Font().Assign(font_);
  canvas.DrawText(caption_, calc, (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE) | DT_CALCRECT);
  const int tw = calc.right - calc.left, th = calc.bottom - calc.top;
  const int top = std::max(margin_, (height_ - th) / 2);
  RECT r = GlyphAtLeft() ? RECT{width_ - w - margin_ + 2, top, width_ - margin_, top + th}
                         : RECT{margin_, top, w + margin_, top + th};
  OffsetRect(&r, wordWrap_ ? -1 : 0, -1);
  const UINT flags = wordWrap_ ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE;
  DrawSkinnedText(canvas, caption_, enabled_, hot, skinData_->TextBinding(), flags, ToTacRect(r));
  if (Focused() && showFocus_) {
    if (!wordWrap_) r.bottom -= 1;
    r.top += 1;
    r.right = r.left + tw;
    InflateRect(&r, 1, 1);
    DrawFocusDots(canvas, ToTacRect(r));
  }
}

void TsRadioButton::PaintGlyph(TacBitmap* cache) {
  const RECT cr = CheckRect();
  const bool active = skinData_->ControlIsActive() && !ReadOnlyState();
  if (const TacBitmap* g = OwnGlyph()) {
    const int gh = g->Height();
    const int gw = g->Width() % gh == 0 ? gh : g->Width();
    const int frames = std::max(1, g->Width() / gh);
    const int index = mousePressed_ ? std::min(frames - 1, 2) : !active ? 0 : std::min(frames - 1, 1);
    // A 24-bit glyph keeps its mask in its lower half: only its colour rows are drawn.
    CopyImageRect(ToTacRect(cr), TacRect{index * gw, 0, (index + 1) * gw, gh}, cache, false, EmptyParentImage, g);
    return;
  }
  const TsMaskData* mask = SkinGlyph(skinData_->SkinManager(), checked_);
  if (!mask) return;
  const int state = mousePressed_ ? 2 : active ? 1 : 0;
  DrawStateGlyph(cache, TacPoint{cr.left, cr.top}, state, 1, *mask, ParentImageFromBitmap(cache, 0, 0));
}

void TsRadioButton::PaintCache() {
  TacBitmap* cache = skinData_->InitCacheBitmap();
  if (!cache || cache->Width() <= 0 || cache->Height() <= 0 || !cache->Handle()) return;
  TBitmapCanvas canvas(*cache);
  canvas.Font().Assign(font_);

  // What lies behind the button, painted into the cache itself.
  TacBgRequest request;
  request.PaintNow = true;
  request.TargetDC = canvas.Handle();
  request.Offset = TacPoint{left_, top_};
  request.Area = TacRect{0, 0, width_, height_};
  SendBgRequest(this, request, true);
  GdiFlush();
  const TacParentImage pi = ParentImageFromBitmap(cache, 0, 0);
  TacBitmapPtr background = enabled_ ? nullptr : CopyOf(cache);

  const bool hot = skinData_->ControlIsActive() && !ReadOnlyState();
  PaintControlItem(*skinData_, pi, true, true, cache, TacPoint{0, 0}, TacRect{0, 0, width_, height_}, hot ? 1 : 0);
  PaintCaption(canvas, hot);
  GdiFlush();
  PaintGlyph(cache);
  if (!enabled_) {
    const TacParentImage behind = background ? ParentImageFromBitmap(background.get(), 0, 0) : pi;
    DisabledLook(cache, disabledKind_, [this] { return skinData_->GetControlColor(0); }, TacPoint{0, 0}, behind);
  }
  skinData_->CacheDirty = false;
}

void TsRadioButton::PaintButton(HDC given) {
  std::optional<TacPaintDC> cycle;
  HDC dc = given;
  if (!dc) {
    cycle.emplace(Handle());
    dc = cycle->Get();
  }
  if (!dc || !PaintAllowedInto(dc)) return;
  if (skinData_->ComputeDeferred()) {
    skinData_->PaintDeferred = true;
    return;
  }
  // A running fade paints the window itself.
  if (fade_ && fade_->Running()) return;
  PaintCache();
  CopyCacheToDC(this, *skinData_, 0, 0, ClientRect(), dc, 0, 0, true);
}

// ---- keyboard group

TsRadioButton* TsRadioButton::Neighbour(bool forward) const {
  if (!parent_) return nullptr;
  const int n = parent_->ControlCount();
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (parent_->Controls(i) == this) at = i;
  if (at < 0) return nullptr;
  for (int step = 1; step < n; ++step) {
    const int i = forward ? (at + step) % n : (at - step + n) % n;
    auto* other = dynamic_cast<TsRadioButton*>(parent_->Controls(i));
    if (other && other->CanFocus()) return other;
  }
  return nullptr;
}

// ---- messages

bool TsRadioButton::HandleSkinCommand(TMessage& m) {
  switch (CommandCode(m.WParam)) {
    case SMC_NEWSKIN:
      if (!OwnManager(m)) return false;
      StopFade();
      skinData_->HandleSkinCommand(m);
      return true;
    case SMC_REMOVESKIN:
      if (!OwnManager(m)) return false;
      StopFade();
      skinData_->HandleSkinCommand(m);
      Repaint();
      return true;
    case SMC_REFRESH:
      if (!OwnManager(m)) return false;
      StopFade();
      skinData_->HandleSkinCommand(m);
      AdjustBounds();
      Repaint();
      return true;
    case SMC_ISSKINNED:
      m.Result = 1;
      return true;
    case SMC_STOPANIMATIONS:
      StopFade();
      // The cache holds the fade's target: make sure the window shows the state as it is now.
      Invalidate();
      return true;
    case SMC_BUILDCACHE:
      PaintCache();
      return false;
    default:
      return false;
  }
}

bool TsRadioButton::HandleSkinnedMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_ENABLE:
    case WM_NCPAINT:
    case BM_SETSTATE:
      return true;
    case WM_PAINT:
      PaintButton(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return true;
    case WM_PRINT:
      skinData_->PaintDeferred = false;
      PaintButton(reinterpret_cast<HDC>(m.WParam));
      return true;
    case WM_ERASEBKGND:
      m.Result = 1;
      return true;
    case BM_SETCHECK: {
      const bool on = m.WParam == BST_CHECKED;
      if (on == checked_) return true;
      TRadioButton::SetChecked(on);
      if (fade_ && fade_->Running()) {
        StopFade();
        Invalidate();
      }
      // The cache still shows the old look: the fade starts from it.
      skinData_->CacheDirty = false;
      ChangeStateImage(fade_, *skinData_, true, 1,
                       AnimationAllowed(aeMouseUp, animatEvents_, skinData_->SkinManager()));
      return true;
    }
    case WM_KEYDOWN:
      if (!enabled_) return false;
      if (m.WParam == VK_SPACE) {
        if (ReadOnlyState()) return true;
        if (!(m.LParam & 0x40000000)) {
          mousePressed_ = true;
          SetFocus();
          Invalidate();
        }
        return true;
      }
      return false;
    case WM_KEYUP:
      if (!enabled_ || m.WParam != VK_SPACE) return false;
      if (ReadOnlyState()) return true;
      if (mousePressed_) {
        mousePressed_ = false;
        if (CanChange() && !checked_)
          Click();
        else
          Invalidate();
      }
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!enabled_) return false;
      if (ReadOnlyState()) return true;
      mousePressed_ = true;
      skinData_->CacheDirty = false;
      ChangeStateImage(fade_, *skinData_, true, 1,
                       AnimationAllowed(aeMouseDown, animatEvents_, skinData_->SkinManager()));
      SetFocus();
      SetCapture(Handle());
      MouseDown(mbLeft, ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      return true;
    case WM_LBUTTONUP: {
      if (!enabled_) return false;
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      const RECT r = ClientRect();
      const bool wasPressed = mousePressed_;
      mousePressed_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      if (wasPressed && !ReadOnlyState() && CanChange() && !checked_ && PtInRect(&r, p)) {
        Click();
      } else if (wasPressed) {
        // Released without a change of check: back from the pressed look.
        skinData_->CacheDirty = false;
        ChangeStateImage(fade_, *skinData_, true, 1,
                         AnimationAllowed(aeMouseUp, animatEvents_, skinData_->SkinManager()));
      }
      MouseUp(mbLeft, ShiftFromKeys(m.WParam), p.x, p.y);
      return true;
    }
    case WM_CAPTURECHANGED:
      if (mousePressed_ && reinterpret_cast<HWND>(m.LParam) != Handle()) {
        mousePressed_ = false;
        skinData_->RequestRepaint();
      }
      return false;
    case CM_ENABLEDCHANGED:
      TRadioButton::WndProc(m);
      skinData_->RequestRepaint();
      return true;
    case WM_SIZE:
      // Glyph and caption are centred: all of the button is painted again.
      Invalidate();
      return false;
    case CM_TEXTCHANGED:
      if (HandleAllocated()) SetWindowTextW(Handle(), CaptionW().c_str());
      if (autoSize_) AdjustBounds();
      skinData_->RequestRepaint();
      return true;
    default:
      break;
  }
  if (m.Msg == SM_ALPHACMD && CommandCode(m.WParam) == SMC_PARENTUPDATED) {
    if (skinData_->PaintDeferred || skinData_->PartlyHidden) {
      skinData_->PaintDeferred = false;
      if (HandleAllocated() && Showing())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return true;
  }
  return false;
}

void TsRadioButton::HandleUnskinnedMessage(TMessage& m) {
  switch (m.Msg) {
    case BM_SETCHECK:
      TRadioButton::SetChecked(m.WParam == BST_CHECKED);
      return;
    case WM_KEYDOWN:
      if (m.WParam == VK_SPACE) {
        if (!ReadOnlyState()) mousePressed_ = true;
        return;
      }
      break;
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) {
        if (mousePressed_ && enabled_ && CanChange()) Click();
        mousePressed_ = false;
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      mousePressed_ = !ReadOnlyState();
      if (ReadOnlyState()) {
        if (enabled_) SetFocus();
        TCustomControl::WndProc(m);
        return;
      }
      break;
    case WM_LBUTTONUP:
      mousePressed_ = false;
      if (ReadOnlyState() || !CanChange()) {
        TCustomControl::WndProc(m);
        return;
      }
      break;
    default:
      break;
  }
  TRadioButton::WndProc(m);
}

void TsRadioButton::WndProc(TMessage& m) {
  if (!skinData_) {
    TRadioButton::WndProc(m);
    return;
  }
  if (m.Msg == SM_ALPHACMD && HandleSkinCommand(m)) return;
  // Arrow keys move through the group, checking as they go, as on any dialog.
  if (m.Msg == WM_KEYDOWN && enabled_ &&
      (m.WParam == VK_UP || m.WParam == VK_DOWN || m.WParam == VK_LEFT || m.WParam == VK_RIGHT)) {
    if (TsRadioButton* next = Neighbour(m.WParam == VK_DOWN || m.WParam == VK_RIGHT)) {
      next->SetFocus();
      if (!next->ReadOnlyState() && next->CanChange() && !next->Checked()) next->Click();
    }
    return;
  }
  const bool designing = (ComponentState() & csDesigning) != 0;
  if (Skinned() && !designing) {
    switch (m.Msg) {
      case WM_SETFOCUS:
        if (enabled_) {
          TRadioButton::WndProc(m);
          skinData_->CacheDirty = true;
          if (fade_)
            fade_->FadeStep();
          else
            Invalidate();
        }
        return;
      case WM_KILLFOCUS:
        if (enabled_) {
          StopFade();
          TRadioButton::WndProc(m);
          skinData_->HasFocus = false;
          skinData_->MouseOver = false;
          mousePressed_ = false;
          skinData_->RequestRepaint();
          return;
        }
        break;
      case CM_MOUSEENTER:
        if (enabled_ && !skinData_->MouseOver) {
          skinData_->MouseOver = true;
          skinData_->CacheDirty = false;
          ChangeStateImage(fade_, *skinData_, false, 1,
                           AnimationAllowed(aeMouseEnter, animatEvents_, skinData_->SkinManager()));
        }
        break;
      case CM_MOUSELEAVE:
        if (enabled_) {
          skinData_->MouseOver = false;
          if (!(GetCapture() == Handle() && mousePressed_)) mousePressed_ = false;
          skinData_->CacheDirty = false;
          ChangeStateImage(fade_, *skinData_, false, 1,
                           AnimationAllowed(aeMouseLeave, animatEvents_, skinData_->SkinManager()));
        }
        break;
      default:
        break;
    }
  }
  if (ControlIsReady(this)) {
    if (skinData_->CommonWndProc(m)) return;
    if (Skinned()) {
      if (HandleSkinnedMessage(m)) return;
      TRadioButton::WndProc(m);
      return;
    }
  }
  HandleUnskinnedMessage(m);
}
