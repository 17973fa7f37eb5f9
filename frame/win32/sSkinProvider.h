// The skin provider: a component on a form that takes the form's frame away from
// the platform while a skin is active. It paints border, title, icon, caption and
// title buttons from the skin into one frame image and copies finished rectangles
// of it to the window, cuts the window region to the skin's corners, answers the
// non-client hit test and relays the skin command message between the manager and
// the form's children. It takes the form's messages over through the form's
// WindowProc chain and hands everything it does not handle to the previous handler.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/sCommonData.h"
#include "frame/acBorderGeometry.h"
#include "frame/acFrameModel.h"
#include "frame/acFrameRegion.h"
#include "frame/acTitleButtons.h"
#include "framework/vclComponent.h"
#include "framework/vclControl.h"
#include "framework/vclFont.h"
#include "framework/vclForm.h"
#include "framework/vclStdCtrls.h"
#include "paint/acBitmap.h"
#include "paint/acRect.h"

class TacBorderForm;
class TacCtrlAdapter;
class TsSkinManager;
class TsSystemMenu;

// A silent abort: creation of a provider refused.
class EAbort : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TsGripMode { gmNone, gmRightBottom };
enum TsResizeMode { rmStandard, rmBorder };


// Extra text drawn after the caption.
struct TacAddedTitle {
  std::string Text;
  TFont Font;
};

struct TsTitleIcon {
  TacBitmapPtr Glyph;  // empty: the form's icon
  int Width = 0;       // 0: from the caption height
  int Height = 0;
};

// One title button's record.
class TacSBAnimation;

struct TsButtonRecord {
  int State = 0;  // 0 normal, 1 hot, 2 pressed
  int MaskIndex = -1;
  TacRect R{0, 0, 0, 0};  // window coordinates
  bool Big = false;       // image from a BI… key
  int GlowId = -1;
  TacSBAnimation* Animation = nullptr;  // made at the first animated state change; owned by the provider
  int Code = 0;               // 8 minimize, 9 maximize, 20 close, 1000 + i user button
};

class TsTitleButton {
 public:
  bool Enabled = true;
  TacBitmapPtr Glyph;
  std::string Hint;
  std::string Name;
  bool UseSkinData = true;
  bool Visible = true;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TsButtonRecord Record;
};

class TsSkinProvider : public TComponent, public TacProviderHost {
 public:
  // The owner must be a form (EAbort otherwise). A provider already serving the
  // form makes this one passive, unless that one was made automatically: then it
  // is replaced.
  explicit TsSkinProvider(TComponent* owner, bool autoCreated = false);
  ~TsSkinProvider() override;

  // ---- published properties
  TacAddedTitle AddedTitle;
  bool AllowExtBorders = true;
  TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(TAlignment value);
  bool DrawNonClientArea() const { return drawNonClientArea_; }
  void SetDrawNonClientArea(bool value);
  TsCommonData& SkinData() { return *skinData_; }
  TsGripMode GripMode = gmNone;
  bool MakeSkinMenu = false;
  std::string MenuLineSkin;
  TsResizeMode ResizeMode = rmStandard;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  bool ShowAppIcon() const { return showAppIcon_; }
  void SetShowAppIcon(bool value);
  std::vector<TsTitleButton>& TitleButtons() { return titleButtons_; }
  TsTitleIcon TitleIcon;
  const std::string& TitleSkin() const { return titleSkin_; }
  void SetTitleSkin(const std::string& value);
  bool UseGlobalColor() const { return useGlobalColor_; }
  void SetUseGlobalColor(bool value);

  // ---- state
  TForm* Form() const { return form_; }
  // The manager whose skin the form wears (the default one unless the binding names another).
  TsSkinManager* Manager() const;
  bool AutoCreated() const { return autoCreated_; }
  // Standard children taken in under the manager's ThirdParty rule; null unskinned.
  TacCtrlAdapter* CtrlAdapter() const { return ctrlAdapter_.get(); }
  // Asked for every child before the adapter takes it in: may veto or change the section.
  std::function<void(TControl* control, bool& allow, std::string& section)> OnSkinItem;
  // An automatic provider waits for its form's first frame paint, hit test,
  // activation or visibility change before it takes the frame over.
  bool StartDeferred() const { return deferredStart_; }
  bool PassiveDuplicate() const { return passive_; }
  bool ActiveState() const { return activeState_; }
  bool SysMenuStyleRemoved() const { return sysMenuStyleRemoved_; }
  int RedrawLockCount() const { return redrawLock_; }
  const TsButtonRecord& Button(int i) const { return buttons_[i]; }
  int HotButton() const { return hotCode_; }
  bool Skinned() const;
  bool SystemMenuCreated() const { return sysMenuCreated_; }

