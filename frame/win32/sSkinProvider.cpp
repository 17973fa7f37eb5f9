#include "frame/sSkinProvider.h"

#include <algorithm>

#include "controls/sFadeTimer.h"
#include "frame/acAutoSkinning.h"
#include "frame/acBorderForm.h"
#include "frame/acBorderImage.h"
#include "frame/acCtrlAdapter.h"
#include "frame/acFormRedraw.h"
#include "frame/acFormShow.h"
#include "frame/acFrameGeometry.h"
#include "frame/acFrameHitTest.h"
#include "frame/acFrameRegion.h"
#include "frame/acMaximizedSize.h"
#include "frame/acScreenSnap.h"
#include "frame/acTitleButtonAnimation.h"
#include "frame/acHideAnimation.h"
#include "frame/acWindowCapture.h"
#include "frame/sSystemMenu.h"
#include "framework/vclApplication.h"
#include "framework/vclCanvas.h"
#include "paint/acBlockCopy.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "paint/acSkinnedText.h"
#include "paint/acPixelOps.h"
#include "paint/sAlphaGraph.h"
#include "paint/sItemPaint.h"
#include "paint/sItemPaintGdi.h"
#include "paint/sStateGlyph.h"
#include "skin/acCreationHook.h"
#include "skin/acDwmApi.h"
#include "skin/acSkinnedWindowLists.h"
#include "skin/sCommandCodes.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

namespace {

// Indexes of the system buttons among the records.
constexpr int kMin = 0, kMax = 1, kClose = 2, kHelp = 3;
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;  // 0x8824

TComponent* FormOwner(TComponent* owner) {
  if (!dynamic_cast<TForm*>(owner)) throw EAbort("TsSkinProvider component may be used with forms only!");
  return owner;
}

TacBorderKind BorderKind(TFormBorderStyle s) {
  switch (s) {
    case bsNone: return TacBorderKind::None;
    case bsSingle: return TacBorderKind::Single;
    case bsSizeable: return TacBorderKind::Sizeable;
    case bsDialog: return TacBorderKind::Dialog;
    case bsToolWindow: return TacBorderKind::ToolWindow;
  }
  return TacBorderKind::Sizeable;
}

bool IsUserCode(int code) { return code >= acHit::UserButton; }

std::string WideToGbk(const wchar_t* text) {
  const int n = WideCharToMultiByte(936, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(static_cast<size_t>(n - 1), '\0');
  WideCharToMultiByte(936, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out;
}

// Width and height of one state frame of a title-button image; 21 x 21 without one.
TacIconSize ButtonImageSize(const TsSkinModel* m, int mask) {
  if (!m || !m->IsValidImgIndex(mask)) return {21, 21};
  const TsMaskData& d = m->Masks[static_cast<size_t>(mask)];
  if (d.Bmp && d.ImageCount > 0) return {d.Bmp->Width() / d.ImageCount, d.Bmp->Height() / 2};
  return {MaskFrameWidth(d), MaskFrameHeight(d)};
}

// The work of the frame layer that the skin manager calls: skinning windows made
// without a provider, and showing a skin change. Set as soon as the frame layer is
// part of the program.
struct RegisterFrameWork {
  RegisterFrameWork() {
    SetCreationHookHandler(&AutoSkinningHandler());
    SetSkinChangeAnimator(&AnimateSkinChange);
  }
} g_frameWork;

}  // namespace

TsSkinProvider* ProviderOfForm(TForm* form) {
  if (!form) return nullptr;
  return reinterpret_cast<TsSkinProvider*>(
      form->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETPROVIDER)), 0));
}

// ---- life cycle

TsSkinProvider::TsSkinProvider(TComponent* owner, bool autoCreated) : TComponent(FormOwner(owner)) {
  form_ = static_cast<TForm*>(owner);
  autoCreated_ = autoCreated;
  deferredStart_ = autoCreated;
  if (TsSkinProvider* other = ProviderOfForm(form_)) {
    if (other->AutoCreated())
      delete other;
    else
      passive_ = true;
  }
  buttons_[kMin].Code = acHit::MinButton;
  buttons_[kMax].Code = acHit::MaxButton;
  buttons_[kClose].Code = acHit::Close;
  buttons_[kHelp].Code = 0;
  skinData_ = std::make_unique<TsCommonData>(static_cast<TacProviderHost*>(this));
  skinData_->SetSkinSection("FORM");
  if (passive_) return;
  buttonBackground_ = NewDibBitmap(1, 1, TacPixelFormat::pf24bit);
  Attach();
  RegisterProviderForm(form_);
  activeState_ = true;
  // A provider added to a form that is already complete starts as one read with it.
  if (!form_->Loading() && !autoCreated_) Loaded();
}

