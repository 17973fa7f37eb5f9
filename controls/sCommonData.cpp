#include "controls/sCommonData.h"

#include <algorithm>
#include <cctype>
#include <typeinfo>
#include <vector>

#include "framework/vclCanvas.h"
#include "framework/vclForm.h"
#include "framework/vclStdCtrls.h"
#include "framework/vclWinControl.h"
#include "paint/acColors.h"
#include "paint/acBlockCopy.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acGlow.h"
#include "paint/sBorderMask.h"
#include "paint/sItemPaintGdi.h"
#include "skin/sCommandCodes.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

bool AnimationCaptureActive = false;
HDC AnimationCaptureDC = nullptr;

bool PaintAllowedInto(HDC dc) { return !AnimationCaptureActive || dc == AnimationCaptureDC; }

// ---- kind sets and default sections

namespace {

bool InRanges(int kind, std::initializer_list<std::pair<int, int>> ranges) {
  if (kind < 0 || kind > 255) return false;
  for (const auto& r : ranges)
    if (kind >= r.first && kind <= r.second) return true;
  return false;
}

bool IsButtonKind(int kind) { return kind >= 92 && kind <= 94; }

std::string UpperCase(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

// The nearest form up the parent chain (not the control itself).
TForm* ParentFormOf(TControl* control) {
  for (TWinControl* p = control ? control->Parent() : nullptr; p; p = p->Parent())
    if (auto* form = dynamic_cast<TForm*>(p)) return form;
  return nullptr;
}

bool Designing(const TComponent* c) { return c && (c->ComponentState() & csDesigning) != 0; }

uint32_t GlobalColor() {
  TsSkinManager* m = DefaultManager();
  return m ? m->GetGlobalColor() : ResolveColor(clBtnFace);
}

// The class name as a section name: the type's name without namespace or mangling digits.
std::string ClassNameOf(const TComponent* c) {
  if (!c) return std::string();
  std::string name = typeid(*c).name();
  size_t i = 0;
  while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i]))) ++i;
  return name.substr(i);
}

LRESULT Dispatch(TControl* control, int code, LPARAM lParam = 0, int arg = 0) {
  return control->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(code, arg)), lParam);
}

bool AnchoredRightOrBottom(const TControl* c) {
  return c->Align() == alRight || c->Align() == alBottom || c->Align() == alClient;
}

}  // namespace

bool IsContainerKind(int kind) { return InRanges(kind, {{19, 19}, {51, 74}, {110, 110}, {141, 161}}); }

bool IsWithoutGlowKind(int kind) {
  return InRanges(kind, {{51, 52},
                         {54, 54},
                         {56, 60},
                         {68, 68},
                         {73, 74},
                         {110, 110},
                         {141, 141},
                         {143, 143},
                         {151, 151},
                         {161, 161},
                         {226, 226}});
}

bool IsEditLikeKind(int kind) { return InRanges(kind, {{2, 18}, {41, 41}, {76, 84}, {96, 97}, {131, 140}}); }

std::string DefaultSectionForKind(int kind, const std::string& className) {
  struct Entry {
    std::initializer_list<std::pair<int, int>> ranges;
    const char* section;
  };
  static const Entry table[] = {
      {{{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 84}, {96, 97}, {131, 131}, {140, 140}, {227, 227}},
       "EDIT"},
      {{{11, 18}, {81, 82}}, "COMBOBOX"},
      {{{19, 19}}, "BAR"},
      {{{20, 20}}, "BARTITLE"},
      {{{32, 32}, {152, 152}}, "CHECKBOX"},
      {{{33, 33}}, "RADIOBUTTON"},
      {{{51, 51}, {59, 59}, {68, 68}, {73, 73}}, "PANEL"},
      {{{52, 52}, {58, 58}}, "PANEL_LOW"},
      {{{53, 54}, {60, 60}}, "TOOLBAR"},
      {{{56, 56}}, "DRAGBAR"},
      {{{57, 57}}, "TABSHEET"},
      {{{74, 74}, {226, 226}}, "GROUPBOX"},
      {{{75, 75}}, "SPLITTER"},
      {{{92, 92}, {95, 95}}, "SPEEDBUTTON"},
      {{{93, 94}}, "BUTTON"},
      {{{98, 98}}, "TOOLBUTTON"},
      {{{141, 141}, {143, 143}}, "PAGECONTROL"},
      {{{151, 151}}, "STATUSBAR"},
      {{{161, 161}}, "GAUGE"},
      {{{165, 165}}, "TRACKBAR"},
  };
  for (const Entry& e : table)
    if (InRanges(kind, e.ranges)) return e.section;
  return className;
}

// ---- construction

TsCommonData::TsCommonData(TControl* owner, bool withCache) {
  hostControl_ = owner;
  Init(owner);
  if (withCache) cache_ = NewMemoryBitmap(0, 0, TacPixelFormat::pf24bit);
}

TsCommonData::TsCommonData(TacProviderHost* provider) {
  hostProvider_ = provider;
  Init(dynamic_cast<TComponent*>(provider));
}

void TsCommonData::Init(TComponent* host) { host_ = host; }

TsCommonData::~TsCommonData() {
  HideShownGlow();
  borderMaskIndex_ = sectionIndex_ = textureIndex_ = hotTextureIndex_ = -1;
}

// ---- properties