  // ---- life cycle
  void Loaded() override;
  void InitProvider();
  void StartSkinning();
  void InitButtons();

  // ---- frame
  // The window model of the form as it is now.
  TacFrameModel Model() const;
  TacSysMenuState SysMenu() const;
  int HitTest(POINT screen);
  void UpdateRegion(bool redraw);
  // Rebuilds the frame cache when dirty.
  void PaintFrameCache();
  // Copies the frame parts of the cache to a window DC.
  void CopyFrameToWindow(HDC dc);
  void RepaintFrameNow();
  TacBitmap* FrameCache() const { return skinData_->CacheBitmap(); }
  // The rectangles of the window region cut away (one pixel high each).
  const std::vector<TacRect>& RegionRects() const { return regionRects_; }
  void SetHotButton(int code, bool repaint);
  void PressButton(int code);
  // The skinned system menu when the manager skins popups, else the platform's.
  void ShowSystemMenu(int x, int y);
  // Made on the first ShowSystemMenu with skinned popups; null before.
  TsSystemMenu* SystemMenu() const { return systemMenu_.get(); }

  // ---- extended border
  // The layered window behind the form that shows the frame with its shadow; null
  // while the frame is drawn on the form itself.
  TacBorderForm* BorderForm() const { return borderForm_.get(); }
  // Creates the border form when the manager's extended borders are on and this form
  // may use them (a framed top-level form, frame drawn, AllowExtBorders), else frees it.
  void SetExtBorders();
  // Lets the application answer hit tests on the extended border (non-zero: the answer).
  std::function<void(TMessage& message)> OnExtHitTest;
  // The title buttons and grip as the border window's hit test sees them.
  TacBorderHitInput BorderHitInput(const TacFrameModel& m);
  // Whether the border window may follow the form now (not frozen, not updating).
  bool BorderUpdatesAllowed() const;
  // Screen position of the frame cache's top-left: the border window's, else the form's.
  POINT FrameOrigin() const;
  // The same for a window model already taken (asking the platform for one is dear).
  POINT FrameOriginOf(const TacFrameModel& m) const;
  void StopButtonAnimations() { FreeButtonAnimations(); }

  // ---- TacProviderHost
  TForm* HostForm() const override { return form_; }
  void FreeFrameCache() override;
  void FrameCacheFormat(int& width, int& height, TacPixelFormat& format) const override;
  void FrameCacheFormatOf(const TacFrameModel& m, int& width, int& height, TacPixelFormat& format) const;

