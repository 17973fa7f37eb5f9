// Frame checks shared by the provider's Windows tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "BoxesTestSupport.h"
#include "frame/sSkinProvider.h"

namespace boxestest {

// Pixels of the top `rows` rows of the window on the screen that differ from the
// provider's frame cache, the keyed corners left out; -1 without a cache of the
// window's width. Another program's window may pass over ours: then it is brought
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
    TacBitmapPtr screen = ScreenAround(w);
    const TacBitmap* cache = provider.FrameCache();
    if (!screen || !cache || cache->Width() != screen->Width()) return -1;
    if (look) look(*screen);
    differences = Differences(*cache, 0, 0, *screen, RECT{0, 0, screen->Width(), rows}, skip, first);
  }
  return differences;
}

}  // namespace boxestest
