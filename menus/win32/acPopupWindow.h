// Popup windows the menu skinning has taken over. Their frame and background come
// from the popup's cached background, which the items copy themselves: the
// platform's own erase and frame painting are answered without drawing. When any of
// them is destroyed, every cached popup background is freed.
#pragma once

#include <windows.h>

// Takes the window over, once; false when the window does not exist or the platform
// refuses. True at once for a window already taken.
bool TakeOverPopupWindow(HWND window);
bool PopupWindowTakenOver(HWND window);
// Windows taken over and not yet destroyed.
int TakenOverPopupCount();
