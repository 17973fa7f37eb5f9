#include "frame/acAnimationPicture.h"

#include <cstring>

#include "paint/acGdiHandles.h"
#include "paint/acStretch.h"

bool SendLayeredPicture(TUpdateLayeredWindowFn update, HWND window, HDC screen, const POINT* at,
                        const TacBitmap& picture, uint8_t opacity) {
  TacMemoryDC source(screen);
  if (!update || !source || !picture.Handle()) return false;
  TacSelectObject selected(source.Get(), static_cast<HBITMAP>(picture.Handle()));
  POINT from{0, 0};
  POINT to = at ? *at : POINT{0, 0};
  SIZE size{picture.Width(), picture.Height()};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
  return update(window, screen, at ? &to : nullptr, &size, source.Get(), &from, 0x1FFFFFFF, &blend, ULW_ALPHA) !=
         FALSE;
}

void DrawAnimationStep(TacBitmap& to, const TacBitmap& capture, const TacAnimationStep& step) {
  if (step.Whole) {
    if (!step.Redraw) return;
    const size_t bytes = static_cast<size_t>(capture.Width()) * 4;
    for (int y = 0; y < capture.Height(); ++y) std::memcpy(to.Row(y), capture.Row(y), bytes);
    return;
  }
  StretchNearest(&to, step.Place, &capture, TacRect{0, 0, capture.Width(), capture.Height()});
}
