// The section table: one record per section of the options file, in file order;
// a record's position is the section's skin index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/sGradientData.h"

// "Not set" for a colour of the model (a text contour colour, for example).
constexpr uint32_t ColorNotSet = 0xFFFFFFFFu;

struct TsGeneralData {
  std::string ParentClass;               // "PARENTCLASS", not inherited
  std::string Name;                      // the section name as written
  uint32_t Color = 0xFFFFFF;             // "COLOR", resolved to RGB
  uint32_t FontColor[5] = {0, ColorNotSet, ColorNotSet, ColorNotSet, ColorNotSet};     // text, contour L T R B
  uint32_t HotFontColor[5] = {0, ColorNotSet, ColorNotSet, ColorNotSet, ColorNotSet};  // the same when hot
  bool GiveOwnFont = false;
  int32_t GlowCount = 0;
  int32_t GlowMargin = 0;
  bool ReservedBoolean = false;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  std::string GradientData = " ";
  TsGradArray GradientArray;
  int32_t ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int32_t FadingIterations = 5;
  uint32_t HotColor = 0xFFFFFF;          // not resolved
  int32_t HotTransparency = 0;
  int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  TsGradArray HotGradientArray;
  int32_t HotImagePercent = 0;
  uint32_t HotGlowColor = 0xFFFFFF;      // resolved to RGB
  uint32_t GlowColor = 0xFFFFFF;         // resolved to RGB
  uint8_t HotGlowSize = 0;
  uint8_t GlowSize = 0;
  // Mask indexes of the section's own images, -1 when absent.
  int32_t BorderIndex = -1;
  int32_t ImgTL = -1;
  int32_t ImgTR = -1;
  int32_t ImgBL = -1;
  int32_t ImgBR = -1;
};

using TsGeneralDataArray = std::vector<TsGeneralData>;