void TsCommonData::SetSkinSection(const std::string& section) {
  if (section == skinSection_) return;
  skinSection_ = section.empty() ? std::string("UNKNOWN") : UpperCase(section);
  TsSkinManager* m = SkinManager();
  if (m && !m->Sections.empty())
    ResolveSection();
  else
    sectionIndex_ = -1;
  if (hostControl_) {
    if (!hostControl_->Loading() && !hostControl_->Destroying() && hostControl_->Parent()) {
      const bool valid = m && m->IsValidSkinIndex(sectionIndex_);
      Dispatch(hostControl_, valid ? SMC_REFRESH : SMC_REMOVESKIN, m ? m->CommandParam() : 0);
    }
  } else if (hostProvider_) {
    CacheDirty = true;
    hostProvider_->FreeFrameCache();
  }
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
  if (manager && manager == DefaultManager()) manager = nullptr;
  if (manager == skinManager_) return;
  skinManager_ = manager;
  if (hostControl_ && hostControl_->Loading()) return;
  TsSkinManager* m = SkinManager();
  if (m && !m->Sections.empty())
    ResolveSection();
  else
    sectionIndex_ = -1;
  if (hostControl_ && hostControl_->Parent() && !hostControl_->Destroying()) {
    const bool valid = m && m->IsValidSkinIndex(sectionIndex_);
    Dispatch(hostControl_, valid ? SMC_REFRESH : SMC_REMOVESKIN, m ? m->CommandParam() : 0);
  }
}

TsSkinManager* TsCommonData::SkinManager() const { return skinManager_ ? skinManager_ : DefaultManager(); }

void TsCommonData::SetCustomFont(bool value) {
  customFont_ = value;
  RequestRepaint();
}

// ---- binding

bool TsCommonData::IsSkinned(bool checkActive) const {
  TsSkinManager* m = SkinManager();
  if (!m || sectionIndex_ < 0) return false;
  if ((host_ && host_->Destroying()) || m->Destroying()) return false;
  if (!m->IsValidSkinIndex(sectionIndex_)) return false;
  return !checkActive || m->SkinData.Active;
}

void TsCommonData::ResolveSection() {
  CacheDirty = true;
  TsSkinManager* m = SkinManager();
  sectionIndex_ = m ? m->GetSkinIndex(skinSection_) : -1;
  BgFlags = 0;
  if (m && m->IsValidSkinIndex(sectionIndex_)) {
    borderMaskIndex_ = m->Sections[static_cast<size_t>(sectionIndex_)].BorderIndex;
    textureIndex_ = m->GetTextureIndex(sectionIndex_, skinSection_, "PATTERN");
    hotTextureIndex_ = m->GetTextureIndex(sectionIndex_, skinSection_, "HOTPATTERN");
    UpdateSolidFill(false);
  } else {
    // A mask index of another skin must not survive into this one.
    sectionIndex_ = -1;
    borderMaskIndex_ = -1;
    textureIndex_ = hotTextureIndex_ = -1;
  }
}

void TsCommonData::BindingLoaded() {
  if (!skinSection_.empty())
    ResolveSection();
  else
    SetSkinSection(DefaultSectionForKind(ControlKind, ClassNameOf(host_)));
  if (IsSkinned() && hostControl_ && hostControl_->Parent() && !hostControl_->Loading() &&
      hostControl_->IsWindowed())
    AnnounceToForm(hostControl_);
}

void TacProviderHost::FrameCacheFormat(int& width, int& height, TacPixelFormat& format) const {
  const TForm* form = HostForm();
  width = form ? form->Width() : 0;
  height = form ? form->Height() : 0;
  format = TacPixelFormat::pf24bit;
}

TacBitmap* TsCommonData::InitCacheBitmap() {
  ++cacheGeneration_;
  int w = 0, h = 0;
  TacPixelFormat format = TacPixelFormat::pf24bit;
  if (hostControl_) {
    w = hostControl_->Width();
    h = hostControl_->Height();
  } else if (hostProvider_ && hostProvider_->HostForm()) {
    hostProvider_->FrameCacheFormat(w, h, format);
  }
  const bool fits = cache_ && cache_->Width() == w && cache_->Height() == h && cache_->Format() == format &&
                    (cache_->Handle() || w == 0 || h == 0);
  if (!fits) {
    TacBitmapPtr fresh = (w > 0 && h > 0) ? NewDibBitmap(w, h, format) : nullptr;
    cache_ = fresh ? std::move(fresh) : NewMemoryBitmap(w > 0 && h > 0 ? w : 0, w > 0 && h > 0 ? h : 0, format);
    CacheDirty = true;
  }
  return cache_.get();
}

void TsCommonData::EmptyCache() {
  if (cache_ && (cache_->Width() != 0 || cache_->Height() != 0)) cache_ = NewMemoryBitmap(0, 0, TacPixelFormat::pf24bit);
}

TWinControl* TsCommonData::HostParent() const {
  if (hostControl_) return hostControl_->Parent();
  if (hostProvider_ && hostProvider_->HostForm()) return hostProvider_->HostForm()->Parent();
  return nullptr;
}