 private:
  void Attach();
  void Detach();
  void ProviderWndProc(TMessage& m);
  static bool StartsDeferredSkinning(const TMessage& m);
  // Creates the adapter of standard children when the rules ask for it and rescans.
  void RefreshCtrlAdapter();
  void StartDeferredSkinning();
  bool HandleSkinCommand(TMessage& m, bool skinned);
  void SkinnedWndProc(TMessage& m);
  void CallPrevious(TMessage& m) { previous_(m); }
  void RemoveSkin(TMessage& m);
  void ApplyGlobalColor();
  void UpdateSysMenuStyle();
  void RestoreSysMenuStyle();
  void SetCompositionTransitions(bool disabled);
  bool FormShowing() const;
  int CacheHeight(const TacFrameModel& m) const;
  void PaintGrip(TacBitmap& cache, const TacFrameModel& m);
  // The extended border's image around the frame (after the frame is painted).
  void ComposeExtBorder(TacBitmap& cache, const TacFrameModel& m);
  void PaintTitle(TacBitmap& cache, const TacFrameModel& m);
  void PaintIcon(TacBitmap& cache, const TacFrameModel& m);
  void PaintCaption(TacBitmap& cache, const TacFrameModel& m);
  void PaintTitleButtons(TacBitmap& cache, const TacFrameModel& m);
  void DrawButton(TacBitmap& cache, const TsButtonRecord& b, bool enabledLook);
  void RepaintButton(int code);
  // State changes of title buttons fade in small layered windows (glowing allowed and
  // layered windows there); otherwise buttons are redrawn in the frame directly.
  bool AnimatesTitleButtons() const;
  void AnimateButton(TsButtonRecord& b);
  // What the animation shows for the button's state: the skin's glow image for a hot
  // close, maximize or minimize button with a glow margin, else the button's own
  // rectangle of the frame in that state (32-bit, opaque). `screen`: its top-left.
  TacBitmapPtr ButtonPicture(const TsButtonRecord& b, POINT& screen);
  void FreeButtonAnimations();
  // The hide animation: whether the manager's settings ask for one now, and running it
  // from a snapshot of the window that has just been hidden.
  bool HideAnimates() const;
  void AnimateFormHide();
  // The show animation: asked for as the form is about to be shown; the form's first
  // appearance then ends it (FinishShow).
  bool ShowAnimates() const;
  void FinishShow();
  bool showPending_ = false;
  TsButtonRecord* RecordFor(int code);
  bool ButtonEnabledLook(const TsButtonRecord& b) const;
  int ButtonMaskFor(const TsButtonRecord& b) const;
  void NcPaint();
  void OnNcButtonUp(TMessage& m, int zone);
  void PaintClientBackground(HDC dc);
  void AnswerBackground(TacBgRequest& request);
  // Where the client area starts in the frame cache, taken when the cache was painted:
  // asking the platform for the frame model costs several server round trips under
  // Wine, and every child's background request would pay them.
  TacPoint cacheClientOffset_{0, 0};
  int TitleSectionIndex();
  // The visible title buttons with their hit codes, in hit-test order.
  std::vector<TacTitleButtonHit> TitleButtonHits(const TacFrameModel& m, bool helpShown) const;
  // Where the size grip starts in an image of that size with those shadow margins;
  // false when the skin has no grip image.
  bool GripTopLeft(const TacFrameModel& m, int width, int height, const TacRect& margins, TacPoint& at) const;
  // The border masks whose key-coloured corners cut the frame: the form section's and
  // the title section's (empty when the skin has none).
  TacCornerMask CornerMask(int mask) const;
  TacCornerMask FormCornerMask() const;
  TacCornerMask TitleCornerMask();

  // Internal state, in order.
  std::vector<TacRect> regionRects_;
  bool regionDirty_ = true;
  TacBitmapPtr buttonBackground_;
  bool sysMenuStyleRemoved_ = false;
  int userButtonMask_ = -1;
  int redrawLock_ = 0;
  TsButtonRecord buttons_[7];  // minimize, maximize, close, help, three menu-line buttons
  RECT lastClient_{0, 0, 0, 0};
  bool maxShortTitle_ = false;
  int titleIndex_ = -1;
  int captionIndex_ = -1;
  bool autoCreated_ = false;
  bool deferredStart_ = false;
  bool passive_ = false;
  bool showAnimation_ = false;
  bool inRegionChange_ = false;
  std::function<void(TMessage&)> previous_;
  bool activeState_ = true;
  TacBitmapPtr titleStrip_;
  TForm* form_ = nullptr;
  int menuRows_ = -1;
  bool sysMenuCreated_ = false;

  std::unique_ptr<TsCommonData> skinData_;
  TAlignment captionAlignment_ = taLeftJustify;
  bool drawNonClientArea_ = true;
  bool showAppIcon_ = true;
  std::string titleSkin_;
  bool useGlobalColor_ = true;
  std::vector<TsTitleButton> titleButtons_;
  int hotCode_ = 0;
  bool pressed_ = false;
  bool paintedOnce_ = false;
  bool attached_ = false;
  bool compositionOff_ = false;
  std::unique_ptr<TsSystemMenu> systemMenu_;
  std::unique_ptr<TacCtrlAdapter> ctrlAdapter_;
  std::unique_ptr<TacBorderForm> borderForm_;
  bool WantsExtBorders() const;
  void RefreshBorder(bool repaint);
  // The form's point (screen coordinates) as the frame sees it: on the border window
  // when there is one.
  int FrameHitTestAt(POINT screen);
};

// The form's provider (SMC_GETPROVIDER), or null.
TsSkinProvider* ProviderOfForm(TForm* form);
