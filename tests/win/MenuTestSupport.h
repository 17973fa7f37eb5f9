// What the popup-menu tests share: running steps while a real popup menu is up (the
// platform's menu loop is modal, but it dispatches timers, so a thread timer takes
// each step in turn), the popup windows on the screen, keys to the menu, and a
// popup's pixels as they are on the screen.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/vclMenus.h"
#include "paint/acBlockCopy.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/sItemPaint.h"
#include "skin/sSkinModel.h"
#include "support/WinPixels.h"

namespace menutest {

// One popup-menu window of this thread that is visible goes to the list.
inline BOOL CALLBACK CollectPopup(HWND w, LPARAM out) {
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
  return TRUE;
}

// The visible popup-menu windows of this thread, topmost first (a stdcall callback:
// the i686 build has no lambda conversion to one).
inline std::vector<HWND> VisiblePopups() {
  std::vector<HWND> found;
  EnumWindows(&CollectPopup, reinterpret_cast<LPARAM>(&found));
  return found;
}

// One step while the menu is up; answers true when done (false: call again).
using TStep = std::function<bool(const std::vector<HWND>& popups)>;

// A step that waits n ticks (for the menu loop to handle keys and repaint).
inline TStep Ticks(int n) {
  auto left = std::make_shared<int>(n);
  return [left](const std::vector<HWND>&) { return --*left <= 0; };
}

struct TSession {
  std::vector<TStep> Steps;
  size_t Next = 0;
  DWORD Deadline = 0;
  bool Ended = false;
};

inline TSession*& CurrentSession() {
  static TSession* session = nullptr;
  return session;
}

inline void CALLBACK SessionTick(HWND, UINT, UINT_PTR, DWORD) {
  TSession* s = CurrentSession();
  if (!s || s->Ended) return;
  if (GetTickCount() > s->Deadline) {
    s->Ended = true;
    EndMenu();
    return;
  }
  const std::vector<HWND> popups = VisiblePopups();
  if (popups.empty()) return;
  if (s->Next < s->Steps.size() && s->Steps[s->Next](popups)) ++s->Next;
  if (s->Next >= s->Steps.size()) {
    s->Ended = true;
    EndMenu();
  }
}

// Calls `show` (which pops a menu up and returns when it closes) and takes the steps
// while it is up; the menu is closed after the last step, or after `ms` in any case.
// True when every step was done.
inline bool WhileMenuOpen(const std::function<void()>& show, std::vector<TStep> steps, DWORD ms = 8000) {
  TSession session;
  session.Steps = std::move(steps);
  session.Deadline = GetTickCount() + ms;
  CurrentSession() = &session;
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, &SessionTick);
  show();
  KillTimer(nullptr, timer);
  CurrentSession() = nullptr;
  return session.Next == session.Steps.size();
}

// A key as the menu loop reads it from the queue.
inline void Key(HWND popup, UINT vk) {
  PostMessageW(popup, WM_KEYDOWN, vk, 1);
  PostMessageW(popup, WM_KEYUP, vk, 0xC0000001);
}

// The popup window's pixels as the screen shows them (24 bits), after its paints.
inline TacBitmapPtr PopupPixels(HWND popup) { return ScreenAround(popup); }

// The visible items of a parent in the platform menu's order.
inline std::vector<TMenuItem*> VisibleItems(const TMenuItem* parent) {
  std::vector<TMenuItem*> items;
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible) items.push_back(parent->Items(i));
  return items;
}

// An item's rectangle in its popup window's coordinates (-1 rectangle when unknown).
inline RECT ItemRectInPopup(const TPopupMenu& menu, const TMenuItem* item, HWND popup) {
  RECT r{-1, -1, -1, -1};
  const TMenuItem* parent = item->Parent();
  HMENU handle = menu.HandleOf(parent);
  const std::vector<TMenuItem*> items = VisibleItems(parent);
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == item && handle && GetMenuItemRect(nullptr, handle, static_cast<UINT>(i), &r)) {
      RECT wr;
      GetWindowRect(popup, &wr);
      OffsetRect(&r, -wr.left, -wr.top);
    }
  return r;
}

