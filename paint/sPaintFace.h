// The face of a skinned item: colour, gradient and texture with their shares.
#pragma once

#include <cstdint>
#include <string>

#include "paint/acBitmap.h"
#include "paint/acColors.h"
#include "paint/acRect.h"
#include "skin/sGradientData.h"

class TsSkinModel;

// Which texture a face uses: an entry of the model's pattern table or of its
// mask table. An index outside its table means no texture.
struct TacTextureSource {
  enum class Kind { None, Pattern, Mask };
  Kind Type = Kind::None;
  int Index = -1;
  const TsSkinModel* Model = nullptr;

  static TacTextureSource None() { return TacTextureSource(); }
  static TacTextureSource Pattern(const TsSkinModel* model, int index) { return {Kind::Pattern, index, model}; }
  static TacTextureSource Mask(const TsSkinModel* model, int index) { return {Kind::Mask, index, model}; }
};

struct TacFace {
  uint32_t Color = 0;              // RGB
  int GradientPercent = 0;         // share of the gradient
  const TsGradArray* Gradient = nullptr;
  int ImagePercent = 0;            // share of the texture
  TacTextureSource Texture;
  int Transparency = 0;
};

// Paints the face into r of p: the texture (the rest of r filled with the
// colour), the gradient blended over it by the texture's share (or painted
// directly), then the colour mixed in for what the shares leave (their sum
// below 100). pi is what lies behind p's pixels: its image pixel at a target
// pixel's place + (pi.X, pi.Y). A gradient percent above 0 without gradient
// pieces paints the colour in the gradient's place.
void PaintFace(TacBitmap* p, const TacRect& r, const TacFace& face, const TacParentImage& pi);
