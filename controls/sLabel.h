// Skinned labels: windowless labels that take their text colour from the skin.
// They have no binding and no cache of their own; their container paints them,
// and they learn which section they stand on by asking their parent.
#pragma once

#include <windows.h>

#include <string>

#include "framework/vclFont.h"
#include "framework/vclStdCtrls.h"

class TsSkinManager;

// Set while a label applies its skin font, so that the font-change notification
// this causes is not taken for a change made by the program.
extern bool LabelPaintGuard;

// The section whose font colour a control inside its parent uses: the parent's
// section when it gives its own font, one level further up when the parent is
// mostly transparent, else defaultIndex. manager null: the default manager.
int FontSourceIndex(TControl* control, int defaultIndex, TsSkinManager* manager);

class TsCustomLabel : public TLabel {
 public:
  explicit TsCustomLabel(TComponent* owner);

  // When set and found in the skin, the section's item is painted behind the text
  // and its font colour is used. Stored upper-cased.
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& section);

  // The font the label paints with, its colour set from the skin.
  virtual TFont& GetCurrentFont();
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;

 protected:
  // The default manager with an active skin, or null.
  static TsSkinManager* ActiveManager();
  // The section's item behind the whole label, over the parent's background.
  void PaintSectionBackground(TCanvas& canvas, int section);
  // The caption in the mixture of the font colour and the parent's colour.
  void PaintDisabledText(TCanvas& canvas);

 private:
  std::string skinSection_;
};

class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(TComponent* owner) : TsCustomLabel(owner) {}

  // false: the label keeps its own font colour whatever the skin says.
  bool UseSkinColor() const { return useSkinColor_; }
  void SetUseSkinColor(bool on);

  TFont& GetCurrentFont() override;
  void WndProc(TMessage& message) override;

 private:
  bool useSkinColor_ = true;
};

// How a window opened by the shell is shown; the ordinal is the show command.
enum TsWindowShowMode {
  soHide = SW_HIDE,
  soShowNormal = SW_SHOWNORMAL,
  soShowMinimized = SW_SHOWMINIMIZED,
  soShowMaximized = SW_SHOWMAXIMIZED,
  soShowNoActivate = SW_SHOWNOACTIVATE,
  soShow = SW_SHOW,
  soMinimize = SW_MINIMIZE,
  soShowMinNoActive = SW_SHOWMINNOACTIVE,
  soShowNA = SW_SHOWNA,
  soRestore = SW_RESTORE,
  soDefault = SW_SHOWDEFAULT
};

// The shell call a web label opens its URL with; replaceable so that a test can
// see the call without a browser starting. Answers the previous function.
using TsShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
TsShellExecuteFn SetWebLabelShellExecute(TsShellExecuteFn fn);

class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(TComponent* owner);

  // Font() is the painting font; changes the program makes to it are kept as the
  // normal font. HoverFont is used while the mouse is over the label.
  TFont& NormalFont() { return normalFont_; }
  TFont& HoverFont() { return hoverFont_; }
  void SetHoverFont(const TFont& font) { hoverFont_.Assign(font); }
  std::string URL;
  TsWindowShowMode ShowMode = soDefault;
  bool Hovered() const { return hovered_; }

  TFont& GetCurrentFont() override;
  void WndProc(TMessage& message) override;
  void Loaded() override;

 private:
  void HoverChanged(bool hovered);

  TFont normalFont_;
  TFont hoverFont_;
  TFont paintFont_;
  bool hovered_ = false;
};
