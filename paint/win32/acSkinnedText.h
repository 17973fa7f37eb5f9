// Text in the colours of a skin section: contours one pixel off on each side,
// the main colour on top, a glow behind when the section has one, a mix toward
// the background for disabled text; and the dotted frame around focused captions.
// Texts are GBK bytes; format flags are DrawText's DT_* and stay the caller's choice.
#pragma once

#include <windows.h>

#include <string>

#include "framework/vclCanvas.h"
#include "framework/vclControl.h"
#include "framework/vclFont.h"
#include "paint/acBitmap.h"
#include "paint/acRect.h"
#include "skin/sSkinModel.h"

// What caption drawing needs of a control's skin binding.
struct TacTextBinding {
  const TsSkinModel* Manager = nullptr;  // the binding's manager (the default one resolved); null: none
  int SectionIndex = -1;
  std::string SkinSection;               // upper-cased section name
  TControl* HostControl = nullptr;       // the control whose font the text takes, or null
  bool ParentFont = false;               // the host takes its font from its parent
  int ControlKind = 0;
  TacBitmap* CacheBitmap = nullptr;      // where the glow goes; null: no glow
  bool CustomFont = false;               // the host keeps its own font colour
};

// A control's caption: the host's font (underlined when hot in section "WEBBUTTON"),
// clipped to r, in the colours of the binding's section, or of its parent's section
// when the host shares its parent's font and lets the parent show through (see
// ChooseTextSection). Without a valid section the text is drawn in the font's own
// colour. The canvas' DC state is restored afterwards.
void DrawSkinnedText(TCanvas& canvas, const std::string& text, bool enabled, bool hot, const TacTextBinding& binding,
                     UINT format, const TacRect& r);

// Text in the colours of section `section` of `manager` (null: the default manager):
// contours and main colour for the state; disabled: 40 % FONTCOLOR, 60 % COLOR.
// Nothing without a manager or for an invalid section.
void DrawSectionText(TCanvas& canvas, const std::string& text, bool enabled, const TsSkinModel* manager, bool hot,
                     int section, UINT format, const TacRect& r);

// The dotted focus frame of FocusDots, drawn pixel by pixel.
void DrawFocusDots(TCanvas& canvas, const TacRect& r);

// The size of `text` in `font`, measured on a screen DC; 0 x 0 when that fails.
SIZE TextExtentInFont(const TFont& font, const std::string& text);
