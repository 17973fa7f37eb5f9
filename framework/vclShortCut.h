// Keyboard shortcuts of menu items: a virtual-key code in the low byte and the
// modifier flags above it, with the text a menu shows for one ("Ctrl+S", "Alt+F4")
// and the way back from such a text.
#pragma once

#include <cstdint>
#include <string>

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// "Shift+", "Ctrl+" and "Alt+" in that order, then the key's name; empty for 0 or
// for a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The inverse, modifiers in any order and letter case ("alt+f4", "Ctrl+Shift+A");
// 0 for an empty text or an unknown key.
TShortCut TextToShortCut(const std::string& text);