// Dark pixels (text and glyph ink) of b inside r.
inline bool IsInk(const TacBitmap& b, int x, int y) {
  const uint32_t c = Rgb(b, x, y);
  return (c & 0xFF) < 0xA0 && ((c >> 8) & 0xFF) < 0xA0 && ((c >> 16) & 0xFF) < 0xA0;
}
inline RECT InkBox(const TacBitmap& b, const RECT& r) {
  RECT box{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (IsInk(b, x, y)) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

// The client area's origin in the popup window (the platform's frame outside it).
inline POINT ClientOrigin(HWND popup) {
  RECT wr;
  GetWindowRect(popup, &wr);
  POINT o{0, 0};
  ClientToScreen(popup, &o);
  return POINT{o.x - wr.left, o.y - wr.top};
}

// Pixels of a popup as shown that differ from what its cached background and the
// item painting give at the same place: the frame and every item come from the
// background, the selected item is the "MENUITEM" hot painting over it. Text is left
// out (an item's rows from its caption on), and so is the icon column of items in
// `withGlyph`; so are pixels outside the window region.
inline int PopupDifferences(const TPopupMenu& menu, const TMenuItem* parent, HWND popup, const TacBitmap& shown,
                            const TacBitmap& cache, const TMenuItem* selected, const TsSkinModel& skin,
                            const std::vector<const TMenuItem*>& withGlyph, std::string* first) {
  TacRegionHandle region = NewRectRegion(0, 0, 0, 0);
  const bool shaped = GetWindowRgn(popup, region.Get()) != ERROR;
  // What each window pixel should be, item pictures over the background.
  TacBitmapPtr expected = NewMemoryBitmap(cache.Width(), cache.Height(), TacPixelFormat::pf24bit);
  CopyBitmapRect(expected.get(), 0, 0, &cache, TacRect{0, 0, cache.Width(), cache.Height()});
  std::vector<RECT> skipped;
  for (const TMenuItem* item : VisibleItems(parent)) {
    const RECT r = ItemRectInPopup(menu, item, popup);
    if (r.left < 0) continue;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (item == selected) {
      TacBitmapPtr t = NewMemoryBitmap(w, h, TacPixelFormat::pf24bit);
      const int section = skin.GetSkinIndex("MENUITEM");
      PaintItem(section, "MENUITEM", ParentImageFromBitmap(&cache, 0, 0), -1, -1, &skin, t.get(),
                TacPoint{r.left, r.top}, TacRect{0, 0, w, h}, 1, true);
      CopyBitmapRect(expected.get(), r.left, r.top, t.get(), TacRect{0, 0, w, h});
    }
    // A divider's line (its own pixels are checked where it is tested) and an item's text.
    if (item->Caption == "-")
      skipped.push_back(RECT{r.left + 24, r.top, r.right - 2, r.bottom});
    else
      skipped.push_back(RECT{r.left + 25, r.top + 1, r.right - 5, r.bottom - 1});
    if (std::find(withGlyph.begin(), withGlyph.end(), item) != withGlyph.end())
      skipped.push_back(RECT{r.left + 1, r.top + 1, r.left + 30, r.bottom - 1});
  }
  int n = 0;
  for (int y = 0; y < shown.Height() && y < cache.Height(); ++y)
    for (int x = 0; x < shown.Width() && x < cache.Width(); ++x) {
      if (shaped && !PtInRegion(region.Get(), x, y)) continue;
      bool skip = false;
      for (const RECT& s : skipped) skip = skip || (x >= s.left && x < s.right && y >= s.top && y < s.bottom);
      if (skip || Rgb(shown, x, y) == Rgb(*expected, x, y)) continue;
      if (n++ == 0 && first) {
        char text[96];
        std::snprintf(text, sizeof text, "(%d,%d): shown %06X, expected %06X", x, y, Rgb(shown, x, y),
                      Rgb(*expected, x, y));
        *first = text;
      }
    }
  return n;
}

}  // namespace menutest