HWND TsCommonData::HostWindow() const {
  TWinControl* w = nullptr;
  if (hostControl_)
    w = dynamic_cast<TWinControl*>(hostControl_);
  else if (hostProvider_)
    w = hostProvider_->HostForm();
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

void TsCommonData::GetParentImage(TacParentImage& out) {
  TWinControl* parent = HostParent();
  if (!IsSkinned() || !parent) {
    out = ParentImageFromColor(GetControlColor(0));
    return;
  }
  TacBgRequest request;
  const TacPoint at = HostPosition();
  request.Offset = at;
  SendBgRequest(hostControl_ ? hostControl_ : static_cast<TControl*>(hostProvider_->HostForm()), request, false);
  // The answer is where the parent's client area starts in its image: item painting
  // adds the owner's own position to it, so it is not added here as well.
  out = ReduceBgRequest(request);
}

// ---- cache and painting protocol

void TsCommonData::RequestRepaint() {
  if (hostControl_) {
    if (hostControl_->Destroying() || hostControl_->Loading()) return;
    CacheDirty = true;
    if (ControlIsReady(hostControl_)) hostControl_->Invalidate();
  } else if (hostProvider_) {
    CacheDirty = true;
    if (HWND wnd = HostWindow())
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

bool TsCommonData::DependsOnParent() const {
  return AnimationCaptureActive || (BgFlags & bgfSolidFill) == 0 || ControlIsActive();
}

bool TsCommonData::ComputeDeferred() {
  TsSkinManager* m = SkinManager();
  if (!m || Designing(m)) return false;
  bool result;
  if (!DependsOnParent() || (host_ && host_->Destroying()))
    result = PaintDeferred;
  else if (PaintDeferred)
    result = true;
  else if (hostControl_)
    result = !hostControl_->Parent() || AskControl(hostControl_->Parent(), SMC_ISINVALID) != 0;
  else
    result = PaintDeferred;
  if (result) PaintDeferred = true;
  return result;
}

void TsCommonData::LockUpdates() {
  PaintDeferred = true;
  BgFlags |= bgfUpdatesLocked;
}

void TsCommonData::UnlockUpdates(bool repaint) {
  PaintDeferred = false;
  BgFlags &= static_cast<uint16_t>(~bgfUpdatesLocked);
  if (hostControl_)
    SendSkinCommand(hostControl_, SMC_ENDUPDATE);
  else if (HWND wnd = HostWindow())
    SendSkinCommand(wnd, SMC_ENDUPDATE);
  if (repaint) RequestRepaint();
}

bool TsCommonData::ControlIsActive() const {
  if (!hostControl_ || hostControl_->Destroying() || !hostControl_->Enabled() || Designing(hostControl_)) return false;
  if (HasFocus) return true;
  if (auto* w = dynamic_cast<TWinControl*>(hostControl_); w && w->Focused()) return true;
  return MouseOver && (ControlKind > 255 || !IsContainerKind(ControlKind));
}

bool TsCommonData::BackgroundIsComplex() const {
  TsSkinManager* m = SkinManager();
  if (!m || !m->IsValidSkinIndex(sectionIndex_)) return false;
  const TsGeneralData& s = m->Sections[static_cast<size_t>(sectionIndex_)];
  if (m->IsValidImgIndex(borderMaskIndex_)) {
    const TsMaskData& mask = m->Masks[static_cast<size_t>(borderMaskIndex_)];
    if (mask.WL + mask.WR > 30 || mask.WT + mask.WB > 30) return true;
  }
  if (s.Transparency != 0 && s.Transparency != 100) return true;
  if (s.Transparency == 100) {
    TWinControl* parent = hostControl_ ? hostControl_->Parent() : nullptr;
    if (!parent) return true;
    if ((SendSkinCommand(parent, SMC_CHILDSTATE) & bgfSolidFill) == 0) return true;
  }
  return s.ImagePercent != 0 || s.GradientPercent != 0;
}

void TsCommonData::UpdateSolidFill(bool withChildren) {
  BgFlags &= static_cast<uint16_t>(~bgfSolidFill);
  // None of our controls is a scrolling container: only a provider can have a plain fill.
  if (withChildren) {
    if (auto* w = dynamic_cast<TWinControl*>(hostControl_))
      for (int i = 0; i < w->ControlCount(); ++i) SendSkinCommand(w->Controls(i), SMC_CHILDSTATE, 1);
  }
  if (hostProvider_) {
    TForm* form = hostProvider_->HostForm();
    if (!BackgroundIsComplex() && form && form->BorderStyle() != bsSizeable) BgFlags |= bgfSolidFill;
  }
}

bool TsCommonData::NeedsRepaintOnMove() const {
  if (!IsSkinned() || !hostControl_ || hostControl_->Loading() || !hostControl_->Visible()) return true;
  TsSkinManager* m = SkinManager();
  if (!m->IsValidSkinIndex(sectionIndex_)) return false;
  const TsGeneralData& s = m->Sections[static_cast<size_t>(sectionIndex_)];
  if (!hostControl_->Enabled() || s.Transparency > 0) {
    TWinControl* parent = hostControl_->Parent();
    if (parent && parent->HandleAllocated()) return AskControl(parent, SMC_HASBACKGROUND) != 0;
    return true;
  }
  return false;
}

// ---- colours

uint32_t TsCommonData::GetControlColor(int state) {
  const TColor own = hostControl_ ? hostControl_->Color()
                     : (hostProvider_ && hostProvider_->HostForm()) ? hostProvider_->HostForm()->Color()
                                                                     : clBtnFace;
  if (!IsSkinned()) return ResolveColor(own);
  TsSkinManager* m = SkinManager();
  const TsGeneralData& s = m->Sections[static_cast<size_t>(sectionIndex_)];
  const int t = state ? s.HotTransparency : s.Transparency;
  const uint32_t c = ResolveColor(state ? s.HotColor : s.Color);
  if (t <= 0) return customColor_ ? ResolveColor(own) : c;
  TWinControl* parent = HostParent();
  const uint32_t parentColor = parent ? ResolveColor(GetControlBgColor(parent)) : NoBgColor;
  if (t >= 100) return parentColor;
  if (!hostControl_) return 0;
  return MixBgColor(c, parentColor, t);
}

uint32_t TsCommonData::CustomColor() const {
  if (!customColor_) return TransparentKey;
  if (hostControl_) return ResolveColor(hostControl_->Color());
  if (hostProvider_ && hostProvider_->HostForm()) return ResolveColor(hostProvider_->HostForm()->Color());
  return TransparentKey;
}

TsSkinModel* TsCommonData::SkinModel() const { return SkinManager(); }

TacPoint TsCommonData::HostPosition() const {
  if (hostControl_) return TacPoint{hostControl_->Left(), hostControl_->Top()};
  if (hostProvider_ && hostProvider_->HostForm())
    return TacPoint{hostProvider_->HostForm()->Left(), hostProvider_->HostForm()->Top()};
  return TacPoint{0, 0};
}

bool TsCommonData::RequestParentBackground(TacBgRequest& request) {
  if (!HostParent()) return false;
  SendBgRequest(hostControl_ ? hostControl_ : static_cast<TControl*>(hostProvider_->HostForm()), request, false);
  return true;
}

// ---- the background answer

void TsCommonData::AnswerBgRequest(TacBgRequest& request, int state) {
  HDC target = static_cast<HDC>(request.TargetDC);
  const RECT area{request.Area.Left, request.Area.Top, request.Area.Right, request.Area.Bottom};
  auto answerColor = [&](uint32_t color) {
    request.Kind = bgkColor;
    request.Color = color;
    if (request.PaintNow && target) {
      TCanvas canvas(target);
      canvas.FillRect(area, ResolveColor(color));
    }
  };
  if (!IsSkinned() || customColor_) {
    const TColor own = hostControl_ ? hostControl_->Color()
                       : (hostProvider_ && hostProvider_->HostForm()) ? hostProvider_->HostForm()->Color()
                                                                       : clBtnFace;
    answerColor(ResolveColor(own));
    return;
  }
  TsSkinManager* m = SkinManager();
  const TsGeneralData& s = m->Sections[static_cast<size_t>(sectionIndex_)];
  const int t = state ? s.HotTransparency : s.Transparency;
  const int g = state ? s.HotGradientPercent : s.GradientPercent;
  const int i = state ? s.HotImagePercent : s.ImagePercent;
  if (t == 0 && g <= 0 && i <= 0) {
    answerColor(GetControlColor(state));
    return;
  }
  bool ownCache = t != 100;
  if (t == 100 && m->IsValidImgIndex(borderMaskIndex_)) {
    const TsMaskData& mask = m->Masks[static_cast<size_t>(borderMaskIndex_)];
    ownCache = mask.WL + mask.WR > 24 || mask.WT + mask.WB > 24;
  }
  if (!ownCache) {
    TWinControl* parent = HostParent();
    if (!parent) {
      request.Kind = bgkColor;
      request.Color = GlobalColor();
      return;
    }
    const TacPoint at = HostPosition();
    request.Offset.X += at.X;
    request.Offset.Y += at.Y;
    SendBgRequest(hostControl_ ? hostControl_ : static_cast<TControl*>(hostProvider_->HostForm()), request,
                  request.PaintNow);
    if (request.Kind == bgkImage) {
      request.Offset.X += at.X;
      request.Offset.Y += at.Y;
    }
    return;
  }
  // An empty cache has nothing to show: it counts as none.
  if (!cache_ || cache_->Width() <= 0 || cache_->Height() <= 0) {
    request.Kind = bgkColor;
    request.Color = TransparentKey;
    if (t == 100) {
      TWinControl* parent = HostParent();
      request.Color = parent ? ResolveColor(GetControlBgColor(parent)) : GlobalColor();
    }
    return;
  }
  request.Kind = bgkImage;
  if (request.PaintNow) {
    if (target)
      CopyBitmapToDC(target, area.left, area.top, *cache_,
                     TacRect{request.Offset.X, request.Offset.Y, request.Offset.X + request.Area.Width(),
                             request.Offset.Y + request.Area.Height()});
    request.Image = cache_.get();
  } else {
    request.Image = cache_.get();
    request.Offset = TacPoint{0, 0};
  }
}

// ---- glow

void TsCommonData::HideShownGlow() {
  if (GlowId >= 0) HideGlow(GlowId);
  GlowId = -1;
}

void TsCommonData::UpdateGlow(bool hideIfShown) {
  TsSkinManager* m = SkinManager();
  if (!m || !m->AllowGlowing() || !m->IsValidSkinIndex(sectionIndex_)) return;
  const TsGeneralData& s = m->Sections[static_cast<size_t>(sectionIndex_)];
  if (s.GlowCount < 1) return;
  if (!hostControl_) {
    // A frame provider's window.
    HWND wnd = HostWindow();
    if (!wnd || hideIfShown) {
      HideShownGlow();
      return;
    }
    if (GlowId >= 0 && GlowEffects().Item(GlowId)) return;
    RECT wr;
    GetWindowRect(wnd, &wr);
    GlowId = ShowGlow(TacRect{wr.left, wr.top, wr.right, wr.bottom},
                      TacRect{0, 0, wr.right - wr.left, wr.bottom - wr.top}, skinSection_, "GLOW", s.GlowMargin, 255,
                      wnd, m);
    return;
  }
  const bool leftHeld = MouseOver && GetKeyState(VK_LBUTTON) < 0;
  if (!MouseOver || leftHeld || (hideIfShown && GlowId >= 0)) {
    HideShownGlow();
    return;
  }
  if (GlowId >= 0 && GlowEffects().Item(GlowId)) return;  // already shown
  TWinControl* parent = hostControl_->Parent();
  TForm* form = ParentFormOf(hostControl_);
  if (!parent || !form || !parent->HandleAllocated()) return;
  HWND owner = form->Parent() && form->Parent()->HandleAllocated() ? form->Parent()->Handle() : form->Handle();
  RECT item, visible;
  if (auto* w = dynamic_cast<TWinControl*>(hostControl_); w && w->HandleAllocated()) {
    GetWindowRect(w->Handle(), &item);
    TacWindowDC dc(w->Handle());
    if (!dc || GetClipBox(dc.Get(), &visible) == ERROR) visible = RECT{0, 0, item.right - item.left, item.bottom - item.top};
  } else {
    POINT o{hostControl_->Left(), hostControl_->Top()};
    ClientToScreen(parent->Handle(), &o);
    item = RECT{o.x, o.y, o.x + hostControl_->Width(), o.y + hostControl_->Height()};
    RECT clip{0, 0, 0, 0};
    {
      TacWindowDC dc(parent->Handle());
      if (!dc || GetClipBox(dc.Get(), &clip) == ERROR) clip = parent->ClientRect();
    }
    OffsetRect(&clip, -hostControl_->Left(), -hostControl_->Top());
    const RECT own{0, 0, hostControl_->Width(), hostControl_->Height()};
    if (!IntersectRect(&visible, &clip, &own)) return;
  }
  GlowId = ShowGlow(TacRect{item.left, item.top, item.right, item.bottom},
                    TacRect{visible.left, visible.top, visible.right, visible.bottom}, skinSection_, "GLOW",
                    s.GlowMargin, 255, owner, m);
}

// ---- skin commands

bool TsCommonData::HandleSkinCommand(TMessage& message) {
  if (message.Msg != SM_ALPHACMD) return false;
  const int code = CommandCode(message.WParam);
  const int v = CommandArg(message.WParam);
  const LPARAM p = message.LParam;
  TsSkinManager* m = SkinManager();
  const bool ours = m && p == m->CommandParam();
  switch (code) {
    case SMC_NEWSKIN:
      if (ours) {
        ResolveSection();
        UpdateSolidFill(false);
      }
      return false;
    case SMC_REMOVESKIN:
      if (ours) {
        if (skinManager_ && skinManager_->Destroying()) skinManager_ = nullptr;
        borderMaskIndex_ = sectionIndex_ = textureIndex_ = hotTextureIndex_ = -1;
        PaintDeferred = true;
        if (cache_) EmptyCache();
        if (auto* w = dynamic_cast<TWinControl*>(hostControl_))
          for (int i = 0; i < w->ControlCount(); ++i) {
            TControl* c = w->Controls(i);
            if (typeid(*c) == typeid(TLabel)) c->Font().SetColor(clWindowText);
          }
      }
      return false;
    case SMC_REFRESH:
      if (ours) {
        CacheDirty = true;
        PaintDeferred = false;
        UpdateSolidFill(false);
      }
      return false;
    case SMC_ISSKINNED:
      message.Result = 1;
      return true;
    case SMC_SETUPDATING:
      PaintDeferred = v == 1;
      return false;
    case SMC_ISINVALID:
      message.Result = (CacheDirty || PaintDeferred) ? 1 : 0;
      return true;
    case SMC_ISPARTLYHIDDEN:
      message.Result = PartlyHidden ? 1 : 0;
      return true;
    case SMC_INVALIDATECACHE:
      CacheDirty = true;
      return false;
    case SMC_HASBACKGROUND: {
      bool answer;
      TWinControl* parent = hostControl_ ? hostControl_->Parent() : nullptr;
      const TsGeneralData* s = IsSkinned() ? &m->Sections[static_cast<size_t>(sectionIndex_)] : nullptr;
      if (s && s->Transparency == 100 && parent)
        answer = parent->HandleAllocated() && SendSkinCommand(parent->Handle(), SMC_HASBACKGROUND) != 0;
      else if (s && s->GradientPercent + s->ImagePercent > 0)
        answer = true;
      else
        answer = NeedsRepaintOnMove();
      message.LParam = answer ? 1 : 0;
      message.Result = answer ? 1 : 0;
      return true;
    }
    case SMC_INVALIDATE: {
      const bool moves = NeedsRepaintOnMove();
      CacheDirty = CacheDirty || moves;
      if (auto* w = dynamic_cast<TWinControl*>(hostControl_)) {
        if (v == 1 && w->HandleAllocated())
          RedrawWindow(w->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
        if (moves)
          for (int i = 0; i < w->ControlCount(); ++i) {
            TControl* c = w->Controls(i);
            if (!c->Destroying()) SendSkinCommand(c, SMC_INVALIDATE, 0, 0);
          }
      }
      return false;
    }
    case SMC_GETBGCOLOR: {
      if (!hostControl_) return false;
      const TsGeneralData* s = IsSkinned() ? &m->Sections[static_cast<size_t>(sectionIndex_)] : nullptr;
      message.Result = static_cast<LRESULT>(
          AnswerBgColor(hostControl_, s != nullptr, s ? s->Transparency : 0, s ? ResolveColor(s->Color) : 0));
      return true;
    }
    case SMC_SETPARTLYHIDDEN:
      PartlyHidden = true;
      return false;
    case SMC_GETSKININDEX:
      message.Result = sectionIndex_ + 1;
      return true;
    case SMC_GETBGINFO:
      if (p) AnswerBgRequest(*reinterpret_cast<TacBgRequest*>(p), 0);
      return false;
    case SMC_CHILDSTATE:
      if (p == 1)
        UpdateSolidFill(true);
      else
        message.Result = BgFlags;
      return true;
    default:
      return false;
  }
}

// ---- ordinary window messages

bool TsCommonData::CommonWndProc(TMessage& message) {
  if (message.Msg == SM_ALPHACMD) return HandleSkinCommand(message);
  TControl* host = hostControl_;
  if (!host) return false;
  auto* windowed = dynamic_cast<TWinControl*>(host);
  switch (message.Msg) {
    case WM_MOVE:
      if (NeedsRepaintOnMove()) {
        CacheDirty = true;
        Dispatch(host, SMC_INVALIDATE, 0, 1);
        HideShownGlow();
      }
      return false;
    case WM_SIZE:
      if (IsSkinned()) {
        CacheDirty = true;
        TsSkinManager* m = SkinManager();
        if (windowed && m->Sections[static_cast<size_t>(sectionIndex_)].GradientPercent > 0)
          for (int i = 0; i < windowed->ControlCount(); ++i) {
            TControl* c = windowed->Controls(i);
            if (!c->Destroying() && !AnchoredRightOrBottom(c)) SendSkinCommand(c, SMC_INVALIDATE, 0, 1);
          }
        HideShownGlow();
      }
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (windowed && windowed->CanFocus() && windowed->TabStop()) {
        CacheDirty = true;
        HasFocus = message.Msg == WM_SETFOCUS;
        if (IsEditLikeKind(ControlKind) && windowed->HandleAllocated() && (HasFocus || windowed->Visible()))
          RedrawWindow(windowed->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
      }
      return false;
    case WM_FONTCHANGE:
    case CM_ENABLEDCHANGED:
      if (message.Msg == WM_FONTCHANGE) ForgetTextMeasures();  // the installed fonts changed
      CacheDirty = true;
      MouseOver = false;
      HasFocus = false;
      if (!host->Enabled()) HideShownGlow();
      return false;
    case WM_UPDATEUISTATE:
      // Our windows are not themed: nothing to reset when unskinned.
      if (IsSkinned()) {
        message.Result = 0;
        return true;
      }
      return false;
    case WM_PARENTNOTIFY:
      if (windowed && LOWORD(message.WParam) == WM_CREATE) AnnounceToForm(host);
      return false;
    case CM_VISIBLECHANGED:
      if (cache_) {
        if (message.WParam != 0) {
          PaintDeferred = false;
          CacheDirty = true;
        } else {
          EmptyCache();
        }
      }
      return false;
    case CM_MOUSEENTER:
      if (Designing(host)) return false;
      if (windowed && windowed->HandleAllocated())
        if (TsSkinManager* dm = DefaultManager()) dm->SetActiveControl(windowed->Handle());
      if (!IsContainerKind(ControlKind)) MouseOver = true;
      if (!IsWithoutGlowKind(ControlKind) && !IsButtonKind(ControlKind)) UpdateGlow(false);
      if (IsEditLikeKind(ControlKind)) {
        CacheDirty = true;
        if (windowed && windowed->HandleAllocated())
          RedrawWindow(windowed->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      }
      return false;
    case CM_MOUSELEAVE:
      if (Designing(host)) return false;
      if (!IsContainerKind(ControlKind)) MouseOver = false;
      if (!IsWithoutGlowKind(ControlKind) && !IsButtonKind(ControlKind)) ClearGlows();
      if (IsEditLikeKind(ControlKind) && host->Visible()) {
        CacheDirty = true;
        if (windowed && windowed->HandleAllocated())
          RedrawWindow(windowed->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      }
      return false;
    default:
      return false;
  }
}

TacTextBinding TsCommonData::TextBinding() {
  TacTextBinding b;
  b.Manager = SkinManager();
  b.SectionIndex = sectionIndex_;
  b.SkinSection = skinSection_;
  b.HostControl = hostControl_;
  b.ParentFont = false;
  b.ControlKind = ControlKind;
  b.CacheBitmap = cache_.get();
  b.CustomFont = customFont_;
  return b;
}

// ---- shared routines

LRESULT AskControl(TControl* control, int code, LPARAM lParam, int arg) {
  if (!control || control->Destroying()) return 0;
  const WPARAM wParam = static_cast<WPARAM>(PackCommand(code, arg));
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) return control->Perform(SM_ALPHACMD, wParam, lParam);
  if (!windowed->HandleAllocated()) return 0;
  return windowed->SendToOwnWindow(SM_ALPHACMD, wParam, lParam);
}

bool ControlIsReady(TControl* control) {
  if (!control) return false;
  if (control->Loading() || control->Destroying()) return false;
  if (auto* w = dynamic_cast<TWinControl*>(control); w && !w->HandleAllocated()) return false;
  return control->Parent() != nullptr;
}

void AnnounceToForm(TControl* control) {
  if (!control || Designing(control) || control->Loading()) return;
  if (TForm* form = ParentFormOf(control))
    SendSkinCommand(static_cast<TControl*>(form), SMC_ADAPTCHILD, reinterpret_cast<LPARAM>(control));
}

void BroadcastToChildren(TWinControl* container, TMessage& message) { BroadcastToControls(container, message); }

void RefreshChildren(TWinControl* container) {
  if (AnimationCaptureActive || !container) return;
  for (int i = 0; i < container->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(container->Controls(i));
    if (!w || w->Destroying() || !w->HandleAllocated() || !IsWindowVisible(w->Handle())) continue;
    SendSkinCommand(w->Handle(), SMC_PARENTUPDATED);
  }
}

namespace {

// The parent paints its own background into the requester's DC (for a parent that
// did not answer the request).
void LetParentPaint(TacBgRequest& request, HWND wnd, TControl* parent) {
  HDC dc = static_cast<HDC>(request.TargetDC);
  if (!dc) return;
  TacSavedDcState saved(dc);
  POINT org;
  GetViewportOrgEx(dc, &org);
  SetViewportOrgEx(dc, org.x - request.Offset.X, org.y - request.Offset.Y, nullptr);
  IntersectClipRect(dc, request.Area.Left + request.Offset.X, request.Area.Top + request.Offset.Y,
                    request.Area.Right + request.Offset.X, request.Area.Bottom + request.Offset.Y);
  // Our windows paint into a given DC on WM_PRINTCLIENT (WM_PAINT always paints the window).
  if (parent) {
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    parent->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  } else {
    SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }
}

void FillAnswer(TacBgRequest& request, uint32_t color) {
  request.Kind = bgkColor;
  request.Color = color;
  if (request.PaintNow && request.TargetDC) {
    TCanvas canvas(static_cast<HDC>(request.TargetDC));
    canvas.FillRect(RECT{request.Area.Left, request.Area.Top, request.Area.Right, request.Area.Bottom},
                    ResolveColor(color));
  }
}

}  // namespace

void SendBgRequest(TControl* requester, TacBgRequest& request, bool paintNow) {
  const bool wantedPaint = request.PaintNow;
  request.Kind = bgkUnanswered;
  request.PaintNow = paintNow;
  TWinControl* parent = requester ? requester->Parent() : nullptr;
  if (!parent) {
    FillAnswer(request, GlobalColor());
    return;
  }
  const WPARAM wParam = static_cast<WPARAM>(PackCommand(SMC_GETBGINFO));
  const LPARAM lParam = reinterpret_cast<LPARAM>(&request);
  if (parent->HandleAllocated())
    parent->SendToOwnWindow(SM_ALPHACMD, wParam, lParam);
  else
    parent->Perform(SM_ALPHACMD, wParam, lParam);
  if (request.Kind != bgkUnanswered) return;
  const uint32_t answer = static_cast<uint32_t>(AskControl(parent, SMC_GETBGCOLOR, NoBgColor));
  const uint32_t color = answer != 0 ? ResolveColor(answer) : ResolveColor(parent->Color());
  if (wantedPaint && request.TargetDC) {
    LetParentPaint(request, parent->HandleAllocated() ? parent->Handle() : nullptr, parent);
    request.Kind = bgkColor;
    request.Color = color;
    return;
  }
  FillAnswer(request, color);
}

void SendBgRequestToWindow(HWND parent, TacBgRequest& request, bool paintNow) {
  const bool wantedPaint = request.PaintNow;
  request.Kind = bgkUnanswered;
  request.PaintNow = paintNow;
  if (!parent || !IsWindow(parent)) {
    FillAnswer(request, GlobalColor());
    return;
  }
  SendMessageW(parent, SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETBGINFO)), reinterpret_cast<LPARAM>(&request));
  if (request.Kind != bgkUnanswered) return;
  const uint32_t answer = static_cast<uint32_t>(SendSkinCommand(parent, SMC_GETBGCOLOR, NoBgColor));
  const uint32_t color = answer != 0 ? ResolveColor(answer) : GlobalColor();
  if (wantedPaint && request.TargetDC) {
    LetParentPaint(request, parent, nullptr);
    request.Kind = bgkColor;
    request.Color = color;
    return;
  }
  FillAnswer(request, color);
}

void CopyCacheToDC(TWinControl* container, TsCommonData& binding, int srcX, int srcY, const RECT& dest, HDC dc,
                   int dx, int dy, bool fixCorners) {
  if (!binding.CacheBitmap() || !dc) return;
  if (fixCorners) RefreshCorners(binding, binding.ControlIsActive() ? 1 : 0, cfAll);
  TacBitmap* cache = binding.CacheBitmap();
  const TacRect from{srcX, srcY, srcX + (dest.right - dest.left), srcY + (dest.bottom - dest.top)};
  // The copy covers dest and nothing else: the DC's clip needs changing only for
  // children the cache must not paint over.
  std::optional<TacSavedDcState> saved;
  if (container)
    for (int i = 0; i < container->ControlCount(); ++i) {
      TControl* c = container->Controls(i);
      if (!c->Visible()) continue;
      if (c->IsWindowed() && !c->Opaque() && !Designing(c)) continue;
      RECT r = c->BoundsRect();
      OffsetRect(&r, dx, dy);
      RECT cut;
      if (!IntersectRect(&cut, &r, &dest)) continue;
      if (!saved) {
        saved.emplace(dc);
        IntersectClipRect(dc, dest.left, dest.top, dest.right, dest.bottom);
      }
      ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
  CopyBitmapToDC(dc, dest.left, dest.top, *cache, from);
}

TacBitmap* TacChildrenPicture::Prepare(int width, int height) {
  if (image_ && image_->Width() == width && image_->Height() == height && image_->Handle() && dc_) return image_.get();
  selected_.reset();
  image_.reset();
  if (!dc_) {
    dc_ = std::make_unique<TacMemoryDC>(nullptr);
    if (!*dc_) {
      dc_.reset();
      return nullptr;
    }
  }
  image_ = NewDibBitmap(width, height, TacPixelFormat::pf24bit);
  if (!image_ || !image_->Handle()) {
    image_.reset();
    return nullptr;
  }
  selected_.emplace(dc_->Get(), static_cast<HBITMAP>(image_->Handle()));
  return image_.get();
}

namespace {

// Zero bytes over r (clipped): what a fresh picture holds there.
void ClearRect(TacBitmap* image, const RECT& r) {
  const int left = std::max<int>(r.left, 0), right = std::min<int>(r.right, image->Width());
  const int top = std::max<int>(r.top, 0), bottom = std::min<int>(r.bottom, image->Height());
  if (left >= right) return;
  for (int y = top; y < bottom; ++y) std::fill_n(image->Pixel(left, y), (right - left) * 3, uint8_t{0});
}

}  // namespace

void PaintGraphicChildren(HDC dc, TWinControl* container, POINT origin, TacChildrenPicture* kept) {
  if (!dc || !container || container->ControlCount() == 0) return;
  // A capture for an animation paints a window that is hidden on purpose.
  const bool capturing = AnimationCaptureActive && dc == AnimationCaptureDC;
  if (!container->Visible() && !Designing(container) && !capturing) return;
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) {
    SendSkinCommand(static_cast<TControl*>(container), SMC_SETPARTLYHIDDEN);
    return;
  }
  TacBgRequest own;
  container->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETBGINFO)), reinterpret_cast<LPARAM>(&own));

  std::vector<TControl*> children;
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (c->IsWindowed() || c->Destroying()) continue;
    if (!c->Visible() && !Designing(c)) continue;
    if (c->Width() <= 0 || c->Height() <= 0) continue;
    RECT r = c->BoundsRect();
    OffsetRect(&r, origin.x, origin.y);
    if (!RectVisible(dc, &r)) continue;
    children.push_back(c);
  }
  if (children.empty()) return;

  const int w = container->Width(), h = container->Height();
  TacChildrenPicture own_picture;
  TacChildrenPicture& picture = kept && !kept->Busy ? *kept : own_picture;
  TacBitmap* image = picture.Prepare(w, h);
  if (!image) return;
  const HDC memDC = picture.DC();
  picture.Busy = true;
  struct Release {
    TacChildrenPicture& p;
    ~Release() { p.Busy = false; }
  } release{picture};
  const bool reused = &picture == kept;
  TCanvas canvas(memDC);
  // Asked for only when a child needs it: the question is a sent message.
  std::optional<uint32_t> containerColor;
  if (own.Kind == bgkColor) containerColor = ResolveColor(own.Color);
  for (TControl* c : children) {
    const RECT r = c->BoundsRect();
    if (c->Opaque()) {
      canvas.FillRect(r, ResolveColor(GetControlBgColor(c)));
    } else if (own.Kind == bgkImage && own.Image) {
      const TacRect from{r.left + own.Offset.X, r.top + own.Offset.Y, r.right + own.Offset.X, r.bottom + own.Offset.Y};
      if (own.Image->Format() == TacPixelFormat::pf24bit) {
        // A plain copy of the bytes, as the platform's 24-to-24-bit copy gives them.
        GdiFlush();
        if (reused) ClearRect(image, r);
        CopyBitmapRect(image, r.left, r.top, own.Image, from);
      } else {
        if (reused) {
          GdiFlush();
          ClearRect(image, r);
        }
        CopyBitmapToDC(memDC, r.left, r.top, *own.Image, from);
      }
    } else {
      if (!containerColor) containerColor = ResolveColor(GetControlBgColor(container));
      canvas.FillRect(r, *containerColor);
    }
  }
  for (TControl* c : children) {
    RECT onTarget = c->BoundsRect();
    OffsetRect(&onTarget, origin.x, origin.y);
    RECT inside;
    if (!IntersectRect(&inside, &onTarget, &clip) || !EqualRect(&inside, &onTarget))
      SendSkinCommand(c, SMC_SETPARTLYHIDDEN);
    TacSavedDcState saved(memDC);
    SetViewportOrgEx(memDC, c->Left(), c->Top(), nullptr);
    IntersectClipRect(memDC, 0, 0, c->Width(), c->Height());
    TCanvas childCanvas(memDC, image);
    childCanvas.Font().Assign(c->Font());
    c->Paint(childCanvas);
  }
  GdiFlush();
  for (TControl* c : children) {
    // A child that left its top-left pixel key-coloured shows nothing there of its own.
    const uint8_t* px = image->Pixel(c->Left(), c->Top());
    if (c->Left() >= 0 && c->Top() >= 0 && c->Left() < w && c->Top() < h && px[0] == 0xFF && px[1] == 0x00 &&
        px[2] == 0xFF)
      continue;
    BitBlt(dc, origin.x + c->Left(), origin.y + c->Top(), c->Width(), c->Height(), memDC, c->Left(), c->Top(),
           SRCCOPY);
  }
}

