// The glyph of a bitmap button: one frame of a bitmap holding up to four frames
// side by side, whose bottom-left pixel gives the transparent colour.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acRect.h"

// Looks of a disabled glyph (a set).
enum TacDisabledGlyphKind : int { dgBlended = 1, dgGrayed = 2 };

struct TacGlyphDraw {
  bool Down = false;       // the button is held down
  int Blend = 0;           // 0..100: how much of the face shows through a normal-state glyph
  int State = 0;           // 0 normal, 1 hot, 2 pressed
  int DisabledKind = dgBlended;
  bool Enabled = true;
  int GlyphCount = 1;      // frames in the bitmap, 1 to 4
  bool FourBitGlyph = false;  // the glyph came from a 16-colour bitmap (no hot or down frames)
};

// Draws the frame for the state at r's top-left. One frame: blended into the
// face by Blend in state 0, else keyed; disabled ones greyed and/or blended half.
// Several frames: 0 normal or disabled, 1 hot, Down + 2 pressed (when present).
void DrawBitmapGlyph(const TacBitmap* glyph, TacBitmap* dst, const TacRect& r, const TacGlyphDraw& how);
