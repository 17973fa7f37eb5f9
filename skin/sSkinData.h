// Global skin data, read from the options file's "GLOBALINFO" section.
#pragma once

#include <cstdint>
#include <string>

struct TsSkinData {
  bool Active = false;      // a skin is loaded and announced (set by the manager)
  std::string SkinPath;     // folder of an unpacked skin, skin directory of an ".asz", empty inside
  double Version = 0;
  std::string Author;
  std::string Description;
  int16_t BorderWidth = 4;
  int16_t TitleHeight = 30;
  int16_t MaxTitleHeight = 0;  // a written 0 is replaced by TitleHeight at load
  int16_t FormOffset = 8;
  int16_t CenterOffset = 0;
  int16_t BorderMode = 0;
  uint32_t Shadow1Color = 0;
  int16_t Shadow1Offset = 0;
  int16_t Shadow1Blur = -1;
  int16_t Shadow1Transparency = 0;
  int16_t BISpace = 0;
  int16_t BIVAlign = 0;
  int16_t BIRight = 0;
  int16_t BILeft = 0;
  uint32_t BorderColor = 0;
  // 0: title-button icons change hue with the skin; 1: all keep their hue;
  // other values: only the two close icons keep it.
  int16_t BIKeepHue = 0;
  int16_t BICloseGlow = 0;
  int16_t BICloseGlowMargin = 0;
  int16_t BIMaxGlow = 0;
  int16_t BIMaxGlowMargin = 0;
  int16_t BIMinGlow = 0;
  int16_t BIMinGlowMargin = 0;
};
