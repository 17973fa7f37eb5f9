// The skin binding every skinned control (and every frame provider) owns: which
// section of the active skin it is painted from, its cache image, the flags that
// decide when the cache is rebuilt and when painting waits for the parent, and the
// answers to the questions other controls ask through SM_ALPHACMD, above all the
// background request.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "framework/vclControl.h"
#include "framework/vclMessages.h"
#include "paint/acBgRequest.h"
#include "paint/acGdiHandles.h"
#include "paint/acBitmap.h"
#include "paint/acItemBinding.h"
#include "paint/acSkinnedText.h"

class TsSkinManager;
class TWinControl;
class TForm;

// Kind codes of the owners.
constexpr int ckRadioButton = 33;
constexpr int ckGroupBox = 74;
constexpr int ckButton = 93;
constexpr int ckBitBtn = 94;

// The three kind sets that steer the shared handlers (codes above 255 belong to none).
bool IsContainerKind(int kind);
bool IsWithoutGlowKind(int kind);
bool IsEditLikeKind(int kind);
// The section a binding without SkinSection takes from its kind; className
// (upper-cased by the setter) for kinds the table does not name.
std::string DefaultSectionForKind(int kind, const std::string& className);

// BgFlags bits.
constexpr uint16_t bgfSolidFill = 0x0001;
constexpr uint16_t bgfUpdatesLocked = 0x0800;

// What a binding needs of a frame provider that owns it (the provider implements it).
class TacProviderHost {
 public:
  virtual ~TacProviderHost() = default;
  virtual TForm* HostForm() const = 0;
  // Frees the provider's frame image (the section changed).
  virtual void FreeFrameCache() = 0;
  // Size and format of the frame image: the form's size in 24 bits unless the
  // provider's frame reaches past the form (an extended border, 32 bits with alpha).
  virtual void FrameCacheFormat(int& width, int& height, TacPixelFormat& format) const;
};

class TsCommonData : public TacItemBinding {
 public:
  // A control's binding; withCache creates an empty 24-bit cache at once.
  TsCommonData(TControl* owner, bool withCache);
  // A frame provider's binding.
  explicit TsCommonData(TacProviderHost* provider);
  ~TsCommonData() override;
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // ---- published properties
  std::string SkinSection() const override { return skinSection_; }
  // Unchanged text: nothing. Empty stores "UNKNOWN", anything else upper-cased; then
  // the section is bound again and the host told (SMC_REFRESH or SMC_REMOVESKIN).
  void SetSkinSection(const std::string& section);
  // The stored manager (null: the program's default manager).
  TsSkinManager* StoredSkinManager() const { return skinManager_; }
  void SetSkinManager(TsSkinManager* manager);
  // The manager in use: the stored one, else the default manager; null when none exists.
  TsSkinManager* SkinManager() const;
  bool CustomColorSet() const { return customColor_; }
  void SetCustomColor(bool value) { customColor_ = value; }
  bool CustomFontSet() const { return customFont_; }
  void SetCustomFont(bool value);

  // ---- inner fields, in the order of the binding's record
  int GlowId = -1;
  bool PaintDeferred = false;
  int BorderMaskIndex() const override { return borderMaskIndex_; }
  int SectionIndex() const override { return sectionIndex_; }
  int TextureIndex() const override { return textureIndex_; }
  int HotTextureIndex() const override { return hotTextureIndex_; }
  bool CacheDirty = true;
  bool PartlyHidden = true;
  TControl* HostControl() const { return hostControl_; }
  TacProviderHost* HostProvider() const { return hostProvider_; }
  TacBitmap* CacheBitmap() const { return cache_.get(); }
  // Counts the cache's rebuilds (each InitCacheBitmap), so that a copy of it can tell
  // whether it is still current.
  unsigned CacheGeneration() const { return cacheGeneration_; }
  int ControlKind = 0;
  bool HasFocus = false;
  bool MouseOver = false;
  uint16_t BgFlags = 0;

  // ---- queries and steps used by the controls and the frame
  // Bound to a valid section of a live manager (whose skin is Active when checkActive).
  bool IsSkinned(bool checkActive = true) const;
  void ResolveSection();
  // After construction and after loading.
  void BindingLoaded();
  // Creates the cache (24 bits) when missing and sizes it to the owner.
  TacBitmap* InitCacheBitmap() override;
  // Sizes the cache 0 x 0 (hidden owner, skin removed).
  void EmptyCache();
  // The parent's background, reduced; without skin or parent: no image, the
  // control's colour of state 0.
  void GetParentImage(TacParentImage& out);
  void RequestRepaint();
  // The look depends on the parent (capture active, no solid fill, or active).
  bool DependsOnParent() const;
  bool ComputeDeferred();
  void LockUpdates();
  void UnlockUpdates(bool repaint);
  bool ControlIsActive() const;
  bool NeedsRepaintOnMove() const;
  bool BackgroundIsComplex() const;
  void UpdateSolidFill(bool withChildren);
  uint32_t GetControlColor(int state) override;
  void AnswerBgRequest(TacBgRequest& request, int state);
  // Shows or hides the glow around the host after a state change.
  void UpdateGlow(bool hideIfShown);
  // Hides a shown glow and forgets its id.
  void HideShownGlow();
  // Reactions to SM_ALPHACMD; true when handled (the answer is in message.Result).
  bool HandleSkinCommand(TMessage& message);
  // Reactions to ordinary window messages shared by every skinned control; true when
  // the message needs no further handling.
  bool CommonWndProc(TMessage& message);
  // What caption drawing needs of this binding.
  TacTextBinding TextBinding();

