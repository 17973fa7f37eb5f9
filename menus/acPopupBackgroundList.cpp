#include "menus/acPopupBackgroundList.h"

TacPopupBackgroundEntry* TacPopupBackgroundList::FindByItem(const void* firstItem) const {
  if (!firstItem) return nullptr;
  for (const auto& e : entries_)
    if (e->FirstItem == firstItem) return e.get();
  return nullptr;
}

TacPopupBackgroundEntry* TacPopupBackgroundList::FindByWindow(const void* window) const {
  if (!window) return nullptr;
  for (const auto& e : entries_)
    if (e->Window == window) return e.get();
  return nullptr;
}

TacPopupBackgroundEntry& TacPopupBackgroundList::Add(TacPopupBackgroundEntry entry) {
  entries_.push_back(std::make_unique<TacPopupBackgroundEntry>(std::move(entry)));
  return *entries_.back();
}

TacPopupBackgroundList& PopupBackgrounds() {
  static TacPopupBackgroundList list;
  return list;
}
