// Our built-in skin: skins/air packed into an archive at build time and compiled
// into the program, stored by the main window as its one internal skin.
#pragma once

#include <cstddef>
#include <cstdint>

extern const char* const BuiltinSkinName;  // "air unpacked (内建皮肤)"
const uint8_t* BuiltinSkinData();
size_t BuiltinSkinSize();