  // ---- TacItemBinding
  TsSkinModel* SkinModel() const override;
  uint32_t CustomColor() const override;
  bool RequestParentBackground(TacBgRequest& request) override;
  TacPoint HostPosition() const override;

 private:
  void Init(TComponent* host);
  // The host's window when it has one (a provider's form window), else null.
  HWND HostWindow() const;
  TWinControl* HostParent() const;

  TsSkinManager* skinManager_ = nullptr;
  std::string skinSection_;
  bool customColor_ = false;
  bool customFont_ = false;
  int borderMaskIndex_ = -1;
  int sectionIndex_ = -1;
  int textureIndex_ = -1;
  int hotTextureIndex_ = -1;
  TControl* hostControl_ = nullptr;
  TacProviderHost* hostProvider_ = nullptr;
  TComponent* host_ = nullptr;
  TacBitmapPtr cache_;
  unsigned cacheGeneration_ = 0;
};

// ---- shared routines of the binding

// Sending a command to a control is SendSkinCommand of skin/win32/sCommandMessages.h.
// The questions painting asks (of the parent, mostly) go by AskControl: the same
// answer, through TWinControl::SendToOwnWindow, which skips the platform's round
// trip where nothing took over the window's procedure.
LRESULT AskControl(TControl* control, int code, LPARAM lParam = 0, int arg = 0);
// The control exists, has its window (when windowed), is not being created, read,
// loaded or destroyed, and has a parent.
bool ControlIsReady(TControl* control);
// Tells the control's form (SMC_ADAPTCHILD) so that its provider adapts its children.
void AnnounceToForm(TControl* control);
// A message to every child of a container, in control order: it stops at a child being
// destroyed; windowless children and windowed ones without a window get it by direct
// dispatch, skin-aware windowed ones through their window, and any other windowed
// child hands it on to its own children.
void BroadcastToChildren(TWinControl* container, TMessage& message);
// SMC_PARENTUPDATED to every showing windowed child (not while a capture is active).
void RefreshChildren(TWinControl* container);
// Sends the background request to the control's parent (see SendBgRequestToWindow
// for a window without a control object). Answers from the parent, its own painting
// when PaintNow was set beforehand, or its colour.
void SendBgRequest(TControl* requester, TacBgRequest& request, bool paintNow);
void SendBgRequestToWindow(HWND parent, TacBgRequest& request, bool paintNow);
// Copies the binding's cache from (srcX, srcY) to dest of dc, leaving out the
// container's windowless, opaque or designed children (offset by dx, dy); with
// fixCorners the transparent corner pixels are first refreshed from the parent.
void CopyCacheToDC(TWinControl* container, TsCommonData& binding, int srcX, int srcY, const RECT& dest, HDC dc,
                   int dx, int dy, bool fixCorners);
// The off-screen picture the windowless children of a container are painted
// through: a 24-bit DIB section selected into a memory DC. A container keeps one
// so that the picture and its DC, once made for its size, serve every paint; they
// are freed with it.
class TacChildrenPicture {
 public:
  TacChildrenPicture() = default;
  TacChildrenPicture(const TacChildrenPicture&) = delete;
  TacChildrenPicture& operator=(const TacChildrenPicture&) = delete;
  // The picture, width x height, selected into DC(); null when none could be made.
  // A picture handed out again holds the previous paint's pixels.
  TacBitmap* Prepare(int width, int height);
  HDC DC() const { return dc_ ? dc_->Get() : nullptr; }
  // Taken by a paint that is under way (a nested one makes its own).
  bool Busy = false;

 private:
  // Freed in reverse: the picture is put out of the DC, the DC deleted, then the picture.
  TacBitmapPtr image_;
  std::unique_ptr<TacMemoryDC> dc_;
  std::optional<TacSelectObject> selected_;
};

// Paints the container's windowless children into dc (origin: the container's
// place in dc) through one off-screen image: the container's kept picture when
// it passes one, else a picture made for this paint.
void PaintGraphicChildren(HDC dc, TWinControl* container, POINT origin, TacChildrenPicture* kept = nullptr);
// Corner flags of RefreshCorners.
constexpr int cfTopLeft = 1, cfBottomLeft = 2, cfTopRight = 4, cfBottomRight = 8, cfAll = 15;
// Recomputes the transparent corner pixels of the cache from the parent's background.
void RefreshCorners(TsCommonData& binding, int state, int corners);

// Set while a window animation paints a form into an image; a skinned control then
// paints only into AnimationCaptureDC.
extern bool AnimationCaptureActive;
extern HDC AnimationCaptureDC;
// A skinned control may paint into dc now (always, unless a capture is active).
bool PaintAllowedInto(HDC dc);