TsSkinProvider::~TsSkinProvider() {
  MarkDestroying();
  borderForm_.reset();
  FreeButtonAnimations();
  if (!passive_) {
    if (form_ && form_->HandleAllocated() && !form_->Destroying()) {
      // The form goes on with the platform's frame.
      const bool hadFrame = sysMenuCreated_;
      RestoreSysMenuStyle();
      SetCompositionTransitions(false);
      if (hadFrame) {
        SetWindowRegion(form_->Handle(), TacRegionHandle(), true);
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
    }
    Detach();
    UnregisterProviderForm(form_);
  }
  if (autoCreated_) ForgetAutoProvider(this);
}

void TsSkinProvider::Attach() {
  previous_ = form_->WindowProc;
  form_->WindowProc = [this](TMessage& m) { ProviderWndProc(m); };
  attached_ = true;
}

void TsSkinProvider::Detach() {
  if (!attached_) return;
  form_->WindowProc = previous_;
  attached_ = false;
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  if (passive_ || autoCreated_) return;
  skinData_->ResolveSection();
  TsSkinManager* mgr = Manager();
  if (mgr && skinData_->IsSkinned())
    StartSkinning();
  else if (mgr && mgr->Active())
    InitProvider();
}

TsSkinManager* TsSkinProvider::Manager() const { return skinData_->SkinManager(); }

bool TsSkinProvider::Skinned() const { return !passive_ && !deferredStart_ && skinData_->IsSkinned(); }

bool TsSkinProvider::FormShowing() const {
  return form_->HandleAllocated() && IsWindowVisible(form_->Handle());
}

void TsSkinProvider::InitProvider() {
  TsSkinManager* mgr = Manager();
  if (passive_ || deferredStart_ || !mgr || !form_->HandleAllocated()) return;
  skinData_->ResolveSection();
  // The platform hands out a system menu only while the window has the style.
  GetSystemMenu(form_->Handle(), FALSE);
  sysMenuCreated_ = true;
  UpdateSysMenuStyle();
  titleIndex_ = captionIndex_ = -1;
  TitleSectionIndex();
  captionIndex_ = mgr->GetSkinIndex("CAPTION");
  InitButtons();
  skinData_->CacheDirty = true;
  regionDirty_ = true;
  menuRows_ = -1;
  ApplyGlobalColor();
}

void TsSkinProvider::StartSkinning() {
  SetCompositionTransitions(true);
  InitProvider();
  TsSkinManager* mgr = Manager();
  for (TsTitleButton& b : titleButtons_)
    b.Record.MaskIndex = b.UseSkinData && mgr ? userButtonMask_ : -1;
  RefreshCtrlAdapter();
}

void TsSkinProvider::RefreshCtrlAdapter() {
  TsSkinManager* mgr = Manager();
  if (passive_ || !mgr || !(mgr->SkinningRules() & srThirdParty) || !skinData_->IsSkinned()) return;
  if (!ctrlAdapter_) ctrlAdapter_ = std::make_unique<TacCtrlAdapter>(this);
  ctrlAdapter_->AddAllItems();
}

int TsSkinProvider::TitleSectionIndex() {
  TsSkinManager* mgr = Manager();
  if (!mgr) return -1;
  if (titleIndex_ < 0) titleIndex_ = mgr->GetSkinIndex(titleSkin_.empty() ? "FORMTITLE" : titleSkin_);
  return titleIndex_;
}

void TsSkinProvider::InitButtons() {
  TsSkinManager* mgr = Manager();
  if (!mgr || !mgr->IsSkinLoaded()) return;
  const int gi = mgr->ConstData.IndexGlobalInfo;
  auto maskOf = [&](const std::string& key) { return key.empty() ? -1 : mgr->GetMaskIndex(gi, "GLOBALINFO", key); };
  const TacSysMenuState s = SysMenu();
  const TacTitleButtonKeys keys = ChooseTitleButtonKeys(BorderKind(form_->BorderStyle()), s,
                                                        [&](const std::string& k) { return maskOf(k) >= 0; });
  buttons_[kClose].MaskIndex = maskOf(keys.Close);
  buttons_[kMax].MaskIndex = maskOf(keys.Max);
  buttons_[kMin].MaskIndex = maskOf(keys.Min);
  buttons_[kHelp].MaskIndex = maskOf(keys.Help);
  for (int i = 0; i < 4; ++i) buttons_[i].Big = keys.Big;
  userButtonMask_ = maskOf("TITLEBUTTON");
}

// ---- properties

void TsSkinProvider::SetCaptionAlignment(TAlignment value) {
  if (value == captionAlignment_) return;
  captionAlignment_ = value;
  skinData_->CacheDirty = true;
  if (FormShowing()) SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
}

void TsSkinProvider::SetShowAppIcon(bool value) {
  if (value == showAppIcon_) return;
  showAppIcon_ = value;
  skinData_->CacheDirty = true;
  if (FormShowing()) SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
}

void TsSkinProvider::SetTitleSkin(const std::string& value) {
  if (value == titleSkin_) return;
  titleSkin_ = value;
  titleIndex_ = -1;
  skinData_->CacheDirty = true;
  regionDirty_ = true;
  if (FormShowing()) SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
}

void TsSkinProvider::SetDrawNonClientArea(bool value) {
  if (value == drawNonClientArea_) return;
  drawNonClientArea_ = value;
  if (passive_ || !form_->HandleAllocated()) return;
  UpdateSysMenuStyle();
  if (!value) SetWindowRegion(form_->Handle(), TacRegionHandle(), true);
  regionDirty_ = true;
  skinData_->CacheDirty = true;
  SetExtBorders();
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void TsSkinProvider::SetUseGlobalColor(bool value) {
  useGlobalColor_ = value;
  ApplyGlobalColor();
}

void TsSkinProvider::ApplyGlobalColor() {
  if (passive_) return;
  TsSkinManager* mgr = Manager();
  if (skinData_->IsSkinned() && useGlobalColor_ && !skinData_->CustomColorSet() && mgr)
    form_->SetColor(mgr->GetGlobalColor());
  else
    form_->SetColor(clBtnFace);
}

void TsSkinProvider::UpdateSysMenuStyle() {
  if (!form_->HandleAllocated()) return;
  HWND w = form_->Handle();
  const LONG style = GetWindowLongW(w, GWL_STYLE);
  if (Skinned() && drawNonClientArea_) {
    if (style & WS_SYSMENU) {
      SetWindowLongW(w, GWL_STYLE, style & ~WS_SYSMENU);
      sysMenuStyleRemoved_ = true;
    }
  } else {
    RestoreSysMenuStyle();
  }
}

void TsSkinProvider::RestoreSysMenuStyle() {
  if (!sysMenuStyleRemoved_) return;
  sysMenuStyleRemoved_ = false;
  if (!form_->HandleAllocated()) return;
  HWND w = form_->Handle();
  SetWindowLongW(w, GWL_STYLE, GetWindowLongW(w, GWL_STYLE) | WS_SYSMENU);
}

void TsSkinProvider::SetCompositionTransitions(bool disabled) {
  if (!form_->HandleAllocated()) return;
  if (disabled && !DwmCompositionEnabled()) return;
  const BOOL value = disabled ? TRUE : FALSE;
  DwmSetAttribute(form_->Handle(), 3 /* DWMWA_TRANSITIONS_FORCEDISABLED */, &value, sizeof value);
}

void TsSkinProvider::FreeFrameCache() {
  skinData_->EmptyCache();
  skinData_->CacheDirty = true;
  titleIndex_ = -1;
}

// ---- the window model

TacSysMenuState TsSkinProvider::SysMenu() const {
  TacSysMenuInput in;
  in.SysMenuStyleRemoved = sysMenuStyleRemoved_;
  in.BorderStyle = BorderKind(form_->BorderStyle());
  in.BorderIcons = form_->BorderIcons();
  if (form_->HandleAllocated()) {
    HWND w = form_->Handle();
    in.State = IsIconic(w) ? TacWindowState::Minimized : IsZoomed(w) ? TacWindowState::Maximized : TacWindowState::Normal;
  }
  return SysMenuPredicates(in);
}

TacFrameModel TsSkinProvider::Model() const {
  TacFrameModel m;
  m.BorderStyle = BorderKind(form_->BorderStyle());
  m.ShowAppIcon = showAppIcon_;
  m.TitleIconWidth = TitleIcon.Width;
  m.TitleIconHeight = TitleIcon.Height;
  m.MenuLineCount = 1;
  m.MaxShortTitle = maxShortTitle_;
  m.BindingSkinned = skinData_->IsSkinned();
  m.Metrics.CxFrame = GetSystemMetrics(SM_CXFRAME);
  m.Metrics.CxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
  m.Metrics.CyCaption = GetSystemMetrics(SM_CYCAPTION);
  m.Metrics.CySmCaption = GetSystemMetrics(SM_CYSMCAPTION);
  m.Metrics.CyMenu = GetSystemMetrics(SM_CYMENU);
  if (TsSkinManager* mgr = Manager()) {
    const TsSkinData& d = mgr->SkinData;
    m.Skin.BorderWidth = d.BorderWidth;
    m.Skin.TitleHeight = d.TitleHeight;
    m.Skin.MaxTitleHeight = d.MaxTitleHeight ? d.MaxTitleHeight : d.TitleHeight;
    m.Skin.FormOffset = d.FormOffset;
    m.Skin.CenterOffset = d.CenterOffset;
    m.Skin.BorderMode = d.BorderMode;
    m.Skin.BILeft = d.BILeft;
    m.Skin.BIRight = d.BIRight;
    m.Skin.BISpace = d.BISpace;
    if (borderForm_) m.Skin.ShadowMargins = mgr->ShadowMargins;
    // The built-in shadows are shadows only: without the skin's own border image
    // there is no title in it to centre on.
    if (!mgr->IsValidImgIndex(mgr->ConstData.ExBorder)) m.Skin.BorderMode = 0;
  }
  m.BorderForm = borderForm_ != nullptr;
  if (!form_->HandleAllocated()) return m;
  HWND w = form_->Handle();
  m.Style = static_cast<uint32_t>(GetWindowLongW(w, GWL_STYLE));
  m.ExStyle = static_cast<uint32_t>(GetWindowLongW(w, GWL_EXSTYLE));
  // Skinned, the frame still has a system menu of its own.
  m.HasSystemMenu = (m.Style & WS_SYSMENU) || sysMenuStyleRemoved_;
  m.State = IsIconic(w) ? TacWindowState::Minimized : IsZoomed(w) ? TacWindowState::Maximized : TacWindowState::Normal;
  RECT wr, cr;
  GetWindowRect(w, &wr);
  GetClientRect(w, &cr);
  m.Width = wr.right - wr.left;
  m.Height = wr.bottom - wr.top;
  m.ClientWidth = cr.right;
  m.ClientHeight = cr.bottom;
  return m;
}

int TsSkinProvider::CacheHeight(const TacFrameModel& m) const { return m.BorderForm ? FrameCacheHeight(m) : m.Height; }

// ---- hit test and region

int TsSkinProvider::FrameHitTestAt(POINT screen) {
  return borderForm_ ? borderForm_->BorderHitTest(screen) : HitTest(screen);
}

std::vector<TacTitleButtonHit> TsSkinProvider::TitleButtonHits(const TacFrameModel& m, bool helpShown) const {
  std::vector<TacTitleButtonHit> hits;
  const TacSysMenuState s = SysMenu();
  TacTitleButtonState bs{s.EnabledMax, s.EnabledRestore, s.EnabledMin};
  auto add = [&](const TsButtonRecord& b, TacTitleButtonKind kind, int userIndex, bool userEnabled) {
    hits.push_back({b.R, TitleButtonHitCode(kind, userIndex, userEnabled, bs, m.Minimized())});
  };
  if (s.VisibleClose && buttons_[kClose].MaskIndex >= 0) add(buttons_[kClose], TacTitleButtonKind::Close, 0, true);
  if (s.VisibleMax) add(buttons_[kMax], TacTitleButtonKind::Maximize, 0, true);
  if (s.VisibleMin || m.Minimized()) add(buttons_[kMin], TacTitleButtonKind::Minimize, 0, true);
  if (helpShown) add(buttons_[kHelp], TacTitleButtonKind::Help, 0, true);
  for (size_t i = 0; i < titleButtons_.size(); ++i)
    if (titleButtons_[i].Visible)
      add(titleButtons_[i].Record, TacTitleButtonKind::User, static_cast<int>(i), titleButtons_[i].Enabled);
  return hits;
}

bool TsSkinProvider::GripTopLeft(const TacFrameModel& m, int width, int height, const TacRect& margins,
                                 TacPoint& at) const {
  TsSkinManager* mgr = Manager();
  if (!mgr) return false;
  const int grip = mgr->GetMaskIndex(mgr->ConstData.IndexGlobalInfo, "GLOBALINFO", "GRIPIMAGE");
  if (grip < 0) return false;
  const TacIconSize g = ButtonImageSize(mgr, grip);
  const int sb = SysBorderWidth(m, true);
  at = TacPoint{width - g.Width - sb - margins.Right - 1, height - g.Height - sb - margins.Bottom - 1};
  return true;
}

TacBorderHitInput TsSkinProvider::BorderHitInput(const TacFrameModel& m) {
  TacBorderHitInput in;
  in.OwnerEnabled = IsWindowEnabled(form_->Handle()) != FALSE;
  // The border window counts the help button by the context-help style.
  in.Buttons = TitleButtonHits(m, (m.ExStyle & WS_EX_CONTEXTHELP) != 0);
  in.TestGrip = GripMode == gmRightBottom && (m.Style & WS_THICKFRAME);
  if (const TacBitmap* cache = skinData_->CacheBitmap())
    in.HasGripImage = GripTopLeft(m, cache->Width(), cache->Height(), ExtMargins(m), in.GripTopLeft);
  return in;
}

POINT TsSkinProvider::FrameOrigin() const {
  if (!borderForm_) {
    RECT wr{0, 0, 0, 0};
    if (form_->HandleAllocated()) GetWindowRect(form_->Handle(), &wr);
    return POINT{wr.left, wr.top};
  }
  return FrameOriginOf(Model());
}

POINT TsSkinProvider::FrameOriginOf(const TacFrameModel& m) const {
  RECT wr{0, 0, 0, 0};
  if (form_->HandleAllocated()) GetWindowRect(form_->Handle(), &wr);
  if (!borderForm_) return POINT{wr.left, wr.top};
  const TacPoint off = BorderWindowOffset(m);
  return POINT{wr.left - off.X, wr.top - off.Y};
}

int TsSkinProvider::HitTest(POINT screen) {
  const TacFrameModel m = Model();
  RECT wr;
  GetWindowRect(form_->Handle(), &wr);
  const TacPoint p{screen.x - wr.left, screen.y - wr.top};
  TacHitTestInput in;
  in.Buttons = TitleButtonHits(m, (form_->BorderIcons() & biHelp) != 0);
  in.TestGrip = GripMode == gmRightBottom && (m.Style & WS_THICKFRAME);
  in.HasGripImage = GripTopLeft(m, m.Width, m.Height, TacRect{0, 0, 0, 0}, in.GripTopLeft);
  const int code = FrameHitTest(m, p, in);
  if (IsBorderZone(code))
    SetHotButton(-1, true);
  else if (!LeftToPlatform(code))
    SetHotButton(code == acHit::SysMenu ? 0 : code, true);
  return code;
}

TacCornerMask TsSkinProvider::CornerMask(int mask) const {
  TacCornerMask c;
  TsSkinManager* mgr = Manager();
  if (mgr && mgr->IsValidImgIndex(mask)) {
    c.Mask = &mgr->Masks[static_cast<size_t>(mask)];
    c.Image = c.Mask->Bmp ? c.Mask->Bmp.get() : mgr->MasterBitmap.get();
  }
  return c;
}

TacCornerMask TsSkinProvider::FormCornerMask() const { return CornerMask(skinData_->BorderMaskIndex()); }

TacCornerMask TsSkinProvider::TitleCornerMask() {
  TsSkinManager* mgr = Manager();
  const int ti = TitleSectionIndex();
  return CornerMask(mgr && mgr->IsValidSkinIndex(ti) ? mgr->Sections[static_cast<size_t>(ti)].BorderIndex : -1);
}

void TsSkinProvider::UpdateRegion(bool redraw) {
  if (!drawNonClientArea_ || !form_->HandleAllocated()) return;
  const TacFrameModel m = Model();
  if (!m.HasBorder() && !m.Minimized()) return;
  TsSkinManager* mgr = Manager();
  if (!mgr) return;
  if (borderForm_) {
    // The border window draws the frame around what is left: the client part.
    const TacRect r = BorderFormClientRect(m.Width, m.Height, SysBorderWidth(m, false), CaptionHeight(m, false),
                                           m.MaxShortTitle);
    regionRects_.clear();
    inRegionChange_ = true;
    SetWindowRegion(form_->Handle(), NewRectRegion(r.Left, r.Top, r.Right, r.Bottom), redraw);
    inRegionChange_ = false;
    regionDirty_ = false;
    return;
  }
  regionRects_ = BuildRegionRects(FormCornerMask(), TitleCornerMask(), m.Width, m.Height);
  TacRegionHandle rgn = NewRectRegion(0, 0, m.Width, m.Height);
  for (const TacRect& r : regionRects_) {
    TacRegionHandle cut = NewRectRegion(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(rgn.Get(), rgn.Get(), cut.Get(), RGN_DIFF);
  }
  inRegionChange_ = true;
  SetWindowRegion(form_->Handle(), std::move(rgn), redraw);
  inRegionChange_ = false;
  regionDirty_ = false;
}

// ---- painting

bool TsSkinProvider::HideAnimates() const {
  const TsSkinManager* mgr = Manager();
  if (!mgr || !drawNonClientArea_ || !LayeredWindowUpdater() || !form_->HandleAllocated()) return false;
  const TacFormAnimation& hide = mgr->AnimEffects.FormHide;
  return hide.Active && AnimationStepCount(hide.Time) > 0 && !IsIconic(form_->Handle());
}

bool TsSkinProvider::ShowAnimates() const {
  const TsSkinManager* mgr = Manager();
  return mgr && mgr->AnimEffects.FormShow.Active && LayeredWindowUpdater() && WantsExtBorders() && !showAnimation_;
}

void TsSkinProvider::FinishShow() {
  showPending_ = false;
  HWND w = form_->Handle();
  // Painted at once, over the same pixels the border window shows.
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  showAnimation_ = false;
  paintedOnce_ = true;
  if (borderForm_) borderForm_->UpdateBorder(true);
}

void TsSkinProvider::AnimateFormHide() {
  const TacFormAnimation hide = Manager()->AnimEffects.FormHide;
  PaintFrameCache();
  TacBitmap* cache = skinData_->CacheBitmap();
  if (!cache) return;
  TacBitmapPtr snapshot = CaptureWindowImage(*cache, form_, cacheClientOffset_);
  if (!snapshot) return;
  StartHideAnimation(std::move(snapshot), FrameOrigin(), hide.Time, hide.Mode, 255);
}

void TsSkinProvider::FrameCacheFormat(int& width, int& height, TacPixelFormat& format) const {
  FrameCacheFormatOf(Model(), width, height, format);
}

void TsSkinProvider::FrameCacheFormatOf(const TacFrameModel& m, int& width, int& height,
                                        TacPixelFormat& format) const {
  width = borderForm_ ? FrameWidth(m) : m.Width;
  height = CacheHeight(m);
  format = borderForm_ ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit;
}

void TsSkinProvider::PaintFrameCache() {
  if (!form_->HandleAllocated() || !Skinned()) return;
  TsSkinManager* mgr = Manager();
  const TacFrameModel m = Model();
  cacheClientOffset_ = TacPoint{ClientOffsetX(m), ClientOffsetY(m)};
  TacBitmap* cache = skinData_->CacheBitmap();
  int width = 0, height = 0;
  TacPixelFormat format = TacPixelFormat::pf24bit;
  FrameCacheFormatOf(m, width, height, format);
  if (!cache || cache->Width() != width || cache->Height() != height || cache->Format() != format) {
    const bool fresh = !cache || cache->Width() == 0;
    skinData_->InitCacheBitmap();
    cache = skinData_->CacheBitmap();
    skinData_->CacheDirty = true;
    if (fresh) {
      TMessage msg = MakeSkinCommand(SMC_CHILDSTATE, 1);
      BroadcastToControls(form_, msg);
    }
  }
  if (!cache || cache->Width() <= 0 || cache->Height() <= 0 || !skinData_->CacheDirty) return;
  const int state = activeState_ ? 1 : 0;
  const TacRect frame = FrameRectInCache(m, cache->Width(), cache->Height());
  const bool centred = CentredBorderMode(m);
  const TacParentImage none = ParentImageFromColor(skinData_->GetControlColor(state));
  const POINT origin = FrameOriginOf(m);
  PaintItem(skinData_->SectionIndex(), skinData_->SkinSection(), none, skinData_->TextureIndex(),
            skinData_->HotTextureIndex(), mgr, cache, TacPoint{origin.x + frame.Left, origin.y + frame.Top}, frame,
            state, true);
  PaintGrip(*cache, m);
  const bool titled = CaptionHeight(m, true) != 0 && drawNonClientArea_;
  if (titled && !centred) {
    PaintTitle(*cache, m);
    PaintIcon(*cache, m);
  }
  if (borderForm_) {
    if (titled && !centred) PaintCaption(*cache, m);
    ComposeExtBorder(*cache, m);
  } else if (titled) {
    PaintCaption(*cache, m);
  }
  if (titled) PaintTitleButtons(*cache, m);
  skinData_->CacheDirty = false;
  skinData_->PaintDeferred = false;
}

void TsSkinProvider::ComposeExtBorder(TacBitmap& cache, const TacFrameModel& m) {
  TsSkinManager* mgr = Manager();
  const TacRect frame = FrameRectInCache(m, cache.Width(), cache.Height());
  if (frame.Width() > 0 && frame.Height() > 0) SetAlphaInRect(&cache, frame, 255);
  const TacBitmap* image = activeState_ ? mgr->ActiveShadow.get() : mgr->InactiveShadow.get();
  if (!image) return;
  if (CentredBorderMode(m)) {
    TacRect imageMargins{0, 0, 0, 0};
    if (mgr->IsValidImgIndex(mgr->ConstData.ExBorder)) {
      const TsMaskData& ex = mgr->Masks[static_cast<size_t>(mgr->ConstData.ExBorder)];
      imageMargins = TacRect{ex.WL, ex.WT, ex.WR, ex.WB};
    }
    ComposeCentredBorder(&cache, image, CentredBorderLayout(m, cache.Height(), imageMargins));
    if (CaptionHeight(m, true) == 0 || !drawNonClientArea_) return;
    // Icon and caption go over the image's translucent title: what they change keeps
    // the title's alpha.
    const int rows = std::min(cache.Height(), TitleBottom(m));
    TacBitmapPtr before = NewMemoryBitmap(cache.Width(), rows, TacPixelFormat::pf32bit);
    CopyBitmapRect(before.get(), 0, 0, &cache, TacRect{0, 0, cache.Width(), rows});
    PaintIcon(cache, m);
    PaintCaption(cache, m);
    RestoreAlphaWhereChanged(&cache, *before, rows);
    return;
  }
  const TacRect e = ExtMargins(m);
  ComposeShadowRing(&cache, image, e, m.Skin.FormOffset);
  const TacCornerMask form = FormCornerMask();
  const TacCornerMask title = TitleCornerMask();
  FillCutCornersFromBorder(&cache, image, frame, title.Mask ? title : form, form, title.Mask == nullptr);
}

void TsSkinProvider::PaintGrip(TacBitmap& cache, const TacFrameModel& m) {
  TsSkinManager* mgr = Manager();
  if (GripMode != gmRightBottom || !(m.Style & WS_THICKFRAME) || m.Maximized() || m.Minimized()) return;
  const int grip = mgr->GetMaskIndex(mgr->ConstData.IndexGlobalInfo, "GLOBALINFO", "GRIPIMAGE");
  if (!mgr->IsValidImgIndex(grip)) return;
  const TacIconSize g = ButtonImageSize(mgr, grip);
  const int sb = SysBorderWidth(m, true);
  DrawStateGlyph(&cache, TacPoint{cache.Width() - g.Width - sb - 1, cache.Height() - g.Height - sb - 1}, 0, 1,
                 mgr->Masks[static_cast<size_t>(grip)], ParentImageFromBitmap(&cache, 0, 0));
}

void TsSkinProvider::PaintTitle(TacBitmap& cache, const TacFrameModel& m) {
  TsSkinManager* mgr = Manager();
  const int ti = TitleSectionIndex();
  if (!mgr->IsValidSkinIndex(ti)) return;
  const TacRect frame = FrameRectInCache(m, cache.Width(), cache.Height());
  const TacRect r = m.Minimized() ? frame : TacRect{frame.Left, frame.Top, frame.Right, TitleBottom(m)};
  const TacParentImage pi = ParentImageFromBitmap(&cache, 0, 0);
  const std::string name = mgr->Sections[static_cast<size_t>(ti)].Name;
  PaintItem(ti, name, pi, mgr->GetTextureIndex(ti, name, "PATTERN"), mgr->GetTextureIndex(ti, name, "HOTPATTERN"), mgr,
            &cache, TacPoint{0, 0}, r, activeState_ ? 1 : 0, true);
}

void TsSkinProvider::PaintIcon(TacBitmap& cache, const TacFrameModel& m) {
  const TacIconSize size = TitleIconSize(m);
  if (size.Width <= 1 || size.Height <= 1 || !cache.Handle()) return;
  const TacRect r = IconRect(m);
  HICON icon = reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(form_->Handle(), GCLP_HICONSM));
  if (!icon) icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  if (!icon) return;
  TBitmapCanvas canvas(cache);
  DrawIconEx(canvas.Handle(), r.Left, r.Top, icon, size.Width, size.Height, 0, nullptr, DI_NORMAL);
  GdiFlush();
}

void TsSkinProvider::PaintCaption(TacBitmap& cache, const TacFrameModel& m) {
  TsSkinManager* mgr = Manager();
  if (!cache.Handle()) return;
  const TacIconSize icon = TitleIconSize(m);
  const int titleBottom = TitleBottom(m);
  const TacRect e = ExtMargins(m);
  int buttonsWidth = 0;
  for (const TsButtonRecord& b : buttons_)
    if (b.R.Right > b.R.Left && (b.R.Left < buttonsWidth || buttonsWidth == 0)) buttonsWidth = b.R.Left;
  TacRect r;
  r.Left = SysBorderWidth(m, true) + icon.Width + m.Skin.BILeft + e.Left + 4 + (captionIndex_ >= 0 ? 2 : 0);
  // The caption ends where the leftmost title button begins.
  r.Right = (buttonsWidth > 0 ? buttonsWidth : cache.Width() - SysBorderWidth(m, true) - e.Right) - 12;
  r.Top = (m.Maximized() ? SysBorderWidth(m, false) / 2 + 1 : 2) + e.Top;
  r.Bottom = titleBottom;
  if (CentredBorderMode(m)) {
    int shift = m.Skin.CenterOffset;
    if (m.Maximized() && m.Skin.TitleHeight != m.Skin.MaxTitleHeight)
      shift += (m.Skin.TitleHeight - m.Skin.MaxTitleHeight) / 2 - 2;
    r.Top += shift;
    r.Bottom += shift;
  }
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  TBitmapCanvas canvas(cache);
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    canvas.Font().SetName(WideToGbk(ncm.lfCaptionFont.lfFaceName));
    canvas.Font().SetHeight(ncm.lfCaptionFont.lfHeight);
    canvas.Font().SetStyle(ncm.lfCaptionFont.lfWeight >= FW_BOLD ? static_cast<unsigned>(fsBold) : 0u);
  }
  const std::wstring wtext = form_->CaptionW();
  const std::string text = form_->Caption();
  const SIZE tsz = canvas.TextExtent(wtext);
  struct { int cx, cy; } ts{static_cast<int>(tsz.cx), static_cast<int>(tsz.cy)};
  int extra = 0;
  if (!AddedTitle.Text.empty()) {
    TCanvas measure(canvas.Handle());
    measure.Font().Assign(AddedTitle.Font);
    extra = measure.TextExtent(AddedTitle.Text).cx;
  }
  r.Top += (r.Height() - ts.cy) / 2;
  r.Bottom = r.Top + ts.cy;
  const int fullRight = r.Right;
  r = AlignCaption(r, ts.cx, extra,
                   captionAlignment_ == taRightJustify ? TacCaptionAlign::Right
                   : captionAlignment_ == taCenter     ? TacCaptionAlign::Center
                                                       : TacCaptionAlign::Left);
  const int ti = captionIndex_ >= 0 ? captionIndex_ : TitleSectionIndex();
  // Text wider than the room ends in an ellipsis at the room's right end.
  const bool fits = ts.cx < fullRight - r.Left;
  const TacRect textRect{r.Left, r.Top, fits ? r.Left + ts.cx + 1 : fullRight, r.Bottom};
  DrawSectionText(canvas, text, form_->Enabled(), mgr, activeState_, ti, kCaptionFormat, textRect);
  if (!AddedTitle.Text.empty() && extra > 4) {
    RECT er{textRect.Right + 4, r.Top, std::min<LONG>(fullRight, textRect.Right + 4 + extra + 4), r.Bottom};
    if (er.right > er.left) {
      TCanvas added(canvas.Handle());
      added.Font().Assign(AddedTitle.Font);
      COLORREF color = AddedTitle.Font.Color();
      if (mgr->IsValidSkinIndex(ti) && (color == 0 || color == ResolveColor(clWindowText)))
        color = mgr->Sections[static_cast<size_t>(ti)].FontColor[activeState_ ? 1 : 0] ;
      added.Font().SetColor(color);
      added.DrawText(AddedTitle.Text, er, kCaptionFormat);
    }
  }
  GdiFlush();
}

int TsSkinProvider::ButtonMaskFor(const TsButtonRecord& b) const {
  TsSkinManager* mgr = Manager();
  int mask = b.MaskIndex;
  if (!mgr || !form_->HandleAllocated()) return mask;
  const bool restore = (b.Code == acHit::MaxButton && IsZoomed(form_->Handle())) ||
                       (b.Code == acHit::MinButton && IsIconic(form_->Handle()));
  if (restore) {
    const int n = mgr->GetMaskIndex(mgr->ConstData.IndexGlobalInfo, "GLOBALINFO", b.Big ? "BICONNORM" : "SICONNORM");
    if (n >= 0) mask = n;
  }
  return mask;
}

bool TsSkinProvider::ButtonEnabledLook(const TsButtonRecord& b) const {
  const TacSysMenuState s = SysMenu();
  const bool minimized = form_->HandleAllocated() && IsIconic(form_->Handle());
  const bool maximized = form_->HandleAllocated() && IsZoomed(form_->Handle());
  switch (b.Code) {
    case acHit::MaxButton: return maximized ? s.EnabledRestore : s.EnabledMax;
    case acHit::MinButton: return minimized ? s.EnabledRestore : s.EnabledMin;
    default: break;
  }
  if (IsUserCode(b.Code)) {
    const size_t i = static_cast<size_t>(b.Code - acHit::UserButton);
    return i < titleButtons_.size() && titleButtons_[i].Enabled;
  }
  return true;
}

void TsSkinProvider::DrawButton(TacBitmap& cache, const TsButtonRecord& b, bool enabledLook) {
  TsSkinManager* mgr = Manager();
  const int mask = ButtonMaskFor(b);
  if (mgr && mgr->IsValidImgIndex(mask)) {
    const bool faded = b.State == 0 && (!activeState_ || !enabledLook);
    DrawStateGlyph(&cache, TacPoint{b.R.Left, b.R.Top}, b.State, faded ? 2 : 1, mgr->Masks[static_cast<size_t>(mask)],
                   ParentImageFromBitmap(&cache, 0, 0));
  }
  if (IsUserCode(b.Code)) {
    const size_t i = static_cast<size_t>(b.Code - acHit::UserButton);
    const TacBitmap* g = i < titleButtons_.size() ? titleButtons_[i].Glyph.get() : nullptr;
    if (g && g->Width() > 0) {
      const int shift = b.State == 2 ? 1 : 0;
      const int x = b.R.Left + (b.R.Width() - g->Width()) / 2 + shift;
      const int y = b.R.Top + (b.R.Height() - g->Height()) / 2 + shift;
      const uint8_t* key = g->Pixel(0, g->Height() - 1);
      CopyBlendedRect(&cache, x, y, g->Format() == TacPixelFormat::pf32bit ? TransparentKey : PixelRgb(key), 0,
                      TacRect{0, 0, g->Width() - 1, g->Height() - 1}, g);
    }
  }
}

void TsSkinProvider::PaintTitleButtons(TacBitmap& cache, const TacFrameModel& m) {
  if (!m.HasBorder()) return;
  TsSkinManager* mgr = Manager();
  const TacSysMenuState s = SysMenu();
  TacTitleLayoutInput in;
  in.FrameWidth = FrameWidth(m);
  in.ExtRight = ExtMargins(m).Right;
  in.ExtTop = ExtMargins(m).Top;
  in.SysBorder = SysBorderWidth(m, true);
  in.TopBorder = TopBorderWidth(m, true);
  in.Caption = CaptionHeight(m, true);
  in.ButtonHeight = ButtonImageSize(mgr, buttons_[kClose].MaskIndex).Height;
  in.Big = buttons_[kClose].Big;
  in.Maximized = m.Maximized();
  in.SpacedStyle = m.BorderStyle == TacBorderKind::Single || m.BorderStyle == TacBorderKind::Sizeable;
  in.Skin = m.Skin;
  in.BIValign = mgr->SkinData.BIVAlign;
  auto place = [&](int code, int mask) { return TacButtonPlace{code, ButtonImageSize(mgr, mask).Width}; };
  if (s.VisibleClose && mgr->IsValidImgIndex(buttons_[kClose].MaskIndex))
    in.System.push_back(place(acHit::Close, buttons_[kClose].MaskIndex));
  if (s.VisibleMax) in.System.push_back(place(acHit::MaxButton, buttons_[kMax].MaskIndex));
  if (s.VisibleMin) in.System.push_back(place(acHit::MinButton, buttons_[kMin].MaskIndex));
  if (form_->BorderIcons() & biHelp) in.System.push_back(place(acHit::Help, buttons_[kHelp].MaskIndex));
  for (size_t i = 0; i < titleButtons_.size(); ++i) {
    if (!titleButtons_[i].Visible) continue;
    int w = ButtonImageSize(mgr, userButtonMask_).Width;
    if (titleButtons_[i].Glyph) w = std::max(w, titleButtons_[i].Glyph->Width() + 2);
    in.User.push_back(TacButtonPlace{acHit::UserButton + static_cast<int>(i), w});
  }
  for (TsButtonRecord& b : buttons_) b.R = TacRect{0, 0, 0, 0};
  // The title strip behind the buttons, so one button can be redrawn alone.
  const int stripH = std::min(cache.Height(), TopBorderWidth(m, true) + CaptionHeight(m, true) + ExtMargins(m).Top);
  buttonBackground_ = NewMemoryBitmap(cache.Width(), stripH, cache.Format());
  CopyBitmapRect(buttonBackground_.get(), 0, 0, &cache, TacRect{0, 0, cache.Width(), stripH});
  for (const TacPlacedButton& p : LayoutTitleButtons(in)) {
    TsButtonRecord* b = RecordFor(p.Code);
    if (!b) continue;
    b->R = p.R;
    if (IsUserCode(p.Code)) b->MaskIndex = titleButtons_[static_cast<size_t>(p.Code - acHit::UserButton)].UseSkinData ? userButtonMask_ : -1;
    // A button whose look an animation shows keeps the normal look below it.
    if (b->Animation && b->Animation->Target() >= 0) {
      TsButtonRecord below = *b;
      below.State = 0;
      DrawButton(cache, below, ButtonEnabledLook(*b));
    } else {
      DrawButton(cache, *b, ButtonEnabledLook(*b));
    }
  }
}

TsButtonRecord* TsSkinProvider::RecordFor(int code) {
  switch (code) {
    case acHit::Close: return &buttons_[kClose];
    case acHit::MaxButton: return &buttons_[kMax];
    case acHit::MinButton: return &buttons_[kMin];
    case acHit::Help: return &buttons_[kHelp];
    default: break;
  }
  if (IsUserCode(code)) {
    const size_t i = static_cast<size_t>(code - acHit::UserButton);
    if (i < titleButtons_.size()) return &titleButtons_[i].Record;
  }
  return nullptr;
}

bool TsSkinProvider::AnimatesTitleButtons() const {
  TsSkinManager* mgr = Manager();
  return mgr && mgr->AllowGlowing() && LayeredWindowUpdater() != nullptr;
}

TacBitmapPtr TsSkinProvider::ButtonPicture(const TsButtonRecord& b, POINT& screen) {
  TsSkinManager* mgr = Manager();
  if (!mgr || !form_->HandleAllocated()) return nullptr;
  const POINT origin = FrameOrigin();
  // The glow: the hot close, maximize or minimize button's key + "GLOW0".
  int margin = 0;
  switch (b.Code) {
    case acHit::Close: margin = mgr->SkinData.BICloseGlowMargin; break;
    case acHit::MaxButton: margin = mgr->SkinData.BIMaxGlowMargin; break;
    case acHit::MinButton: margin = mgr->SkinData.BIMinGlowMargin; break;
    default: break;
  }
  const int mask = ButtonMaskFor(b);
  if (b.State == 1 && margin != 0 && mgr->IsValidImgIndex(mask)) {
    const std::string& key = mgr->Masks[static_cast<size_t>(mask)].PropertyName;
    const int glow = mgr->GetMaskIndex(mgr->ConstData.IndexGlobalInfo, "GLOBALINFO", key + "GLOW0");
    if (mgr->IsValidImgIndex(glow)) {
      const TsMaskData& g = mgr->Masks[static_cast<size_t>(glow)];
      const TacBitmap* image = g.Bmp ? g.Bmp.get() : mgr->MasterBitmap.get();
      const int w = MaskFrameWidth(g), h = MaskFrameHeight(g);
      TacBitmapPtr picture = w > 0 && h > 0 ? NewDibBitmap(w, h, TacPixelFormat::pf32bit) : nullptr;
      if (picture && image && g.R.Left + w <= image->Width() && g.R.Top + h <= image->Height()) {
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const uint8_t* from = image->Pixel(g.R.Left + x, g.R.Top + y);
            uint8_t* to = picture->Pixel(x, y);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = image->Format() == TacPixelFormat::pf32bit ? from[3] : 255;
          }
        screen = POINT{origin.x + b.R.Left - margin, origin.y + b.R.Top - margin};
        return picture;
      }
    }
  }
  // The button's own rectangle: the clean title strip and the state frame over it.
  const TacRect r = b.R;
  if (!buttonBackground_ || r.Width() <= 0 || r.Height() <= 0 || r.Left < 0 || r.Top < 0 ||
      r.Right > buttonBackground_->Width() || r.Bottom > buttonBackground_->Height())
    return nullptr;
  TacBitmapPtr face = NewMemoryBitmap(r.Width(), r.Height(), TacPixelFormat::pf24bit);
  CopyBitmapRect(face.get(), 0, 0, buttonBackground_.get(), r);
  TsButtonRecord here = b;
  here.R = TacRect{0, 0, r.Width(), r.Height()};
  DrawButton(*face, here, ButtonEnabledLook(b));
  TacBitmapPtr picture = NewDibBitmap(r.Width(), r.Height(), TacPixelFormat::pf32bit);
  if (!picture) return nullptr;
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) {
      const uint8_t* from = face->Pixel(x, y);
      uint8_t* to = picture->Pixel(x, y);
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      to[3] = 255;
    }
  screen = POINT{origin.x + r.Left, origin.y + r.Top};
  return picture;
}

