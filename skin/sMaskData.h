// The mask table: one record per image reference of the skin (an area of the
// master bitmap or an image of its own), with the measures painting takes from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "paint/acBitmap.h"
#include "paint/acRect.h"

class TsSkinModel;

// Kinds of skin images; values 0 to 3 are written as the image kind of "!" references.
enum TacImgType : int32_t {
  itisaBorder = 0,
  itisaTexture = 1,
  itisaGlyph = 2,
  itisaGlow = 3,
  itisaPngGlyph = 4,
};

struct TsMaskData {
  TacBitmapPtr Bmp;          // own image, or null when the image lies in the master bitmap
  std::string ClassName;     // section
  std::string PropertyName;  // key
  TacRect R{0, 0, 0, 0};     // the image's area in Bmp or in the master bitmap
  int16_t ImageCount = 0;    // state frames side by side
  int16_t MaskType = 0;      // 1: a mask of the same size lies below the image
  int16_t BorderWidth = 0;
  int16_t DrawMode = 0;
  TacImgType ImgType = itisaBorder;
  TsSkinModel* Manager = nullptr;  // the model owning the master bitmap
  int16_t WL = 0, WT = 0, WR = 0, WB = 0;  // fixed margins of one frame of a nine-part image
};

using TsMaskArray = std::vector<TsMaskData>;

// The margin rule: WL = WR = width of R / (ImageCount x 3), WT = WB = height of R /
// ((MaskType + 1) x 3). A divisor of 0 or less gives margins 0 (a skin must give
// at least one frame).
void ComputeMaskMargins(TsMaskData& mask);

// Width of R / ImageCount (0 when ImageCount is 0).
int MaskFrameWidth(const TsMaskData& mask);
// Height of R / (MaskType + 1) (0 when MaskType is -1).
int MaskFrameHeight(const TsMaskData& mask);
// WL when above 0, else BorderWidth when above 0, else the frame width (with an
// ImageCount of 0 taken as 1); the others likewise from WT/WR/WB and the frame
// height or width.
int MaskMarginLeft(const TsMaskData& mask);
int MaskMarginTop(const TsMaskData& mask);
int MaskMarginRight(const TsMaskData& mask);
int MaskMarginBottom(const TsMaskData& mask);

struct TacMaskSize {
  int Width;
  int Height;
};
// (Bmp width / 3, Bmp height / 2) with an own bitmap, else (frame width, frame height).
TacMaskSize MaskImageSize(const TsMaskData& mask);
