// Skinned push buttons. TacSkinButton holds what both buttons share: the skin
// binding and its cache image, the three visible states (normal, hot, pressed),
// the fade between them, the window region cut to the border mask's transparent
// corners, and the message handling. TsButton paints a centred caption; TsBitBtn
// (sBitBtn.h) adds a glyph and its layout.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/sCommonData.h"
#include "controls/sFadeTimer.h"
#include "framework/vclStdCtrls.h"
#include "paint/acRegion.h"

class TCanvas;

// Looks of a whole disabled button (a set; the bits are DisabledLook's flags).
enum TsDisabledKindFlag : int { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = int;

// Program-wide: paint the pressed state whatever the button's own pushed state says
// (the short pressed look between a quick press and its release).
extern bool ForcePressedLook;

class TacSkinButton : public TButton {
 public:
  TacSkinButton(TComponent* owner, int kind);
  ~TacSkinButton() override;

  TsCommonData& SkinData() { return *skinData_; }
  const TsCommonData& SkinData() const { return *skinData_; }

  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool on);
  // Distance of the focus frame outside the caption rectangle.
  int FocusMargin() const { return focusMargin_; }
  void SetFocusMargin(int margin) { focusMargin_ = margin; }
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind kind);
  // Keeps the button in the pressed state.
  bool IsDown() const { return downValue_; }
  void SetDown(bool on);
  TacAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TacAnimatEvents events) { animatEvents_ = events; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  // The form's default button: shown hot while nothing else claims Enter.
  bool IsDefault() const { return default_; }
  void SetDefault(bool on);

  // 0 normal, 1 active (focused, hovered) or default, 2 pressed.
  virtual int CurrentState() const;
  // Rebuilds the cache image for the current state (also on SMC_BUILDCACHE).
  virtual void PrepareCache() = 0;

  // The running fade, or null.
  TsFadeTimer* FadeTimer() const { return fade_; }
  bool MousePressed() const { return mousePressed_; }
  bool StateChanged() const { return stateChanged_; }

  void WndProc(TMessage& message) override;
  void Loaded() override;

 protected:
  // The framework's hooks that a skinned button takes over.
  void FontChanged() override;

  // Cache rebuild steps shared by both buttons.
  // Asks the parent for its background and makes sure the cache exists and has the
  // button's size; false when there is nothing to paint into.
  bool BeginCache(TacParentImage& pi);
  // The section's face for the state over pi into the whole cache (no border).
  void PaintFace(const TacParentImage& pi, int state);
  // The border mask's frame for the state over the whole cache; with StateChanged its
  // transparent corner pixels are cut out of the pending region.
  void PaintBorder(int state);
  // The disabled look over the whole cache, when the button is disabled.
  void ApplyDisabledLook(const TacParentImage& pi);
  // The focus frame around a caption rectangle when the button shows focus.
  void PaintFocus(TCanvas& canvas, RECT captionRect);
  bool ShowsFocus() const;

  // Painting through the cache (WM_PAINT with dc null, WM_PRINT with its DC).
  void PaintButton(HDC dc);
  // Sets StateChanged and marks the cache dirty.
  void MarkStateChanged();
  // A visible state change: fade or repaint (the cache still shows the old image).
  void StateImageChanged(TacAnimatEvent event, bool halve);
  void StopFade();

  bool showFocus_ = true;
  int focusMargin_ = 1;
  TsDisabledKind disabledKind_ = dkBlended;
  bool downValue_ = false;
  TacAnimatEvents animatEvents_ = aeGlobalDef;
  bool wordWrap_ = true;
  bool default_ = false;

 private:
  bool Ready();
  // Another button of the form has the focus (it, not this default button, takes Enter).
  bool OtherButtonFocused() const;
  // The focus moved onto or off this button: default buttons beside it change their look.
  void RefreshDefaultButtons();
  bool Skinned() const;
  // The parts of a skinned button's window procedure; true when the message is done.
  bool HandleSkinCommand(TMessage& m);
  bool HandleSkinnedMessage(TMessage& m);
  void HandleUnskinnedMessage(TMessage& m);
  void MouseDownReaction(TMessage& m);
  void MouseUpReaction(TMessage& m);
  void AfterMessage(UINT msg, bool visibleBefore);
  // Applies the pending region and copies the border corners before it.
  void ApplyRegion(HDC dc, bool redraw);
  void RemoveRegion();

  std::unique_ptr<TsCommonData> skinData_;
  TsFadeTimer* fade_ = nullptr;
  bool mousePressed_ = false;
  bool stateChanged_ = true;
  int cacheState_ = -1;  // the state the cache was last built for
  RECT lastBounds_ = {0, 0, 0, 0};
  std::optional<TacRegion> pendingRegion_;
  bool regionFresh_ = false;                // pendingRegion_ was started by this rebuild
  std::vector<TacRect> appliedRegion_;      // the region the window has now
  bool hasRegion_ = false;
  bool neverPainted_ = true;
  bool inPaint_ = false;
};

class TsButton : public TacSkinButton {
 public:
  explicit TsButton(TComponent* owner);
  void PrepareCache() override;
  // Where the caption goes in a state: centred by the text's extent.
  RECT CaptionRect(int state);
};