void TsSkinProvider::AnimateButton(TsButtonRecord& b) {
  if (!b.Animation) {
    b.Animation = new TacSBAnimation(this, form_->Handle());
    const int code = b.Code;
    b.Animation->PointerInside = [this, code] {
      const TsButtonRecord* r = RecordFor(code);
      POINT p;
      if (!r || !GetCursorPos(&p)) return false;
      const POINT o = FrameOrigin();
      const RECT wr{o.x, o.y, 0, 0};
      return p.x >= wr.left + r->R.Left && p.x < wr.left + r->R.Right && p.y >= wr.top + r->R.Top &&
             p.y < wr.top + r->R.Bottom;
    };
    HWND w = form_->Handle();
    b.Animation->OnPointerLeft = [w] { PostMessageW(w, WM_MOUSELEAVE, 0, 0); };
  }
  POINT at{0, 0};
  TacBitmapPtr picture = b.State == 0 ? nullptr : ButtonPicture(b, at);
  b.Animation->ChangeTo(b.State, std::move(picture), at);
}

void TsSkinProvider::FreeButtonAnimations() {
  auto free = [](TsButtonRecord& b) {
    delete b.Animation;
    b.Animation = nullptr;
  };
  for (TsButtonRecord& b : buttons_) free(b);
  for (TsTitleButton& t : titleButtons_) free(t.Record);
}

