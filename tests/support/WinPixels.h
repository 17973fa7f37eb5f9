// What the Windows-side tests share for looking at windows: pumping messages until
// something holds, a real click, a window's pixels as they are on the screen, a
// pixel's colour, and PNG pictures under the build tree for a person to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "paint/acBitmap.h"

class TWinControl;

// Processes messages until `done` holds; false when `ms` passed first.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000);
// Lets queued paints and timers run for `ms`.
void PumpFor(DWORD ms);
// A pixel as 0x00BBGGRR.
uint32_t Rgb(const TacBitmap& b, int x, int y);
// The client pixels of a window as they are on the screen (24 bits), after its
// pending paints.
TacBitmapPtr ScreenPixels(HWND wnd);
TacBitmapPtr ScreenPixels(TWinControl* control);
// The desktop's pixels (24 bits) under a window's whole rectangle and a margin around
// it (glows lie outside the window), after its pending paints.
TacBitmapPtr ScreenAround(HWND wnd, int margin = 0);
// A real click at a screen point, repeated (up to three times) while `done` does
// not hold: test programs beside this one share the pointer and the desktop.
bool ClickUntil(HWND target, POINT p, const std::function<bool()>& done);
// Writes the bitmap as an RGB PNG; false when the file cannot be written.
bool WritePng(const std::string& path, const TacBitmap& b);
// build/<preset>/<name>, made when missing: pictures a person looks at.
std::string PictureDir(const std::string& name);
// The top-level windows of the calling thread (glows and fade pictures are windows of
// their own): a leak check counts them.
int ThreadWindowCount();
