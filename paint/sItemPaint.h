// Item painting: a skinned item (a control's image, a title bar, a menu line)
// painted from one skin section over what lies behind it, with its corner
// images and border mask, and its disabled look.
//
// The offset point p says where the target rectangle r lies relative to the
// parent image's origin: the background behind target pixel (x, y) of r is the
// parent image's pixel (pi.X + p.X + x - r.Left, pi.Y + p.Y + y - r.Top).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "paint/acBitmap.h"
#include "paint/acColors.h"
#include "paint/acPoint.h"
#include "paint/acRect.h"

class TsSkinModel;
class TacItemBinding;

// Paints section `section` (named `name`) for the state into r of bmp over pi:
// the face (colour, gradient, texture by the state's values) mixed with the
// background by the section's transparency. manager null means the default
// skin. customColor (TransparentKey for none) replaces the face by a plain
// opaque colour. textureIndex and hotTextureIndex are the item's PATTERN and
// HOTPATTERN masks when the caller knows them, else -1.
void ComposeItem(int section, const std::string& name, TacParentImage pi, int state, const TacRect& r, TacPoint p,
                 TacBitmap* bmp, const TsSkinModel* manager, int textureIndex, int hotTextureIndex,
                 uint32_t customColor);

// ComposeItem, then the section's corner images, then its border mask. Nothing
// when r is empty or does not lie inside bmp.
void PaintItem(int section, const std::string& name, TacParentImage pi, int textureIndex, int hotTextureIndex,
               const TsSkinModel* manager, TacBitmap* bmp, TacPoint p, const TacRect& r, int state,
               bool fillCentre);

// The same for a control through its binding (its indexes and custom colour):
// border first, corner images last.
void PaintControlItem(TacItemBinding& binding, TacParentImage pi, bool fillCentre, bool cornersUseParent,
                      TacBitmap* bmp, TacPoint p, const TacRect& r, int state);

// Paints the item into a new 24-bit bitmap of r's size and copies it to target
// at r's top-left (the core of PaintItemToDC). Nothing unless the skin has the
// section, r.Left and r.Top are at least 0 and r is at least 1 x 1.
void PaintItemToBitmap(int section, const std::string& name, TacParentImage pi, const TsSkinModel* manager,
                       TacBitmap* target, TacPoint p, const TacRect& r, int state, bool fillCentre);

// The border of a control's section (its border mask) painted into the
// binding's cache under r, widened inwards by a band of extraWidth in the
// control's colour; the band's four strips are then copied to `surface` (when
// that is not the cache). Without a border mask, a frame of extraWidth in the
// control's colour goes straight onto surface.
void PaintControlBorder(TacBitmap* surface, const TacRect& r, int extraWidth, int state, TacItemBinding& binding);

// Disabled-look flags.
enum TacDisabledLook : int { dlBlended = 1, dlGrayed = 2 };

// Turns a painted image into its disabled look: dlGrayed greys it; dlBlended
// mixes it 60 % toward the background behind it (pi's image at pi's offset +
// p), or, without an image, 50 % toward pi's fill colour or, when that is
// TransparentKey, the colour controlColor answers (called only then; may be
// empty). Without any known colour the blend is left out.
void DisabledLook(TacBitmap* bmp, int flags, const std::function<uint32_t()>& controlColor, TacPoint p,
                  const TacParentImage& pi);
