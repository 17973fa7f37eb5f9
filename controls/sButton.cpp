#include "controls/sButton.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/vclCanvas.h"
#include "framework/vclText.h"
#include "framework/vclForm.h"
#include "paint/acGdiHandles.h"
#include "paint/sItemPaint.h"
#include "paint/sMaskToBitmap.h"
#include "paint/sStateGlyph.h"
#include "paint/acSkinnedText.h"
#include "paint/sItemPaintGdi.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

bool ForcePressedLook = false;

namespace {
// A focus change is being handed to the framework: the handlers it causes must
// not start another one.
bool focusGuard = false;

bool IsMouseDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK ||
         msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK;
}
bool IsMouseUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }
}  // namespace

TacSkinButton::TacSkinButton(TComponent* owner, int kind)
    : TButton(owner), skinData_(std::make_unique<TsCommonData>(this, true)) {
  skinData_->ControlKind = kind;
  skinData_->BindingLoaded();
}

TacSkinButton::~TacSkinButton() {
  MarkDestroying();
  StopFade();
  // Messages the window still gets while it goes find no binding.
  skinData_.reset();
}

// ---- properties

void TacSkinButton::SetShowFocus(bool on) {
  if (on == showFocus_) return;
  showFocus_ = on;
  SkinData().RequestRepaint();
}

void TacSkinButton::SetDisabledKind(TsDisabledKind kind) {
  if (kind == disabledKind_) return;
  disabledKind_ = kind;
  if (!Loading()) SkinData().RequestRepaint();
}

void TacSkinButton::SetDown(bool on) {
  if (on == downValue_) return;
  downValue_ = on;
  if (Loading()) return;
  MarkStateChanged();
  Repaint();
}

void TacSkinButton::SetWordWrap(bool on) {
  if (on == wordWrap_) return;
  wordWrap_ = on;
  SkinData().RequestRepaint();
}

void TacSkinButton::SetDefault(bool on) {
  if (on == default_) return;
  default_ = on;
  MarkStateChanged();
  SkinData().RequestRepaint();
}

void TacSkinButton::Loaded() {
  TButton::Loaded();
  SkinData().BindingLoaded();
}

void TacSkinButton::FontChanged() { SkinData().RequestRepaint(); }

// ---- state

bool TacSkinButton::OtherButtonFocused() const {
  HWND focus = GetFocus();
  if (!focus || (HandleAllocated() && focus == const_cast<TacSkinButton*>(this)->Handle())) return false;
  return dynamic_cast<TButton*>(TWinControl::FromHandle(focus)) != nullptr;
}

void TacSkinButton::RefreshDefaultButtons() {
  if (!parent_) return;
  for (int i = 0; i < parent_->ControlCount(); ++i) {
    auto* other = dynamic_cast<TacSkinButton*>(parent_->Controls(i));
    if (!other || other == this || !other->default_ || other->Destroying()) continue;
    other->MarkStateChanged();
    other->Invalidate();
  }
}

int TacSkinButton::CurrentState() const {
  // down_ is the framework's pushed state: pressed, and the mouse (if it pressed) still over it.
  if (down_ || ForcePressedLook) return 2;
  if (downValue_) return 2;
  if ((default_ && !OtherButtonFocused()) || SkinData().ControlIsActive()) return 1;
  return 0;
}

void TacSkinButton::MarkStateChanged() {
  stateChanged_ = true;
  SkinData().CacheDirty = true;
}

void TacSkinButton::StateImageChanged(TacAnimatEvent event, bool halve) {
  const bool allowed = AnimationAllowed(event, animatEvents_, SkinData().SkinManager());
  ChangeStateImage(fade_, SkinData(), halve, 1, allowed);
}

void TacSkinButton::StopFade() {
  if (skinData_) ::StopFade(fade_, *skinData_);
}

bool TacSkinButton::Ready() { return ControlIsReady(this); }

bool TacSkinButton::Skinned() const { return skinData_ && skinData_->IsSkinned(true); }

