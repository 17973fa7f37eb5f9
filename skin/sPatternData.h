// The pattern table: large JPEG textures, tiled whole.
#pragma once

#include <string>
#include <vector>

#include "paint/acBitmap.h"

struct TsPatternData {
  TacBitmapPtr Img;          // the decoded picture, 24 bits per pixel
  std::string ClassName;     // section, upper case
  std::string PropertyName;  // key, upper case
};

using TsPatternArray = std::vector<TsPatternData>;
