#include "app/BuiltinSkin.h"

// Generated at build time from the packed skins/air (BuiltinSkin.cmake).
extern const unsigned char BuiltinAirSkinAsz[];
extern const size_t BuiltinAirSkinAsz_size;

const char* const BuiltinSkinName = "air unpacked (内建皮肤)";

const uint8_t* BuiltinSkinData() { return BuiltinAirSkinAsz; }
size_t BuiltinSkinSize() { return BuiltinAirSkinAsz_size; }