bool TacSkinButton::ShowsFocus() const {
  if (!enabled_ || !showFocus_ || caption_.empty() || !const_cast<TacSkinButton*>(this)->Focused()) return false;
  const TsSkinModel* model = SkinData().SkinModel();
  const int section = SkinData().SectionIndex();
  return model && model->IsValidSkinIndex(section) && model->Sections[static_cast<size_t>(section)].ShowFocus;
}

// ---- cache

bool TacSkinButton::BeginCache(TacParentImage& pi) {
  TsCommonData& sd = SkinData();
  sd.GetParentImage(pi);
  TacBitmap* cache = sd.InitCacheBitmap();
  cacheState_ = CurrentState();
  regionFresh_ = false;
  if (stateChanged_) {
    // The region follows the border of the image about to be built.
    pendingRegion_.emplace(TacRect{0, 0, width_, height_});
    regionFresh_ = true;
  }
  return cache && cache->Width() > 0 && cache->Height() > 0;
}

void TacSkinButton::PaintFace(const TacParentImage& pi, int state) {
  TsCommonData& sd = SkinData();
  TacBitmap* cache = sd.CacheBitmap();
  const TsSkinModel* model = sd.SkinModel();
  if (!cache || !model || !model->IsValidSkinIndex(sd.SectionIndex())) return;
  const TacRect r{0, 0, cache->Width(), cache->Height()};
  ComposeItem(sd.SectionIndex(), sd.SkinSection(), pi, state, r, TacPoint{left_, top_}, cache, model,
              sd.TextureIndex(), sd.HotTextureIndex(), sd.CustomColor());
  // The section's corner images; their key-coloured pixels leave the face showing.
  const TsGeneralData& g = model->Sections[static_cast<size_t>(sd.SectionIndex())];
  const TacParentImage self = ParentImageFromBitmap(cache, 0, 0);
  const int corners[4] = {g.ImgTL, g.ImgTR, g.ImgBL, g.ImgBR};
  for (int k = 0; k < 4; ++k) {
    if (!model->IsValidImgIndex(corners[k])) continue;
    const TsMaskData& m = model->Masks[static_cast<size_t>(corners[k])];
    const int fw = MaskFrameWidth(m), fh = MaskFrameHeight(m);
    const TacPoint at{(k & 1) ? r.Right - fw : 0, (k & 2) ? r.Bottom - fh : 0};
    DrawStateGlyph(cache, at, state, 1, m, self);
  }
}

void TacSkinButton::PaintBorder(int state) {
  TsCommonData& sd = SkinData();
  TacBitmap* cache = sd.CacheBitmap();
  const TsSkinModel* model = sd.SkinModel();
  if (!cache || !model || !model->IsValidImgIndex(sd.BorderMaskIndex())) return;
  const TsMaskData& m = model->Masks[static_cast<size_t>(sd.BorderMaskIndex())];
  if (state == 0 && (m.DrawMode & 2)) return;
  // The corner runs are cut once per fresh region: a second cut would give them back.
  DrawMaskToBitmap(cache, regionFresh_ && pendingRegion_ ? &*pendingRegion_ : nullptr, true, state, m);
  regionFresh_ = false;
}

void TacSkinButton::ApplyDisabledLook(const TacParentImage& pi) {
  if (enabled_) return;
  TacBitmap* cache = SkinData().CacheBitmap();
  if (!cache) return;
  TWinControl* parent = parent_;
  DisabledLook(cache, disabledKind_, [parent] { return parent ? GetControlBgColor(parent) : TransparentKey; },
               TacPoint{left_, top_}, pi);
}

void TacSkinButton::PaintFocus(TCanvas& canvas, RECT r) {
  if (!ShowsFocus()) return;
  InflateRect(&r, focusMargin_, focusMargin_);
  DrawFocusDots(canvas, TacRect{r.left, r.top, r.right, r.bottom});
}

// ---- painting

