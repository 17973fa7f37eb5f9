// What a point on a skinned form's frame means: the non-client hit test.
#pragma once

#include <vector>

#include "frame/acFrameModel.h"
#include "paint/acPoint.h"
#include "paint/acRect.h"

// The platform's hit-test codes the frame answers.
namespace acHit {
constexpr int Nowhere = 0, Client = 1, Caption = 2, SysMenu = 3, Menu = 5, MinButton = 8, MaxButton = 9, Left = 10,
              Right = 11, Top = 12, TopLeft = 13, TopRight = 14, Bottom = 15, BottomLeft = 16, BottomRight = 17,
              Close = 20, Help = 21;
// Buttons of a maximized multi-document child shown in the menu line.
constexpr int ChildClose = 101, ChildRestore = 102, ChildMinimize = 103;
// User title button i answers UserButton + i.
constexpr int UserButton = 1000;
// No title button was hit: the test goes on.
constexpr int FallThrough = -1;
}  // namespace acHit

enum class TacTitleButtonKind { Close, Maximize, Minimize, Help, User };

// What the system menu allows (the predicates of the provider's system menu).
struct TacTitleButtonState {
  bool EnabledMax = true;
  bool EnabledRestore = false;
  bool EnabledMin = true;
};

// The answer for a press on one title button: close 20, maximize 9 (or caption
// when it may not act), minimize 8 (or caption), help 21, user button 1000 + i
// when enabled, else FallThrough.
int TitleButtonHitCode(TacTitleButtonKind kind, int userIndex, bool userEnabled, const TacTitleButtonState& s,
                       bool minimized);

struct TacTitleButtonHit {
  TacRect R;  // in window coordinates
  int Code;   // from TitleButtonHitCode
};

struct TacHitTestInput {
  // Visible title buttons in order (close, maximize, minimize, help, user
  // buttons); empty with a border form, which tests its own.
  std::vector<TacTitleButtonHit> Buttons;
  bool TestGrip = false;        // grip mode right-bottom with a sizeable frame, or both scroll bars shown
  bool HasGripImage = false;    // GLOBALINFO has "GRIPIMAGE"
  TacPoint GripTopLeft{0, 0};   // window coordinates of the grip's top-left corner
  // Close, restore, minimize of a maximized child shown in the menu line; empty otherwise.
  std::vector<TacRect> ChildButtons;
};

// The hit-test code for point p in window coordinates.
int FrameHitTest(const TacFrameModel& m, TacPoint p, const TacHitTestInput& in);

// Results the window procedure leaves to the platform's own window procedure.
bool LeftToPlatform(int code);
// A sizing edge or corner (10 to 17).
bool IsBorderZone(int code);