void TsSkinProvider::RepaintButton(int code) {
  TsButtonRecord* b = RecordFor(code);
  TacBitmap* cache = skinData_->CacheBitmap();
  if (!b || !cache || b->R.Width() <= 0 || !form_->HandleAllocated() || skinData_->CacheDirty) return;
  if (AnimatesTitleButtons()) {
    AnimateButton(*b);
    return;
  }
  // From the clean strip, then the state frame, then to the window.
  const TacRect r = b->R;
  if (buttonBackground_ && r.Bottom <= buttonBackground_->Height() && r.Right <= buttonBackground_->Width() &&
      r.Left >= 0 && r.Top >= 0)
    CopyBitmapRect(cache, r.Left, r.Top, buttonBackground_.get(), r);
  DrawButton(*cache, *b, ButtonEnabledLook(*b));
  if (borderForm_) {
    borderForm_->UpdateBorder(true);
    return;
  }
  TacWholeWindowDC dc(form_->Handle());
  if (dc.Get()) CopyBitmapToDC(dc.Get(), r.Left, r.Top, *cache, r);
}

void TsSkinProvider::SetHotButton(int code, bool repaint) {
  if (code == hotCode_ || (code <= 0 && hotCode_ <= 0)) {
    hotCode_ = code;
    return;
  }
  const int old = hotCode_;
  hotCode_ = code;
  pressed_ = false;
  if (TsButtonRecord* b = RecordFor(old)) {
    b->State = 0;
    if (repaint) RepaintButton(old);
  }
  if (TsButtonRecord* b = RecordFor(code)) {
    b->State = 1;
    if (repaint) RepaintButton(code);
    // The pointer's leaving the frame clears the hover.
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE | TME_NONCLIENT, form_->Handle(), 0};
    TrackMouseEvent(&t);
  }
}

