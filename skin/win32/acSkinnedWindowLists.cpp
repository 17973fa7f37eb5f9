#include "skin/acSkinnedWindowLists.h"

#include <algorithm>

namespace {
std::vector<TForm*>& ProviderFormList() {
  static std::vector<TForm*> list;
  return list;
}
std::vector<HWND>& AdaptedWindowList() {
  static std::vector<HWND> list;
  return list;
}

template <class T>
void AddOnce(std::vector<T>& list, T item) {
  if (item && std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}
template <class T>
void RemoveItem(std::vector<T>& list, T item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
}  // namespace

void RegisterProviderForm(TForm* form) { AddOnce(ProviderFormList(), form); }
void UnregisterProviderForm(TForm* form) { RemoveItem(ProviderFormList(), form); }
const std::vector<TForm*>& ProviderForms() { return ProviderFormList(); }

void RegisterAdaptedWindow(HWND wnd) { AddOnce(AdaptedWindowList(), wnd); }
void UnregisterAdaptedWindow(HWND wnd) { RemoveItem(AdaptedWindowList(), wnd); }
const std::vector<HWND>& AdaptedWindows() { return AdaptedWindowList(); }
