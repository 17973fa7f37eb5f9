// The title buttons of a skinned form as plain decisions: what the system menu
// allows (its visible and enabled predicates), which skin images the buttons
// take, where they lie in the title, and what a double click on the caption or a
// release on a button turns into.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "frame/acFrameModel.h"
#include "paint/acRect.h"

// BorderIcons bits (the form's values).
namespace acIcons {
constexpr unsigned SystemMenu = 1, Minimize = 2, Maximize = 4, Help = 8;
}

// Platform system commands the title turns clicks into.
namespace acSysCmd {
constexpr unsigned Size = 0xF000, Move = 0xF010, Minimize = 0xF020, Maximize = 0xF030, Close = 0xF060,
                   Restore = 0xF120, ContextHelp = 0xF180, DragMove = 0xF012;
}

struct TacSysMenuInput {
  bool SysMenuStyleRemoved = false;  // the provider took WS_SYSMENU away while skinned
  TacBorderKind BorderStyle = TacBorderKind::Sizeable;
  unsigned BorderIcons = acIcons::SystemMenu | acIcons::Minimize | acIcons::Maximize;
  TacWindowState State = TacWindowState::Normal;
  bool MdiChild = false;
};

// The predicates of the skinned system menu.
struct TacSysMenuState {
  bool VisibleClose = false;
  bool VisibleMax = false;
  bool VisibleMin = false;
  bool EnabledMax = false;
  bool EnabledMin = false;
  bool EnabledRestore = false;
};
TacSysMenuState SysMenuPredicates(const TacSysMenuInput& in);

// GLOBALINFO keys of the system buttons' images; empty: no image.
struct TacTitleButtonKeys {
  std::string Close, Max, Min, Help;
  bool Big = false;  // the BI… set rather than the SI… one
};
// Chooses the keys for a form; `has` tells whether GLOBALINFO has a key's image.
TacTitleButtonKeys ChooseTitleButtonKeys(TacBorderKind style, const TacSysMenuState& s,
                                         const std::function<bool(const std::string&)>& has);

// One system or user button to place: its image frame width (21 without image).
struct TacButtonPlace {
  int Code = 0;   // 20 close, 9 maximize, 8 minimize, 21 help, 1000 + i user button
  int Width = 21;
};
struct TacTitleLayoutInput {
  int FrameWidth = 0;
  int ExtRight = 0;       // ExtMargins right
  int ExtTop = 0;         // ExtMargins top
  int SysBorder = 0;      // SysBorderWidth(True)
  int TopBorder = 0;      // TopBorderWidth(True)
  int Caption = 0;        // CaptionHeight(True)
  int ButtonHeight = 21;  // the close button's image height
  bool Big = false;
  bool Maximized = false;
  bool SpacedStyle = false;  // bsSingle or bsSizeable: BISPACE applies, small buttons move 2 down
  TacFrameSkin Skin;
  int BIValign = 0;
  // In order: close, maximize, minimize, help (only the visible ones), then users.
  std::vector<TacButtonPlace> System;
  std::vector<TacButtonPlace> User;
};
struct TacPlacedButton {
  int Code;
  TacRect R;  // window coordinates
};
// Right to left from the title's right end; user buttons 8 pixels further left.
std::vector<TacPlacedButton> LayoutTitleButtons(const TacTitleLayoutInput& in);

// Where the caption text goes inside its rectangle r: left-justified text keeps
// r; right-justified text moves to the right end only when it fits (text, extra
// title and 4 pixels narrower than r), else stays at the left to end in an
// ellipsis; centred text is centred and r ends after it.
enum class TacCaptionAlign { Left, Right, Center };
TacRect AlignCaption(TacRect r, int textWidth, int extraWidth, TacCaptionAlign align);

// Double click on the caption (the hit code given): the system command to send, 0
// for none.
unsigned CaptionDoubleClickCommand(const TacSysMenuState& s, bool hasBorder, TacWindowState state);
