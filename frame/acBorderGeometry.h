// Where the layered border window of a form with an extended border lies, how big
// its image is, what it shows through and what a point on it means. Plain functions
// of the window model (with BorderForm set); coordinates on the border window are
// those of the frame cache, which is its image.
#pragma once

#include "frame/acFrameHitTest.h"
#include "frame/acFrameModel.h"
#include "paint/acRect.h"

// The skin's title is this much taller than the platform caption, less the
// platform border: how far the frame reaches above the form's own window.
int ExtBorderTopOffset(const TacFrameModel& m);
// The platform border is this much narrower than the skin's.
int ExtBorderSideDelta(const TacFrameModel& m);
// Rows of the frame cache (the border window's height before a maximized cut).
int FrameCacheHeight(const TacFrameModel& m);
// The frame without its shadow: the cache less the shadow margins.
TacRect FrameRectInCache(const TacFrameModel& m, int cacheWidth, int cacheHeight);
// Row where the title ends and the menu line starts.
int TitleBottom(const TacFrameModel& m);
// The title is part of the extended border image (BORDERMODE 1).
bool CentredBorderMode(const TacFrameModel& m);

// How far the border window's top-left lies left of and above the form's.
TacPoint BorderWindowOffset(const TacFrameModel& m);
// The part of the border window where the form's client area (and menu line) shows
// through: cut out of its region.
TacRect BorderClientHole(const TacFrameModel& m);
// The border window's visible rectangle before the hole: the whole window, or for a
// maximized form only what lies on the screen.
TacRect BorderVisibleRect(const TacFrameModel& m, int width, int height);
// Rows a maximized form's border image loses at the bottom.
int MaximizedBottomCut(const TacFrameModel& m);

// A point of the border window (width x height) lies in the shadow: outside the
// frame rectangle of a form that is not maximized.
bool InBorderShadow(const TacFrameModel& m, TacPoint p, int width, int height);

struct TacBorderHitInput {
  bool OwnerEnabled = true;
  // Title buttons in border-window coordinates, as TacHitTestInput::Buttons.
  std::vector<TacTitleButtonHit> Buttons;
  bool TestGrip = false;
  bool HasGripImage = false;
  TacPoint GripTopLeft{0, 0};  // border-window coordinates
};

// What a point of the border window means: a title button's code, a sizing edge, the
// caption, the system menu icon, the menu line, the size grip, or -1 (nothing of the
// frame, also for a disabled owner).
int BorderHitTest(const TacFrameModel& m, TacPoint p, int width, int height, const TacBorderHitInput& in);

// Nine-part margins and content insets of the extended border image in centred mode
// for a cache `cacheHeight` rows high, from the image's own margins.
struct TacCentredBorderLayout {
  TacRect Margins;  // Left, Top, Right, Bottom widths
  TacRect Insets;
};
TacCentredBorderLayout CentredBorderLayout(const TacFrameModel& m, int cacheHeight, const TacRect& imageMargins);