void TacSkinButton::ApplyRegion(HDC dc, bool redraw) {
  if (!pendingRegion_) return;
  TsCommonData& sd = SkinData();
  const TacBitmap* cache = sd.CacheBitmap();
  const TsSkinModel* model = sd.SkinModel();
  std::vector<TacRect> rects = pendingRegion_->Rects();
  pendingRegion_.reset();
  const bool sameBounds = lastBounds_.right - lastBounds_.left == width_ && lastBounds_.bottom - lastBounds_.top == height_;
  if (hasRegion_ && sameBounds && rects.size() == appliedRegion_.size() &&
      std::equal(rects.begin(), rects.end(), appliedRegion_.begin(), [](const TacRect& a, const TacRect& b) {
        return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
      }))
    return;  // the window already has this shape
  // The corners and the bottom edge go to the screen first, so that the new shape
  // never shows the pixels it is about to cut or uncover.
  if (cache && model && model->IsValidImgIndex(sd.BorderMaskIndex())) {
    const TsMaskData& m = model->Masks[static_cast<size_t>(sd.BorderMaskIndex())];
    const int w = cache->Width(), h = cache->Height();
    const int wl = MaskMarginLeft(m), wt = MaskMarginTop(m), wr = MaskMarginRight(m), wb = MaskMarginBottom(m);
    CopyBitmapToDC(dc, 0, 0, *cache, TacRect{0, 0, std::min(wl, w), std::min(wt, h)});
    CopyBitmapToDC(dc, 0, std::max(0, h - wb), *cache, TacRect{0, std::max(0, h - wb), w, h});
    CopyBitmapToDC(dc, std::max(0, w - wr), std::max(0, h - wb), *cache,
                   TacRect{std::max(0, w - wr), std::max(0, h - wb), w, h});
    CopyBitmapToDC(dc, std::max(0, w - wr), 0, *cache, TacRect{std::max(0, w - wr), 0, w, std::min(wt, h)});
  }
  std::vector<RECT> platform;
  platform.reserve(rects.size());
  for (const TacRect& r : rects) platform.push_back(RECT{r.Left, r.Top, r.Right, r.Bottom});
  TacRegionHandle region = NewRegionFromRects(platform.data(), static_cast<DWORD>(platform.size()));
  if (region && SetWindowRegion(Handle(), std::move(region), redraw)) {
    appliedRegion_ = std::move(rects);
    hasRegion_ = true;
  }
  // A button that shrank over a plain parent leaves its old corners behind: the
  // parent repaints those strips.
  const int oldW = lastBounds_.right - lastBounds_.left, oldH = lastBounds_.bottom - lastBounds_.top;
  if (parent_ && parent_->HandleAllocated() && (width_ < oldW || height_ < oldH) && model &&
      model->IsValidImgIndex(sd.BorderMaskIndex())) {
    TacParentImage pi;
    sd.GetParentImage(pi);
    if (!pi.HasImage) {
      const TsMaskData& m = model->Masks[static_cast<size_t>(sd.BorderMaskIndex())];
      const int wl = MaskMarginLeft(m), wt = MaskMarginTop(m), wr = MaskMarginRight(m), wb = MaskMarginBottom(m);
      const RECT& o = lastBounds_;
      const RECT strips[3] = {{o.right - wr, o.top, o.right, o.top + wt},
                              {o.right - wr, o.bottom - wb, o.right, o.bottom},
                              {o.left, o.bottom - wb, o.left + wl, o.bottom}};
      for (const RECT& s : strips) InvalidateRect(parent_->Handle(), &s, FALSE);
    }
  }
}

void TacSkinButton::RemoveRegion() {
  pendingRegion_.reset();
  if (hasRegion_ && HandleAllocated()) SetWindowRegion(Handle(), TacRegionHandle(), true);
  hasRegion_ = false;
  appliedRegion_.clear();
  neverPainted_ = true;
}