void TsSkinProvider::PressButton(int code) {
  const TacSysMenuState s = SysMenu();
  if (code == acHit::MaxButton && !(s.EnabledMax || (IsZoomed(form_->Handle()) && s.EnabledRestore))) return;
  if (code != hotCode_) {
    if (TsButtonRecord* b = RecordFor(hotCode_)) {
      b->State = 0;
      RepaintButton(hotCode_);
    }
  }
  hotCode_ = code;
  if (TsButtonRecord* b = RecordFor(code)) {
    b->State = 2;
    RepaintButton(code);
    pressed_ = true;
  }
}

void TsSkinProvider::CopyFrameToWindow(HDC dc) {
  if (skinData_->CacheDirty) PaintFrameCache();
  TacBitmap* cache = skinData_->CacheBitmap();
  if (!cache || cache->Width() <= 0) return;
  const TacFrameModel m = Model();
  const int w = cache->Width(), h = cache->Height();
  const int top = CaptionAreaHeight(m);
  const int side = SideBorderWidth(m, true);
  const int bottom = TopBorderWidth(m, true) + m.FormBorderWidth;
  const int right = SysBorderWidth(m, true) + m.FormBorderWidth;
  const TacRect parts[4] = {{0, 0, w, top}, {0, top, side, h}, {side, h - bottom, w, h}, {w - right, top, w, h - bottom}};
  for (const TacRect& r : parts)
    if (r.Width() > 0 && r.Height() > 0) CopyBitmapToDC(dc, r.Left, r.Top, *cache, r);
}

