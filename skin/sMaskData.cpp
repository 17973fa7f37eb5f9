#include "skin/sMaskData.h"

void ComputeMaskMargins(TsMaskData& mask) {
  int cols = mask.ImageCount * 3, rows = (mask.MaskType + 1) * 3;
  int16_t wl = cols > 0 ? static_cast<int16_t>(mask.R.Width() / cols) : 0;
  int16_t wt = rows > 0 ? static_cast<int16_t>(mask.R.Height() / rows) : 0;
  mask.WL = mask.WR = wl;
  mask.WT = mask.WB = wt;
}

int MaskFrameWidth(const TsMaskData& mask) { return mask.ImageCount == 0 ? 0 : mask.R.Width() / mask.ImageCount; }

int MaskFrameHeight(const TsMaskData& mask) {
  return mask.MaskType == -1 ? 0 : mask.R.Height() / (mask.MaskType + 1);
}

namespace {
int HorizontalMargin(const TsMaskData& mask, int16_t own) {
  if (own > 0) return own;
  if (mask.BorderWidth > 0) return mask.BorderWidth;
  return mask.R.Width() / (mask.ImageCount == 0 ? 1 : mask.ImageCount);
}
int VerticalMargin(const TsMaskData& mask, int16_t own) {
  if (own > 0) return own;
  if (mask.BorderWidth > 0) return mask.BorderWidth;
  return MaskFrameHeight(mask);
}
}  // namespace

int MaskMarginLeft(const TsMaskData& mask) { return HorizontalMargin(mask, mask.WL); }
int MaskMarginTop(const TsMaskData& mask) { return VerticalMargin(mask, mask.WT); }
int MaskMarginRight(const TsMaskData& mask) { return HorizontalMargin(mask, mask.WR); }
int MaskMarginBottom(const TsMaskData& mask) { return VerticalMargin(mask, mask.WB); }

TacMaskSize MaskImageSize(const TsMaskData& mask) {
  if (mask.Bmp) return {mask.Bmp->Width() / 3, mask.Bmp->Height() / 2};
  return {MaskFrameWidth(mask), MaskFrameHeight(mask)};
}