void TacSkinButton::PaintButton(HDC given) {
  if (!PaintAllowedInto(given)) {
    if (!given) {
      TacPaintDC validate(Handle());  // the update region is done with all the same
    }
    return;
  }
  std::optional<TacPaintDC> paint;
  HDC dc = given;
  if (!dc) {
    paint.emplace(Handle());
    dc = paint->Get();
  }
  if (!dc) return;
  TsCommonData& sd = SkinData();
  sd.PaintDeferred = sd.ComputeDeferred();
  if (sd.PaintDeferred) return;
  if (fade_ && fade_->Running()) return;  // the fade paints the window itself
  if (!sd.CacheDirty)
    sd.CacheDirty = sd.PartlyHidden || (parent_ && AskControl(parent_, SMC_ISPARTLYHIDDEN) != 0);
  if (parent_) {
    RECT pc = parent_->ClientRect();
    if (parent_->HandleAllocated()) GetClientRect(parent_->Handle(), &pc);
    sd.PartlyHidden = left_ < pc.left || top_ < pc.top || left_ + width_ > pc.right || top_ + height_ > pc.bottom;
  }
  const bool applyRedraw = neverPainted_ || SkinChangeInProgress;
  neverPainted_ = false;
  const int state = CurrentState();
  if (state != cacheState_) stateChanged_ = true;
  if (stateChanged_) sd.CacheDirty = true;
  inPaint_ = true;
  if (sd.CacheDirty) PrepareCache();
  const TacBitmap* cache = sd.CacheBitmap();
  if (cache && cache->Width() > 0 && cache->Height() > 0) {
    TacSavedDcState saved(dc);
    if (stateChanged_) {
      RefreshCorners(sd, state, cfAll);
      if (!AnimationCaptureActive && HandleAllocated()) ApplyRegion(dc, applyRedraw);
      lastBounds_ = BoundsRect();
      stateChanged_ = false;
    }
    CopyBitmapToDC(dc, 0, 0, *cache, TacRect{0, 0, cache->Width(), cache->Height()});
  }
  inPaint_ = false;
}

// ---- messages

bool TacSkinButton::HandleSkinCommand(TMessage& m) {
  TsCommonData& sd = SkinData();
  const bool ownManager = ManagerFromParam(m.LParam) == sd.SkinManager();
  switch (CommandCode(m.WParam)) {
    case SMC_NEWSKIN:
      if (!ownManager) break;
      stateChanged_ = true;
      StopFade();
      sd.HandleSkinCommand(m);
      return true;
    case SMC_REMOVESKIN:
      if (!ownManager || Destroying()) break;
      StopFade();
      sd.HandleSkinCommand(m);
      RemoveRegion();
      Invalidate();
      return true;
    case SMC_REFRESH:
      if (!ownManager) break;
      StopFade();
      sd.HandleSkinCommand(m);
      stateChanged_ = true;
      if (!AnimationCaptureDC) Invalidate();
      return true;
    case SMC_ISSKINNED:
      m.Result = 1;
      return true;
    case SMC_STOPANIMATIONS:
      // The last step is a blend that may miss the cache by a level: the cache itself
      // goes to the screen once the fade is over.
      if (fade_) Invalidate();
      StopFade();
      return true;
    case SMC_BUILDCACHE:
      PrepareCache();
      break;
    case SMC_FREEREGION:
      pendingRegion_.reset();
      m.Result = 0;
      break;
    default:
      break;
  }
  return false;
}

void TacSkinButton::HandleUnskinnedMessage(TMessage& m) {
  if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) SkinData().MouseOver = m.Msg == CM_MOUSEENTER;
  if (m.Msg == SM_ALPHACMD && SkinData().CommonWndProc(m)) return;
  TButton::WndProc(m);
}

void TacSkinButton::MouseDownReaction(TMessage& m) {
  const bool left = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
  if (!enabled_) {
    TButton::WndProc(m);
    return;
  }
  TsCommonData& sd = SkinData();
  sd.PaintDeferred = false;
  mousePressed_ = true;
  // The framework first: focus, capture and the pushed state that the new image shows.
  TButton::WndProc(m);
  if (left && !downValue_ && !Destroying()) {
    stateChanged_ = true;
    sd.PaintDeferred = sd.ComputeDeferred();
    sd.CacheDirty = false;
    StateImageChanged(aeMouseDown, true);
  }
}

void TacSkinButton::MouseUpReaction(TMessage& m) {
  const bool left = m.Msg == WM_LBUTTONUP;
  if (!enabled_ || !mousePressed_ || Destroying()) {
    // No press began here: nothing to show, only the framework's handling.
    if (!mousePressed_ && left) StopFade();
    TButton::WndProc(m);
    return;
  }
  mousePressed_ = false;
  if (!left) {
    TButton::WndProc(m);
    return;
  }
  TsCommonData& sd = SkinData();
  if (fade_ && fade_->Running()) {
    // Released before the press fade got there: the pressed image shows for a moment.
    StopFade();
    sd.CacheDirty = true;
    ForcePressedLook = true;
    Repaint();
    ForcePressedLook = false;
    Sleep(30);
  }
  // The framework's release, taken over so that the new image fades before the click runs.
  const bool click = tracking_ && down_;
  tracking_ = false;
  down_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  sd.PaintDeferred = false;
  stateChanged_ = true;
  sd.CacheDirty = false;
  StateImageChanged(aeMouseUp, true);
  TCustomControl::WndProc(m);
  if (click && !Destroying()) Click();
}

