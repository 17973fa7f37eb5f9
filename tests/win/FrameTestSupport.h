// Frame checks shared by the provider's Windows tests.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BoxesTestSupport.h"
#include "frame/acBorderForm.h"
#include "frame/sSkinProvider.h"

namespace boxestest {

// The window that shows the provider's frame cache: its border window when the frame
// is drawn with a shadow, else the form.
inline HWND FrameWindow(TsSkinProvider& provider, HWND form) {
  return provider.BorderForm() ? provider.BorderForm()->BorderWindow() : form;
}

// Pixels of the top `rows` rows of the frame on the screen that differ from the
// provider's frame cache, the keyed corners left out (on a border window: every
// pixel that is not opaque, as the screen shows it blended); -1 without a cache of
// the window's width. Another program's window may pass over ours: then it is brought
// up and looked at again (four looks at most). Each look is handed to `look`.
inline int FrameRowsDifferences(TsSkinProvider& provider, HWND w, int rows, std::string* first,
                                const std::function<void(const TacBitmap&)>& look = nullptr) {
  std::vector<RECT> skip;
  for (const TacRect& r : provider.RegionRects()) skip.push_back(RECT{r.Left, r.Top, r.Right, r.Bottom});
  int differences = -1;
  for (int attempt = 0; attempt < 4 && differences != 0; ++attempt) {
    if (attempt > 0) {
      SetForegroundWindow(w);
      BringWindowToTop(w);
      Pump(150);
    }
    TacBitmapPtr screen = ScreenAround(FrameWindow(provider, w));
    const TacBitmap* cache = provider.FrameCache();
    if (!screen || !cache || cache->Width() != screen->Width()) return -1;
    if (look) look(*screen);
    if (provider.BorderForm()) {
      differences = 0;
      for (int y = 0; y < rows && y < cache->Height() && y < screen->Height(); ++y)
        for (int x = 0; x < cache->Width(); ++x) {
          if (cache->Pixel(x, y)[3] != 255 || Rgb(*cache, x, y) == Rgb(*screen, x, y)) continue;
          if (differences++ == 0 && first) {
            char text[96];
            std::snprintf(text, sizeof text, "(%d,%d): %06X vs %06X", x, y, Rgb(*cache, x, y), Rgb(*screen, x, y));
            *first = text;
          }
        }
      continue;
    }
    differences = Differences(*cache, 0, 0, *screen, RECT{0, 0, screen->Width(), rows}, skip, first);
  }
  return differences;
}

}  // namespace boxestest
