// The small window model the frame decisions are made on: the form's style bits
// and state, its size, the skin's frame numbers and the platform metrics. Filled
// by the skin provider from the real window; plain data, so the decisions are
// exercised without a platform.
#pragma once

#include <cstdint>

#include "paint/acRect.h"

// Window style bits the frame looks at (the platform's values).
namespace acStyle {
constexpr uint32_t Border = 0x00800000u;      // WS_BORDER
constexpr uint32_t DlgFrame = 0x00400000u;    // WS_DLGFRAME
constexpr uint32_t Caption = Border | DlgFrame;  // WS_CAPTION: both bits
constexpr uint32_t SysMenu = 0x00080000u;     // WS_SYSMENU
constexpr uint32_t ThickFrame = 0x00040000u;  // WS_THICKFRAME
}  // namespace acStyle

enum class TacBorderKind { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class TacWindowState { Normal, Minimized, Maximized };

// GetSystemMetrics values the frame uses (defaults: the classic 96-dpi values).
struct TacFrameMetrics {
  int CxFrame = 4;       // SM_CXFRAME
  int CxDlgFrame = 3;    // SM_CXDLGFRAME
  int CyCaption = 19;    // SM_CYCAPTION
  int CySmCaption = 15;  // SM_CYSMCAPTION
  int CyMenu = 19;       // SM_CYMENU
};

// The GLOBALINFO numbers of the active skin that shape the frame.
struct TacFrameSkin {
  int BorderWidth = 0;    // BORDERWIDTH
  int TitleHeight = 0;    // TITLEHEIGHT
  int MaxTitleHeight = 0; // MAXHEIGHT (TITLEHEIGHT when the skin leaves it out or 0)
  int FormOffset = 0;     // FORMOFFSET
  int CenterOffset = 0;   // CENTEROFFSET
  int BorderMode = 0;     // BORDERMODE
  int BILeft = 0;         // BILEFT
  int BIRight = 0;        // BIRIGHT
  int BISpace = 0;        // BISPACE
  // Shadow margins of the extended border as the skin manager computed them.
  TacRect ShadowMargins{0, 0, 0, 0};
};

struct TacFrameModel {
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  TacBorderKind BorderStyle = TacBorderKind::Sizeable;
  TacWindowState State = TacWindowState::Normal;
  bool MdiChild = false;
  bool MdiParent = false;
  bool HasParentControl = false;
  int Width = 0;          // window rectangle
  int Height = 0;
  int ClientWidth = 0;    // client rectangle
  int ClientHeight = 0;
  int FormBorderWidth = 0;  // the form's own BorderWidth
  bool BorderForm = false;  // the provider has an extended-border window
  bool MaxShortTitle = false;  // maximized with a title shorter than the platform's + 4
  bool ShowsMenuLine = false;  // see MenuLineHeight
  int MenuLineCount = 1;       // rows of the main menu (the provider caches the count)
  // Title icon.
  bool ShowAppIcon = true;
  bool HasSystemMenu = true;   // the window has a platform system menu
  int TitleIconWidth = 0;      // TitleIcon.Width / Height, 0 = from the caption height
  int TitleIconHeight = 0;
  // Skinned scroll bars of the form, 0 when not visible.
  int VScrollWidth = 0;
  int HScrollHeight = 0;
  bool BindingSkinned = true;
  TacFrameSkin Skin;
  TacFrameMetrics Metrics;

  bool Minimized() const { return State == TacWindowState::Minimized; }
  bool Maximized() const { return State == TacWindowState::Maximized; }
  bool HasStyle(uint32_t bits) const { return (Style & bits) == bits; }
  // Not bsNone, or a multi-document child.
  bool HasBorder() const { return BorderStyle != TacBorderKind::None || MdiChild; }
};
