// UpdateLayeredWindow, looked up in user32.dll at run time: without it (older
// platforms) glows and shadow borders are switched off.
#pragma once

#include <windows.h>

using TUpdateLayeredWindowFn = BOOL(WINAPI*)(HWND wnd, HDC screen, POINT* position, SIZE* size, HDC source,
                                             POINT* sourcePoint, COLORREF key, BLENDFUNCTION* blend, DWORD flags);

// The platform's function (looked up once), or null when it has none.
TUpdateLayeredWindowFn LayeredWindowUpdater();
// Replaces what LayeredWindowUpdater answers (null: no layered windows); returns the
// previous answer. For tests that play an older platform.
TUpdateLayeredWindowFn SetLayeredWindowUpdater(TUpdateLayeredWindowFn fn);

// Registers (once a name; later calls answer at once) the plain window class the
// picture windows use: glows, title-button fades, animation snapshots. They paint
// nothing themselves; UpdateLayeredWindow hands them their pixels.
bool RegisterPictureWindowClass(const wchar_t* name);