bool TsSkinProvider::WantsExtBorders() const {
  TsSkinManager* mgr = Manager();
  if (!mgr || !mgr->ExtendedBorders() || !AllowExtBorders || !drawNonClientArea_ || !Skinned() ||
      !form_->HandleAllocated())
    return false;
  if (form_->BorderStyle() == bsNone || form_->Parent()) return false;
  return mgr->ActiveShadow != nullptr && mgr->InactiveShadow != nullptr;
}

void TsSkinProvider::SetExtBorders() {
  const bool want = WantsExtBorders();
  if (want == (borderForm_ != nullptr)) return;
  if (want) {
    borderForm_ = std::make_unique<TacBorderForm>(this);
    if (!borderForm_->BorderWindow()) borderForm_.reset();
  } else {
    borderForm_.reset();
  }
  FreeButtonAnimations();
  maxShortTitle_ = ComputeMaxShortTitle(Model());
  // 32 bits with the shadow's alpha while the border form exists, else 24.
  skinData_->InitCacheBitmap();
  skinData_->CacheDirty = true;
  regionDirty_ = true;
  if (!FormShowing()) return;
  UpdateRegion(true);
  if (borderForm_)
    borderForm_->UpdateBorder(true);
  else
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool TsSkinProvider::BorderUpdatesAllowed() const {
  return drawNonClientArea_ && !showAnimation_ && !skinData_->PaintDeferred && !Destroying() && !form_->Destroying();
}

void TsSkinProvider::RefreshBorder(bool repaint) {
  if (borderForm_) borderForm_->UpdateBorder(repaint);
}

void TsSkinProvider::RepaintFrameNow() {
  if (!FormShowing() || !Skinned()) return;
  if (WantsExtBorders() != (borderForm_ != nullptr)) SetExtBorders();
  if (regionDirty_) UpdateRegion(false);
  if (borderForm_) {
    // The form keeps only its client part; the frame is on the border window.
    borderForm_->UpdateBorder(false);
    paintedOnce_ = true;
    return;
  }
  TacWholeWindowDC dc(form_->Handle());
  if (dc.Get()) CopyFrameToWindow(dc.Get());
  paintedOnce_ = true;
}

void TsSkinProvider::NcPaint() {
  if (!FormShowing() || !sysMenuCreated_) return;
  if (IsIconic(form_->Handle())) skinData_->CacheDirty = true;
  RepaintFrameNow();
}

void TsSkinProvider::PaintClientBackground(HDC dc) {
  if (skinData_->CacheDirty) PaintFrameCache();
  TacBitmap* cache = skinData_->CacheBitmap();
  const TacFrameModel m = Model();
  RECT cr;
  GetClientRect(form_->Handle(), &cr);
  if (cache && cache->Width() > 0)
    CopyBitmapToDC(dc, 0, 0, *cache,
                   TacRect{ClientOffsetX(m), ClientOffsetY(m), ClientOffsetX(m) + cr.right, ClientOffsetY(m) + cr.bottom});
  PaintGraphicChildren(dc, form_, POINT{0, 0});
}

void TsSkinProvider::AnswerBackground(TacBgRequest& request) {
  if (skinData_->CacheDirty) PaintFrameCache();
  const TacPoint client = cacheClientOffset_;
  if (request.PaintNow) {
    request.Offset.X += client.X;
    request.Offset.Y += client.Y;
  }
  skinData_->AnswerBgRequest(request, 0);
  // The answer names where the client area starts in the image; the requester adds its own place.
  if (request.Kind == bgkImage) request.Offset = client;
}

void TsSkinProvider::ShowSystemMenu(int x, int y) {
  HWND w = form_->Handle();
  if (TsSkinManager* mgr = Manager(); mgr && mgr->SkinnedPopups) {
    if (!systemMenu_) systemMenu_ = std::make_unique<TsSystemMenu>(this);
    systemMenu_->ShowAt(x, y);
    return;
  }
  HMENU menu = GetSystemMenu(w, FALSE);
  if (!menu) return;
  const TacSysMenuState s = SysMenu();
  const bool minimized = IsIconic(w), maximized = IsZoomed(w);
  auto enable = [&](UINT cmd, bool on) { EnableMenuItem(menu, cmd, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  enable(SC_RESTORE, s.EnabledRestore);
  enable(SC_MOVE, !maximized && !minimized);
  enable(SC_SIZE, form_->BorderStyle() != bsSingle && !minimized && !maximized);
  enable(SC_MINIMIZE, s.VisibleMin && s.EnabledMin);
  enable(SC_MAXIMIZE, s.VisibleMax && s.EnabledMax);
  enable(SC_CLOSE, s.VisibleClose);
  const UINT cmd = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, w, nullptr));
  if (cmd) PostMessageW(w, WM_SYSCOMMAND, cmd, 0);
}

// ---- message handling

// The messages that start an automatic provider: the first frame paint, hit test or
// activation (a skinned title must not be drawn the platform's way first), and the
// window being shown or hidden.
bool TsSkinProvider::StartsDeferredSkinning(const TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SHOWWINDOW:
      return true;
    case WM_WINDOWPOSCHANGED:
      return (reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0;
    default:
      return false;
  }
}

void TsSkinProvider::StartDeferredSkinning() {
  deferredStart_ = false;
  TsSkinManager* mgr = Manager();
  if (!mgr || !form_->HandleAllocated()) return;
  skinData_->ResolveSection();
  if (skinData_->IsSkinned()) {
    StartSkinning();
    // The window may be on the screen with the platform's frame already.
    if (IsWindowVisible(form_->Handle()))
      RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  } else if (mgr->Active()) {
    InitProvider();
  }
}

void TsSkinProvider::ProviderWndProc(TMessage& m) {
  if (Destroying() || form_->Destroying()) {
    CallPrevious(m);
    return;
  }
  if (deferredStart_ && StartsDeferredSkinning(m)) StartDeferredSkinning();
  const bool skinned = Skinned();
  if (m.Msg == SM_ALPHACMD) {
    if (HandleSkinCommand(m, skinned)) return;
    if (skinned) return;  // swallowed: the result stays as the sender set it
    CallPrevious(m);
    return;
  }
  if (m.Msg == WM_CREATE || m.Msg == WM_NCCREATE) {
    // A provider made before its form's window starts once the window exists.
    CallPrevious(m);
    if (m.Msg == WM_CREATE && !sysMenuCreated_ && !deferredStart_ && Manager()) {
      if (skinned)
        StartSkinning();
      else if (Manager()->Active())
        InitProvider();
    }
    return;
  }
  if (!skinned) {
    CallPrevious(m);
    return;
  }
  SkinnedWndProc(m);
}

bool TsSkinProvider::HandleSkinCommand(TMessage& m, bool skinned) {
  const int code = CommandCode(m.WParam);
  TsSkinManager* mgr = Manager();
  const bool ours = ManagerFromParam(m.LParam) == mgr;
  switch (code) {
    case SMC_GETPROVIDER:
      m.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SMC_ISSKINNED:
      m.Result = 1;
      return true;
    case SMC_NEWSKIN: {
      if (!ours) return false;
      skinData_->ResolveSection();
      if (!form_->HandleAllocated()) return true;
      StartSkinning();
      skinData_->CacheDirty = true;
      regionDirty_ = true;
      // The children hear of the skin from the manager's broadcast, after the form.
      if (FormShowing()) {
        SetExtBorders();
        UpdateRegion(false);
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        RefreshBorder(true);
      }
      return true;
    }
    case SMC_REMOVESKIN:
      if (!ours) {
        BroadcastToControls(form_, m);
        return true;
      }
      RemoveSkin(m);
      return true;
    case SMC_REFRESH:
      if (!ours) return skinned;
      skinData_->ResolveSection();
      InitProvider();
      titleStrip_.reset();
      regionDirty_ = true;
      if (FormShowing()) {
        skinData_->CacheDirty = true;
        SetExtBorders();
        RedrawWindow(form_->Handle(), nullptr, nullptr, 0x545);
        RefreshBorder(true);
      }
      skinData_->PaintDeferred = false;
      RefreshCtrlAdapter();
      return true;
    case SMC_ADAPTCHILD:
      if (skinned) RefreshCtrlAdapter();
      return skinned;
    case SMC_SETUPDATING:
      skinData_->PaintDeferred = CommandArg(m.WParam) == 1;
      if (skinData_->PaintDeferred) skinData_->CacheDirty = true;
      return skinned;
    case SMC_ISINVALID:
      m.Result = skinData_->DependsOnParent() && skinData_->PaintDeferred ? 1 : 0;
      return skinned;
    case SMC_HASBACKGROUND: {
      if (!skinned) return false;
      const TsGeneralData& s = mgr->Sections[static_cast<size_t>(skinData_->SectionIndex())];
      m.Result = s.GradientPercent + s.ImagePercent > 0 ? 1 : 0;
      return true;
    }
    case SMC_GETBGCOLOR: {
      if (!skinned) return false;
      if (!skinData_->CustomColorSet()) {
        const TsGeneralData& s = mgr->Sections[static_cast<size_t>(skinData_->SectionIndex())];
        m.Result = static_cast<LRESULT>(activeState_ ? s.HotColor : s.Color);
      } else {
        m.Result = static_cast<LRESULT>(ResolveColor(form_->Color()));
      }
      return true;
    }
    case SMC_GETBGINFO:
      if (!skinned || !m.LParam) return false;
      AnswerBackground(*reinterpret_cast<TacBgRequest*>(m.LParam));
      return true;
    case SMC_CHILDSTATE:
      if (!skinned) return false;
      m.Result = skinData_->BgFlags;
      return true;
    case SMC_BEGINSCROLL:
      if (skinned) SendMessageW(form_->Handle(), WM_SETREDRAW, 0, 0);
      return skinned;
    case SMC_ENDSCROLL:
      if (!skinned) return false;
      SendMessageW(form_->Handle(), WM_SETREDRAW, 1, 0);
      RedrawWindow(form_->Handle(), nullptr, nullptr, 0x585);
      return true;
    case SMC_GETAPPLICATION:
      m.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    case SMC_GETCLIENTOFFSET: {
      const TacFrameModel fm = Model();
      m.Result = static_cast<LRESULT>(MAKELONG(ClientOffsetX(fm), ClientOffsetY(fm)));
      return true;
    }
    case SMC_UPDATEBORDERS:
      if (skinned) RefreshBorder(true);
      return skinned;
    case SMC_ENDUPDATE:
    case SMC_APPACTIVATED:
      return skinned;
    default:
      return false;
  }
}

void TsSkinProvider::RemoveSkin(TMessage& m) {
  ctrlAdapter_.reset();
  borderForm_.reset();
  SetCompositionTransitions(false);
  FreeButtonAnimations();
  menuRows_ = -1;
  titleIndex_ = captionIndex_ = -1;
  if (!form_->Destroying() && form_->HandleAllocated()) {
    RestoreSysMenuStyle();
    inRegionChange_ = true;
    SetWindowRegion(form_->Handle(), TacRegionHandle(), true);
    inRegionChange_ = false;
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  for (TsButtonRecord& b : buttons_) b.State = 0, b.R = TacRect{0, 0, 0, 0};
  hotCode_ = 0;
  pressed_ = false;
  if (useGlobalColor_ && !skinData_->CustomColorSet()) form_->SetColor(clBtnFace);
  skinData_->EmptyCache();
  skinData_->CacheDirty = true;
}

void TsSkinProvider::OnNcButtonUp(TMessage& m, int zone) {
  const bool wasPressed = pressed_;
  const int code = hotCode_;
  HWND w = form_->Handle();
  if (!wasPressed || code != zone) {
    if (zone != acHit::Close) SetHotButton(0, true);
    if (zone == acHit::MinButton || zone == acHit::MaxButton || m.Msg == WM_LBUTTONUP) CallPrevious(m);
    return;
  }
  const TacSysMenuState s = SysMenu();
  pressed_ = false;
  switch (zone) {
    case acHit::Close:
      buttons_[kClose].State = 0;
      RepaintButton(acHit::Close);
      hotCode_ = 0;
      SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case acHit::MinButton:
      SetHotButton(0, true);
      SendMessageW(w, WM_SYSCOMMAND, IsIconic(w) ? SC_RESTORE : SC_MINIMIZE, 0);
      skinData_->CacheDirty = true;
      break;
    case acHit::MaxButton:
      if (s.EnabledMax || (IsZoomed(w) && s.EnabledRestore)) {
        SetHotButton(0, true);
        SendMessageW(w, WM_SYSCOMMAND, IsZoomed(w) ? SC_RESTORE : SC_MAXIMIZE, 0);
      }
      break;
    case acHit::Help:
      SetHotButton(0, true);
      SendMessageW(w, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      break;
    default:
      if (IsUserCode(zone)) {
        const size_t i = static_cast<size_t>(zone - acHit::UserButton);
        SetHotButton(0, true);
        POINT p;
        GetCursorPos(&p);
        if (i < titleButtons_.size() && titleButtons_[i].OnMouseUp) titleButtons_[i].OnMouseUp(this, mbLeft, 0, p.x, p.y);
      }
      break;
  }
  m.Result = 0;
}

void TsSkinProvider::SkinnedWndProc(TMessage& m) {
  HWND w = form_->Handle();
  auto screenPoint = [&](LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; };
  switch (m.Msg) {
    case WM_SETREDRAW:
      if (m.WParam == 0)
        ++redrawLock_;
      else if (redrawLock_ > 0)
        --redrawLock_;
      CallPrevious(m);
      return;
    case WM_NCHITTEST: {
      const TacFrameModel fm = Model();
      if (CaptionHeight(fm, true) == 0 || !drawNonClientArea_) {
        CallPrevious(m);
        return;
      }
      const int code = HitTest(screenPoint(m.LParam));
      if (LeftToPlatform(code)) {
        CallPrevious(m);
        SetHotButton(0, true);
        return;
      }
      m.Result = code;
      return;
    }
    case WM_NCPAINT:
      if (!drawNonClientArea_) {
        CallPrevious(m);
        return;
      }
      NcPaint();
      m.Result = 0;
      return;
    case WM_NCACTIVATE: {
      activeState_ = m.WParam != 0;
      skinData_->CacheDirty = true;
      skinData_->PaintDeferred = false;
      if (!drawNonClientArea_) {
        CallPrevious(m);
        return;
      }
      if (borderForm_ && FormShowing()) UpdateRegion(false);
      // The platform must not draw its caption: -1 asks it to leave the frame alone.
      TMessage quiet{m.Msg, m.WParam, -1, 0};
      CallPrevious(quiet);
      m.Result = quiet.Result;
      NcPaint();
      return;
    }
    case WM_SETTEXT:
      CallPrevious(m);
      if (drawNonClientArea_) {
        skinData_->CacheDirty = true;
        RepaintFrameNow();
      }
      return;
    case WM_SETICON:
      CallPrevious(m);
      skinData_->CacheDirty = true;
      RepaintFrameNow();
      return;
    case WM_ERASEBKGND:
      if (FormShowing() && !skinData_->PaintDeferred) {
        PaintClientBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
      }
      CallPrevious(m);
      return;
    case WM_PAINT:
      if (FormShowing()) {
        TacPaintDC dc(w);
        if (dc.Get()) PaintClientBackground(dc.Get());
        m.Result = 0;
        return;
      }
      CallPrevious(m);
      return;
    case WM_PRINTCLIENT:
      m.Result = 0;
      return;
    case WM_SIZE: {
      CallPrevious(m);
      GetClientRect(w, &lastClient_);
      TacBitmap* cache = skinData_->CacheBitmap();
      int cw = 0, ch = 0;
      TacPixelFormat cf = TacPixelFormat::pf24bit;
      FrameCacheFormat(cw, ch, cf);
      if (!cache || cache->Width() != cw || cache->Height() != ch) {
        regionDirty_ = true;
        skinData_->CacheDirty = true;
        menuRows_ = -1;
        if (FormShowing()) {
          UpdateRegion(false);
          SendMessageW(w, WM_NCPAINT, 1, 0);
          RedrawWindow(w, nullptr, nullptr, RDW_NOFRAME | RDW_NOERASE | RDW_INVALIDATE);
        }
      }
      return;
    }
    case WM_ACTIVATE:
      CallPrevious(m);
      menuRows_ = -1;
      if (borderForm_) borderForm_->ReplaceLater();
      return;
    case WM_QUERYENDSESSION:
      ShutdownPending = true;
      while (FadeTimerCount > 0) {
        Application->ProcessMessages();
        Sleep(1);
      }
      CallPrevious(m);
      return;
    case WM_GETMINMAXINFO: {
      const TacFrameModel fm = Model();
      if (DecidesMaximizedSize(fm, drawNonClientArea_) && m.LParam) {
        HMONITOR mon = MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoW(mon, &mi)) {
          const TacMaximizedSize s =
              MaximizedSize(fm, mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top);
          MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
          info->ptMaxPosition.y = s.MaxPositionY;
          info->ptMaxSize.x = s.MaxWidth;
          info->ptMaxSize.y = s.MaxHeight;
        }
      }
      CallPrevious(m);
      return;
    }
    case WM_WINDOWPOSCHANGING: {
      if (inRegionChange_) {
        m.Result = 0;
        return;
      }
      WINDOWPOS* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (ScreenSnap && wp && !(wp->flags & SWP_NOMOVE)) {
        HMONITOR mon = MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoW(mon, &mi)) {
          RECT wr;
          GetWindowRect(w, &wr);
          TacSnapInput in;
          in.Proposed = TacPoint{wp->x, wp->y};
          in.Width = (wp->flags & SWP_NOSIZE) ? wr.right - wr.left : wp->cx;
          in.Height = (wp->flags & SWP_NOSIZE) ? wr.bottom - wr.top : wp->cy;
          in.WorkArea = TacRect{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
          in.SnapBuffer = SnapBuffer;
          const TacPoint p = SnapToWorkArea(in, true, IsZoomed(w) != 0);
          wp->x = p.X;
          wp->y = p.Y;
        }
      }
      CallPrevious(m);
      return;
    }
    case WM_WINDOWPOSCHANGED: {
      CallPrevious(m);
      if (showPending_ && m.LParam && (reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & SWP_SHOWWINDOW))
        FinishShow();
      maxShortTitle_ = ComputeMaxShortTitle(Model());
      // Title-button pictures stand where the buttons were: a move or a hide ends them;
      // otherwise they follow the form in z-order.
      if (const WINDOWPOS* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam)) {
        if (!(wp->flags & SWP_NOMOVE) || (wp->flags & SWP_HIDEWINDOW)) {
          FreeButtonAnimations();
          if ((wp->flags & SWP_HIDEWINDOW) && HideAnimates()) AnimateFormHide();
        } else if (!(wp->flags & SWP_NOZORDER)) {
          for (TsButtonRecord& b : buttons_)
            if (b.Animation) b.Animation->FollowForm();
        }
        if (borderForm_ && !(wp->flags & (SWP_NOREDRAW | SWP_FRAMECHANGED))) borderForm_->UpdateBorder(false);
      }
      return;
    }
    case WM_NCLBUTTONDOWN: {
      // -1: a press on the border window, whose point this provider tests itself.
      if (m.WParam == static_cast<WPARAM>(-1)) {
        if (!borderForm_) {
          m.Result = 0;
          return;
        }
        const int tested = borderForm_->BorderHitTest(screenPoint(m.LParam));
        if (tested == -1) {
          m.Result = 0;
          return;
        }
        m.WParam = static_cast<WPARAM>(tested);
        if (GetForegroundWindow() != w) SetForegroundWindow(w);
      }
      const int zone = static_cast<int>(m.WParam);
      if (zone == acHit::Close || zone == acHit::MaxButton || zone == acHit::MinButton || zone == acHit::Help ||
          IsUserCode(zone)) {
        PressButton(zone);
        if (IsUserCode(zone)) {
          const size_t i = static_cast<size_t>(zone - acHit::UserButton);
          const POINT p = screenPoint(m.LParam);
          if (i < titleButtons_.size() && titleButtons_[i].OnMouseDown)
            titleButtons_[i].OnMouseDown(this, mbLeft, 0, p.x, p.y);
        }
        m.Result = 0;
        return;
      }
      if (zone == acHit::SysMenu) {
        SetHotButton(0, true);
        RECT wr;
        GetWindowRect(w, &wr);
        const TacFrameModel fm = Model();
        ShowSystemMenu(wr.left + SysBorderWidth(fm, false),
                       wr.top + TopBorderWidth(fm, true) + fm.FormBorderWidth + TitleIconSize(fm).Height +
                           TopBorderWidth(fm, false));
        m.Result = 0;
        return;
      }
      if (zone == acHit::Caption && IsZoomed(w)) {
        if (GetActiveWindow() != w) SetActiveWindow(w);
        m.Result = 0;
        return;
      }
      if (IsIconic(w) && (zone == acHit::Caption || IsBorderZone(zone))) {
        SendMessageW(w, WM_SYSCOMMAND, acSysCmd::DragMove, m.LParam);
        m.Result = 0;
        return;
      }
      CallPrevious(m);
      return;
    }
    case WM_NCLBUTTONUP:
      OnNcButtonUp(m, FrameHitTestAt(screenPoint(m.LParam)));
      return;
    case WM_LBUTTONUP: {
      if (!pressed_) {
        CallPrevious(m);
        return;
      }
      POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      ClientToScreen(w, &p);
      OnNcButtonUp(m, FrameHitTestAt(p));
      return;
    }
    case WM_NCLBUTTONDBLCLK: {
      const int zone = static_cast<int>(m.WParam);
      const TacFrameModel fm = Model();
      if (zone == acHit::Caption) {
        const unsigned cmd = CaptionDoubleClickCommand(SysMenu(), fm.HasBorder(), fm.State);
        if (cmd) SendMessageW(w, WM_SYSCOMMAND, cmd, 0);
      } else if (zone == acHit::SysMenu) {
        SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      m.Result = 0;
      return;
    }
    case WM_NCRBUTTONDOWN:
      if (m.WParam == HTCAPTION || m.WParam == HTSYSMENU) {
        m.Result = 0;
        return;
      }
      CallPrevious(m);
      return;
    case WM_NCRBUTTONUP: {
      if (!Model().HasBorder()) {
        CallPrevious(m);
        return;
      }
      const POINT p = screenPoint(m.LParam);
      const int zone = FrameHitTestAt(p);
      if (zone == acHit::Caption || zone == acHit::SysMenu) {
        SetHotButton(0, true);
        ShowSystemMenu(p.x, p.y);
      }
      m.Result = 0;
      return;
    }
    case 0x313: {  // the taskbar's menu request
      POINT p;
      GetCursorPos(&p);
      ShowSystemMenu(p.x, p.y);
      m.Result = 0;
      return;
    }
    case WM_SYSCOMMAND: {
      const UINT cmd = static_cast<UINT>(m.WParam & 0xFFF0);
      CallPrevious(m);
      if (cmd == SC_MINIMIZE) {
        skinData_->EmptyCache();
        skinData_->CacheDirty = true;
      } else if (cmd == SC_MAXIMIZE || cmd == SC_RESTORE) {
        buttons_[kMax].State = 0;
        if (cmd == SC_RESTORE) {
          skinData_->CacheDirty = true;
          RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
      } else if (cmd == SC_KEYMENU && m.LParam == 32 && SysMenu().VisibleClose) {
        RECT wr;
        GetWindowRect(w, &wr);
        const TacFrameModel fm = Model();
        ShowSystemMenu(wr.left + SysBorderWidth(fm, true),
                       wr.top + TopBorderWidth(fm, true) + fm.FormBorderWidth + TitleIconSize(fm).Height);
      }
      return;
    }
    case WM_INITMENUPOPUP:
      if (HIWORD(m.LParam)) EnableMenuItem(reinterpret_cast<HMENU>(m.WParam), SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
      CallPrevious(m);
      return;
    case WM_ENTERIDLE:
    case 0x93:
    case 0xB034:
    case 0xB04C:
    case 0xBC4D:
      m.Result = 0;
      return;
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      SetHotButton(0, true);
      CallPrevious(m);
      return;
    case WM_SETTINGCHANGE:
      skinData_->CacheDirty = true;
      titleStrip_.reset();
      CallPrevious(m);
      return;
    case CM_ENABLEDCHANGED:
      CallPrevious(m);
      skinData_->CacheDirty = true;
      if (FormShowing()) SendMessageW(w, WM_NCPAINT, 1, 0);
      return;
    case CM_VISIBLECHANGED:
      if (m.WParam && !IsWindowVisible(w) && ShowAnimates()) {
        CallPrevious(m);
        // The form is shown next: its whole look goes onto the border window first.
        SetExtBorders();
        UpdateRegion(false);
        showAnimation_ = true;
        const TacFormAnimation show = Manager()->AnimEffects.FormShow;
        showPending_ =
            AnimateFormShow(this, show.Time, static_cast<uint8_t>(form_->AlphaBlend() ? form_->AlphaBlendValue() : 255),
                            show.Mode);
        if (!showPending_) showAnimation_ = false;
        return;
      }
      CallPrevious(m);
      if (!form_->Visible()) {
        // A show that never reached the screen ends here.
        showPending_ = false;
        showAnimation_ = false;
        RefreshBorder(false);
        skinData_->EmptyCache();
        skinData_->CacheDirty = true;
      }
      return;
    case WM_SHOWWINDOW:
      // Hiding: the border window goes before anything of the form changes on the screen.
      if (!m.WParam && borderForm_ && borderForm_->BorderWindow()) ShowWindow(borderForm_->BorderWindow(), SW_HIDE);
      CallPrevious(m);
      if (m.WParam) {
        skinData_->CacheDirty = true;
        regionDirty_ = true;
        // Every child has its window by now.
        RefreshCtrlAdapter();
      }
      return;
    case WM_PARENTNOTIFY:
      CallPrevious(m);
      if (LOWORD(m.WParam) == WM_CREATE) RefreshCtrlAdapter();
      return;
    default:
      CallPrevious(m);
      return;
  }
}
