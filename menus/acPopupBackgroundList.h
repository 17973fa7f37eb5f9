// The process-wide list of cached popup backgrounds: one entry per popup window
// shown since the list was last emptied, found by the popup's first item (which
// names the popup) or by its window. The list owns the bitmaps; emptying it frees
// them all.
#pragma once

#include <memory>
#include <vector>

#include "paint/acBitmap.h"
#include "paint/acRect.h"

struct TacPopupBackgroundEntry {
  const void* FirstItem = nullptr;   // the item at index 0 of the popup's items
  TacBitmapPtr Bitmap;               // 24-bit, the popup window's size
  void* Window = nullptr;            // the popup window, null when there was none
  bool ExtraLine = false;            // the popup shows the extra line
  std::vector<TacRect> RegionRects;  // what the window region leaves out
};

class TacPopupBackgroundList {
 public:
  // The entry of a popup (null item: none), or null.
  TacPopupBackgroundEntry* FindByItem(const void* firstItem) const;
  TacPopupBackgroundEntry* FindByWindow(const void* window) const;
  TacPopupBackgroundEntry& Add(TacPopupBackgroundEntry entry);
  void Clear() { entries_.clear(); }
  int Count() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<std::unique_ptr<TacPopupBackgroundEntry>> entries_;
};

// The program's one list; used on the GUI thread only.
TacPopupBackgroundList& PopupBackgrounds();
