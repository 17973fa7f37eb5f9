// The background request: how a skinned item learns what lies behind it. The
// record travels with SMC_GETBGINFO from a child to its parent, which answers
// with its image and the child's place in it, or with a plain colour.
#pragma once

#include <cstdint>

#include "paint/acColors.h"
#include "paint/acPoint.h"
#include "paint/acRect.h"

class TacBitmap;

enum TacBgKind : uint8_t { bgkUnanswered = 0, bgkColor = 1, bgkImage = 2 };

struct TacBgRequest {
  const TacBitmap* Image = nullptr;  // Kind bgkImage: the answerer's image (not owned)
  uint32_t Color = 0;                // Kind bgkColor: the plain colour
  // In: the requester's place in the answerer's client area; out: the
  // requester's origin inside Image.
  TacPoint Offset{0, 0};
  TacRect Area{0, 0, 0, 0};  // what to paint when PaintNow is set
  uint8_t Kind = bgkUnanswered;
  bool PaintNow = false;     // the answerer paints the background into TargetDC itself
  void* TargetDC = nullptr;  // the platform's drawing surface (an HDC on Windows)
};

// The answer as item painting consumes it: an image answer becomes the image
// with the offset; any other answer the colour (resolved to RGB) without image.
TacParentImage ReduceBgRequest(const TacBgRequest& request);