bool TacSkinButton::HandleSkinnedMessage(TMessage& m) {
  TsCommonData& sd = SkinData();
  switch (m.Msg) {
    case SM_ALPHACMD:
      if (CommandCode(m.WParam) == SMC_PARENTUPDATED) {
        if (sd.PaintDeferred) {
          sd.PaintDeferred = false;
          Invalidate();
        }
        return true;
      }
      break;
    case WM_MOVE: {
      const TsSkinModel* model = sd.SkinModel();
      if (model && model->IsValidSkinIndex(sd.SectionIndex())) {
        const TsGeneralData& g = model->Sections[static_cast<size_t>(sd.SectionIndex())];
        if (g.Transparency > 0 || (g.HotTransparency > 0 && sd.ControlIsActive())) {
          sd.CacheDirty = true;
          Invalidate();
        }
      }
      break;
    }
    case WM_SIZE:
      // A new size is a new image and shape; our window class does not redraw on
      // resizing by itself.
      MarkStateChanged();
      Invalidate();
      break;
    case WM_SETFOCUS:
      if (!visible_) break;
      if (enabled_ && !focusGuard) {
        focusGuard = true;
        sd.CommonWndProc(m);
        TButton::WndProc(m);
        focusGuard = false;
        if (fade_)
          fade_->FadeStep();
        else
          sd.RequestRepaint();
        RefreshDefaultButtons();
      } else {
        sd.CommonWndProc(m);
        TButton::WndProc(m);
      }
      return true;
    case WM_KILLFOCUS:
      if (!visible_) break;
      if (enabled_) StopFade();
      sd.CommonWndProc(m);
      TButton::WndProc(m);
      sd.HasFocus = false;
      MarkStateChanged();
      sd.RequestRepaint();
      RefreshDefaultButtons();
      return true;
    case WM_ENABLE:
      return true;
    case CM_TEXTCHANGED:
      StopFade();
      TButton::WndProc(m);
      if (!Destroying()) sd.RequestRepaint();
      return true;
    case WM_PAINT:
      if (!visible_ || !parent_) break;
      PaintButton(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return true;
    case WM_ERASEBKGND:
    case WM_UPDATEUISTATE:
      if (!visible_) break;
      m.Result = 1;
      return true;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      // Our own region changes come here too and change nothing of the image.
      if (wp && (!(wp->flags & SWP_NOSIZE) || !(wp->flags & SWP_NOMOVE)) && !inPaint_) {
        stateChanged_ = true;
        if (m.Msg == WM_WINDOWPOSCHANGED) sd.CacheDirty = true;
      }
      break;
    }
    case WM_PRINT:
    case WM_PRINTCLIENT:
      stateChanged_ = true;
      sd.PaintDeferred = false;
      PaintButton(reinterpret_cast<HDC>(m.WParam));
      return true;
    case CM_MOUSEENTER:
      if (enabled_ && !sd.MouseOver) {
        sd.MouseOver = true;
        sd.CacheDirty = false;
        StateImageChanged(aeMouseEnter, false);
      }
      break;
    case CM_MOUSELEAVE:
      if (enabled_) {
        sd.MouseOver = false;
        sd.CacheDirty = false;
        StateImageChanged(aeMouseLeave, false);
      }
      break;
    case CM_ACTIVATE:
      sd.PaintDeferred = false;
      break;
    case WM_MOUSEMOVE: {
      // Dragging off a pressed button shows it released until the mouse comes back.
      const int before = CurrentState();
      sd.CommonWndProc(m);
      TButton::WndProc(m);
      if (CurrentState() != before) {
        MarkStateChanged();
        Invalidate();
      }
      return true;
    }
    case WM_CAPTURECHANGED: {
      const int before = CurrentState();
      TButton::WndProc(m);
      if (CurrentState() != before) {
        mousePressed_ = false;
        MarkStateChanged();
        Invalidate();
      }
      return true;
    }
    case WM_KEYDOWN:
      if (m.WParam == VK_SPACE) {
        const int before = CurrentState();
        TButton::WndProc(m);
        if (CurrentState() != before) {
          StopFade();
          MarkStateChanged();
          Repaint();
        }
        return true;
      }
      break;
    case WM_KEYUP:
      if (m.WParam == VK_SPACE && down_) {
        // Released on the keyboard: the face comes up before the click runs.
        down_ = false;
        MarkStateChanged();
        Repaint();
        if (!Destroying()) Click();
        return true;
      }
      break;
    case WM_CHAR:
      if (m.WParam == ' ' && enabled_ && Focused()) {
        StopFade();
        MarkStateChanged();
        sd.HideShownGlow();
        Invalidate();
        return true;
      }
      break;
    default:
      if (IsMouseDown(m.Msg)) {
        MouseDownReaction(m);
        return true;
      }
      if (IsMouseUp(m.Msg)) {
        MouseUpReaction(m);
        return true;
      }
      break;
  }
  if (sd.CommonWndProc(m)) return true;
  TButton::WndProc(m);
  return true;
}

