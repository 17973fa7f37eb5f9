// Finished text pixels, remembered. GDI text is the slow part of rebuilding a
// control's image where the platform draws it in software (a DrawText call costs
// about 16 us under Wine), and controls draw the same captions over the same
// backgrounds again on every state change. A drawing is remembered with all that
// decides its pixels: a description of the drawing (font, texts, each pass's place
// relative to the clip box, colours, flags), the DC's text state, and the pixels of
// the clip box before it; when all of them are the same again, the pixels after it
// are written back instead of drawing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "paint/acBitmap.h"

// Runs draw() on dc (which has `bitmap` selected and draws in logical = bitmap
// coordinates), or gives back its remembered result. `description` must tell apart
// everything draw() does except where it lands: positions in it are relative to
// `origin`, which is subtracted from the clip box's corner in the key. Drawings the
// memo cannot vouch for (a clip that is no rectangle, a shifted or scaled DC, a clip
// box past the bitmap or too large to be worth it) are simply drawn.
void DrawTextRemembered(HDC dc, TacBitmap& bitmap, const std::string& description, POINT origin,
                        const std::function<void()>& draw);

// Drops every remembered drawing (the installed fonts changed).
void ForgetRememberedText();

// What the memo holds and did, for tests and benchmarks.
struct TacTextMemoStats {
  size_t Entries = 0;
  size_t Bytes = 0;
  long Hits = 0;
  long Misses = 0;
  long Bypassed = 0;
};
TacTextMemoStats TextMemoStats();

// Switches the memo off (every drawing drawn) or on again; on by default. For
// measuring what it saves, and for tests that compare with fresh drawing.
void SetTextMemoEnabled(bool enabled);
