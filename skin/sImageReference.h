// The forms in which an options-file value refers to an image:
//   "@" glyph in the master bitmap     "@LLLL@TTTT@RRRR@BBBB@C@M"
//   "^" border in the master bitmap    "^LLLL^TTTT^RRRR^BBBB^WL..^WT..^WR..^WB..^C^M^D^W"
//   "~" texture in the master bitmap   "~LLLL~TTTT~RRRR~BBBB~DD~M"
//   "!" image file                      "!NAME.BMP!count!masktype!kind[!WL!WT!WR!WB]"
//   a bitmap file                       any value without "#" containing ".BMP" (any case)
// JPEG values (".JPG"/".JPEG" in any case) are textures or patterns of their own.
#pragma once

#include <string>
#include <string_view>

#include "paint/acRect.h"

enum class TacImageRefForm { None, MasterGlyph, MasterBorder, MasterTexture, ImageFile, BitmapFile };

struct TacImageReference {
  TacImageRefForm Form = TacImageRefForm::None;
  std::string FileName;   // ImageFile: as written; BitmapFile: upper-cased value
  TacRect R{0, 0, 0, 0};  // master forms
  int ImageCount = 0;
  int MaskType = 0;
  int DrawMode = 0;
  int BorderWidth = 0;
  int ImageKind = 0;      // ImageFile: the kind as written
  bool HasMargins = false;
  int WL = 0, WT = 0, WR = 0, WB = 0;
};

// Classifies a value. Form None for values that are no image reference, for "!"
// references whose file name contains neither ".BMP" nor ".PNG" (exactly in upper
// case) or whose kind is negative, and for legacy "#" values. A number field or
// word that is not a number (or is missing) raises EConvertError.
TacImageReference ParseImageReference(std::string_view value);

// True when the value, upper-cased, contains ".JPG" or ".JPEG".
bool IsJpegReference(std::string_view value);