void TacSkinButton::AfterMessage(UINT msg, bool visibleBefore) {
  if (Destroying()) return;
  TsCommonData& sd = SkinData();
  switch (msg) {
    case CM_FONTCHANGED:
    case WM_SETFONT:
      sd.PaintDeferred = false;
      sd.RequestRepaint();
      break;
    case CM_VISIBLECHANGED:
      if (visible_ && !visibleBefore) {
        sd.CacheDirty = true;
        sd.PaintDeferred = false;
        Invalidate();
      }
      break;
    case CM_ENABLEDCHANGED:
      // A disabled button does not go on fading: it shows its disabled look at once.
      if (!enabled_) StopFade();
      MarkStateChanged();
      sd.PaintDeferred = false;
      sd.RequestRepaint();
      break;
    default:
      break;
  }
}

void TacSkinButton::WndProc(TMessage& m) {
  if (!skinData_) {
    TButton::WndProc(m);
    return;
  }
  if (m.Msg == SM_ALPHACMD && HandleSkinCommand(m)) return;
  if (!Ready() || !Skinned()) {
    HandleUnskinnedMessage(m);
    return;
  }
  const UINT msg = m.Msg;
  const bool visibleBefore = visible_;
  HandleSkinnedMessage(m);
  AfterMessage(msg, visibleBefore);
}

// ---- TsButton

TsButton::TsButton(TComponent* owner) : TacSkinButton(owner, ckButton) {}

RECT TsButton::CaptionRect(int state) {
  const RECT calc = ScreenTextRect(font_, GbkToWide(caption_), RECT{0, 0, std::max(0, width_ - 2), 0},
                                   DT_CALCRECT | DT_CENTER | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE));
  const int tw = calc.right - calc.left, th = calc.bottom - calc.top;
  const int dx = (width_ - tw) / 2, dy = (height_ - th) / 2;
  RECT r = {dx - 1, dy, width_ - dx + 2, height_ - dy};
  if (state == 2) OffsetRect(&r, 1, 1);
  return r;
}

void TsButton::PrepareCache() {
  TacParentImage pi;
  if (!BeginCache(pi)) return;
  TsCommonData& sd = SkinData();
  const int state = CurrentState();
  PaintFace(pi, state);
  PaintBorder(state);
  if (!caption_.empty()) {
    TBitmapCanvas canvas(*sd.CacheBitmap());
    canvas.Font().Assign(font_);
    const RECT r = CaptionRect(state);
    DrawSkinnedText(canvas, caption_, enabled_, state != 0, sd.TextBinding(),
                    DT_CENTER | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0),
                    TacRect{r.left, r.top, r.right, r.bottom});
    PaintFocus(canvas, r);
  }
  ApplyDisabledLook(pi);
  sd.CacheDirty = false;
}