void RefreshCorners(TsCommonData& b, int state, int corners) {
  TsSkinManager* m = b.SkinManager();
  TControl* host = b.HostControl();
  TacBitmap* cache = b.CacheBitmap();
  if (!m || !m->IsValidImgIndex(b.BorderMaskIndex()) || !cache || !host || host->Width() <= 1 || host->Height() <= 1)
    return;
  const int W = cache->Width(), H = cache->Height();
  if (W <= 1 || H <= 1) return;
  TacParentImage pi;
  {
    TacBgRequest request;
    const TacPoint at = b.HostPosition();
    request.Offset = at;
    if (!host->Parent()) return;
    SendBgRequest(host, request, false);
    if (request.Kind == bgkImage) {
      request.Offset.X += at.X;
      request.Offset.Y += at.Y;
    }
    pi = ReduceBgRequest(request);
  }
  // A copy of the geometry (the image stays the skin's).
  const TsMaskData& original = m->Masks[static_cast<size_t>(b.BorderMaskIndex())];
  TsMaskData mask;
  mask.ClassName = original.ClassName;
  mask.PropertyName = original.PropertyName;
  mask.R = original.R;
  mask.ImageCount = original.ImageCount;
  mask.MaskType = original.MaskType;
  mask.BorderWidth = original.BorderWidth;
  mask.DrawMode = original.DrawMode;
  mask.ImgType = original.ImgType;
  mask.Manager = original.Manager;
  mask.WL = original.WL;
  mask.WT = original.WT;
  mask.WR = original.WR;
  mask.WB = original.WB;
  if (mask.ImageCount == 0 && original.Bmp) {
    mask.ImageCount = 3;
    mask.MaskType = 1;
    mask.R = TacRect{0, 0, original.Bmp->Width(), original.Bmp->Height()};
  }
  const TacBitmap* src = MaskSource(original);
  if (!src || mask.ImageCount <= 0) return;
  TacBorderLayout layout;
  if (!ComputeBorderLayout(mask, TacRect{0, 0, W, H}, state, layout)) return;
  const struct {
    int flag;
    TacBorderPiece piece;
  } pieces[] = {{cfTopLeft, TacBorderPiece::TopLeft},
                {cfBottomLeft, TacBorderPiece::BottomLeft},
                {cfTopRight, TacBorderPiece::TopRight},
                {cfBottomRight, TacBorderPiece::BottomRight}};
  const bool useImage = pi.HasImage && pi.Image;
  if (!useImage && pi.FillColor == TransparentKey) return;
  const uint8_t fill[3] = {static_cast<uint8_t>((pi.FillColor >> 16) & 0xFF),
                           static_cast<uint8_t>((pi.FillColor >> 8) & 0xFF), static_cast<uint8_t>(pi.FillColor & 0xFF)};
  for (const auto& p : pieces) {
    if (!(corners & p.flag)) continue;
    const TacPiecePlace place = BorderPiecePlace(layout, p.piece);
    const int pw = std::min(place.Target.Width(), place.Source.Width());
    const int ph = std::min(place.Target.Height(), place.Source.Height());
    for (int y = 0; y < ph; ++y) {
      const int sy = place.Source.Top + y, ty = place.Target.Top + y;
      if (sy < 0 || sy >= src->Height() || ty < 0 || ty >= H) continue;
      for (int x = 0; x < pw; ++x) {
        const int sx = place.Source.Left + x, tx = place.Target.Left + x;
        if (sx < 0 || sx >= src->Width() || tx < 0 || tx >= W) continue;
        const uint8_t* s = src->Pixel(sx, sy);
        if (!(s[0] == 0xFF && s[1] == 0x00 && s[2] == 0xFF)) continue;
        uint8_t* d = cache->Pixel(tx, ty);
        if (useImage) {
          const int ix = tx + pi.X, iy = ty + pi.Y;
          if (ix < 0 || iy < 0 || ix >= pi.Image->Width() || iy >= pi.Image->Height()) continue;
          const uint8_t* q = pi.Image->Pixel(ix, iy);
          d[0] = q[0];
          d[1] = q[1];
          d[2] = q[2];
        } else {
          d[0] = fill[0];
          d[1] = fill[1];
          d[2] = fill[2];
        }
      }
    }
  }
}
