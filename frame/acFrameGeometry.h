// Sizes and positions of a skinned form's frame: borders, caption, menu line,
// title icon and where the client area lies inside the frame image. Plain
// functions of the window model; halving divides toward zero.
#pragma once

#include "frame/acFrameModel.h"
#include "paint/acRect.h"

// useExt: whether the extended border's values count.
int SysBorderWidth(const TacFrameModel& m, bool useExt);
// 0 with a border form, else SysBorderWidth.
int TopBorderWidth(const TacFrameModel& m, bool useExt);
// SysBorderWidth + the form's BorderWidth.
int SideBorderWidth(const TacFrameModel& m, bool useExt);
int CaptionHeight(const TacFrameModel& m, bool useExt);
// Recomputed after every position change: maximized, with a border form, and the
// skin's title shorter than the platform caption + 4.
bool ComputeMaxShortTitle(const TacFrameModel& m);
// Shadow margins of the extended border; all 0 without a border form.
TacRect ExtMargins(const TacFrameModel& m);
// Menu-bar height minus 1 when the form shows a menu line, else 0.
int MenuLineHeight(const TacFrameModel& m);
// Width of the frame cache image.
int FrameWidth(const TacFrameModel& m);
int ClientOffsetX(const TacFrameModel& m);
int ClientOffsetY(const TacFrameModel& m);
// Height of the frame part above the client area.
int CaptionAreaHeight(const TacFrameModel& m);

struct TacIconSize {
  int Width;
  int Height;
};
// The title icon's size; 0 x 0 when it is not shown.
TacIconSize TitleIconSize(const TacFrameModel& m);
TacRect IconRect(const TacFrameModel& m);

// One row of a menu bar laid out: how many rows items of these widths need in
// a form of the given width (the caller leaves out merged, hidden and
// handler-less items).
int CountMenuRows(const TacFrameModel& m, const int* itemWidths, int count);
