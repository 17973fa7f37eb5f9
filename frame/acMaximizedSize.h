// The size and position of a maximized skinned form (WM_GETMINMAXINFO): the
// platform's border stays off screen, the skin's taller or shorter title is
// taken into account.
#pragma once

#include "frame/acFrameModel.h"

struct TacMaximizedSize {
  int MaxPositionY;
  int MaxWidth;
  int MaxHeight;
};

// Whether the frame decides the maximized size at all: the non-client area is
// drawn, the form has a border, is no multi-document child and has no parent.
bool DecidesMaximizedSize(const TacFrameModel& m, bool drawNonClientArea);
// workWidth x workHeight: the monitor's work area.
TacMaximizedSize MaximizedSize(const TacFrameModel& m, int workWidth, int workHeight);
