// The skin manager's animation settings. The manager itself reads only
// SkinChanging; the buttons' fades and the window animations read the others.
#pragma once

enum TacAnimType : int { atFading = 0, atAero = 1 };

enum TacBtnEvent : unsigned { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };
using TacBtnEvents = unsigned;

struct TacBtnEffects {
  TacBtnEvents Events = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
};

struct TacFormAnimation {
  bool Active = true;
  int Time = 0;  // milliseconds
  TacAnimType Mode = atAero;
};

struct TacPageChangeAnimation {
  bool Active = true;
  int Time = 0;
};

struct TacSkinChangeAnimation {
  bool Active = true;
  int Time = 100;
  TacAnimType Mode = atFading;
};

struct TacAnimEffects {
  TacBtnEffects Buttons;
  TacFormAnimation DialogShow;
  TacFormAnimation FormShow;
  TacFormAnimation FormHide;
  TacPageChangeAnimation PageChange;
  TacSkinChangeAnimation SkinChanging;
};
