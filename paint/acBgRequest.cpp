#include "paint/acBgRequest.h"

TacParentImage ReduceBgRequest(const TacBgRequest& request) {
  // An image answer without an image cannot be read from; it means nothing is known.
  if (request.Kind == bgkImage && request.Image)
    return ParentImageFromBitmap(request.Image, request.Offset.X, request.Offset.Y);
  if (request.Kind == bgkImage) return ParentImageFromColor(TransparentKey);
  return ParentImageFromColor(request.Color);
}
