// Skinned radio button (section "RADIOBUTTON" by default): the skin's check glyphs
// "RADIOCHECKED" / "RADIOUNCHECKED" of "GLOBALINFO", or glyphs of its own, with
// hover, press and a fade on every change of its look.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/sButton.h"
#include "controls/sCommonData.h"
#include "controls/sFadeTimer.h"
#include "framework/vclStdCtrls.h"
#include "paint/acBitmap.h"

class TCanvas;

class TsRadioButton : public TRadioButton {
 public:
  explicit TsRadioButton(TComponent* owner);
  ~TsRadioButton() override;

  TsCommonData* SkinData() const { return skinData_.get(); }

  // Size follows the glyph and the caption.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  // Distance of glyph and text from the edges.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  // Narrows the text area on the glyph's side.
  int TextIndent() const { return textIndent_; }
  void SetTextIndent(int indent);
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool on);
  // The user cannot change the check state (hover still shows).
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on) { readOnly_ = on; }
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind kind);
  TacAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TacAnimatEvents events) { animatEvents_ = events; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Own glyphs (copied; empty: the skin's). Frames side by side, square when the
  // width is a multiple of the height: normal, hot, pressed. A 24-bit glyph keeps
  // its mask in its lower half.
  const TacBitmap* GlyphChecked() const { return glyphChecked_.get(); }
  const TacBitmap* GlyphUnChecked() const { return glyphUnChecked_.get(); }
  void SetGlyphChecked(const TacBitmap* glyph);
  void SetGlyphUnChecked(const TacBitmap* glyph);

  // Checking goes through BM_SETCHECK, so that every change (a sibling's too) fades.
  void SetChecked(bool on) override;
  void Click() override;

  // Where the check glyph stands.
  RECT CheckRect() const;
  // Rebuilds the cache image for the current state (also on SMC_BUILDCACHE).
  void PaintCache();
  // Sets the size from glyph and caption (with AutoSize, while skinned).
  void AdjustBounds();

  TsFadeTimer* FadeTimer() const { return fade_; }
  bool MousePressed() const { return mousePressed_; }
  virtual bool ReadOnlyState() const { return readOnly_; }
  // A click checks the button only when this answers true.
  virtual bool CanChange() const { return true; }

  void WndProc(TMessage& message) override;
  void Loaded() override;

 protected:
  void AdjustSize() override;

 private:
  bool GlyphAtLeft() const;
  const TacBitmap* OwnGlyph() const;
  void SetGlyph(TacBitmapPtr& slot, const TacBitmap* glyph, bool checkedSlot);
  void PaintCaption(TCanvas& canvas, bool hot);
  void PaintGlyph(TacBitmap* cache);
  void PaintButton(HDC dc);
  void StopFade();
  // The next or previous radio button of the same parent that can take the focus.
  TsRadioButton* Neighbour(bool forward) const;
  bool HandleSkinCommand(TMessage& m);
  bool HandleSkinnedMessage(TMessage& m);
  void HandleUnskinnedMessage(TMessage& m);
  bool OwnManager(const TMessage& m) const;
  bool Skinned() const;

  std::unique_ptr<TsCommonData> skinData_;
  TsFadeTimer* fade_ = nullptr;
  bool mousePressed_ = false;
  bool autoSize_ = true;
  int margin_ = 2;
  int textIndent_ = 0;
  bool showFocus_ = true;
  bool readOnly_ = false;
  TsDisabledKind disabledKind_ = dkBlended;
  TacAnimatEvents animatEvents_ = aeGlobalDef;
  bool wordWrap_ = false;
  TAlignment alignment_ = taRightJustify;
  TacBitmapPtr glyphChecked_;
  TacBitmapPtr glyphUnChecked_;
  bool adjusting_ = false;
};
