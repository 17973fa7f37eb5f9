// What item painting needs of a control's skin binding: the section and mask
// indexes it keeps, its custom colour, and the way to its parent. The Win32
// binding implements it with SM_ALPHACMD; tests implement it in memory.
#pragma once

#include <cstdint>
#include <string>

#include "paint/acPoint.h"

class TacBitmap;
class TsSkinModel;
struct TacBgRequest;

class TacItemBinding {
 public:
  virtual ~TacItemBinding() = default;

  // The skin in use (the default manager's when the binding names none); null
  // when there is none.
  virtual TsSkinModel* SkinModel() const = 0;
  virtual int SectionIndex() const = 0;
  virtual std::string SkinSection() const = 0;
  virtual int TextureIndex() const = 0;
  virtual int HotTextureIndex() const = 0;
  virtual int BorderMaskIndex() const = 0;
  // The owner's resolved colour when the binding keeps the owner's colour, else TransparentKey.
  virtual uint32_t CustomColor() const = 0;
  // The control's colour in a state (normal 0, hot otherwise).
  virtual uint32_t GetControlColor(int state) = 0;

  // Sends the background request (not painting) to the host's parent. False
  // when the host has no parent; the request is then unchanged.
  virtual bool RequestParentBackground(TacBgRequest& request) = 0;
  // The host's Left and Top in its parent.
  virtual TacPoint HostPosition() const = 0;
  // The cache image, created (24-bit, the host's size) when missing.
  virtual TacBitmap* InitCacheBitmap() = 0;
};
