// Owners of GDI and USER objects: every object the program creates is made and freed
// here, so it is freed on every path and counted while it lives. The counts are
// process-wide and kept in every build: Wine's GetGuiResources answers 0, and a
// leak check that cannot see a leak is no check. No other file calls the platform's
// create, delete, get-DC, release-DC or select functions itself
// (scripts/check-raw-gdi.sh fails the build's tests when one does).
#pragma once

#include <windows.h>

#include <atomic>
#include <cstring>
#include <utility>
#include <vector>

enum class TacGdiKind { Bitmap, Brush, Pen, Font, Region, MemoryDC, WindowDC, PaintDC, Menu, Icon, Count };

// Objects of a kind made through these owners and not yet freed.
inline std::atomic<long>& GdiLiveCounter(TacGdiKind kind) {
  static std::atomic<long> counters[static_cast<int>(TacGdiKind::Count)];
  return counters[static_cast<int>(kind)];
}
inline long GdiLiveCount(TacGdiKind kind) { return GdiLiveCounter(kind).load(); }
inline long GdiLiveCountAll() {
  long n = 0;
  for (int k = 0; k < static_cast<int>(TacGdiKind::Count); ++k) n += GdiLiveCount(static_cast<TacGdiKind>(k));
  return n;
}

struct TacDeleteGdiObject {
  static void Free(HGDIOBJ h) { ::DeleteObject(h); }
};
struct TacDestroyMenu {
  static void Free(HMENU h) { ::DestroyMenu(h); }
};
struct TacDestroyIcon {
  static void Free(HICON h) { ::DestroyIcon(h); }
};

// Sole owner of one object; movable, not copyable.
template <class H, TacGdiKind Kind, class Freer>
class TacGdiHandle {
 public:
  TacGdiHandle() = default;
  // Takes a freshly made object (null: none).
  explicit TacGdiHandle(H h) : h_(h) {
    if (h_) ++GdiLiveCounter(Kind);
  }
  ~TacGdiHandle() { Reset(); }
  TacGdiHandle(TacGdiHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  TacGdiHandle& operator=(TacGdiHandle&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  TacGdiHandle(const TacGdiHandle&) = delete;
  TacGdiHandle& operator=(const TacGdiHandle&) = delete;

  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset() {
    if (!h_) return;
    Freer::Free(h_);
    h_ = nullptr;
    --GdiLiveCounter(Kind);
  }
  // Hands the object to an owner outside these wrappers (a bitmap record that frees
  // through a callback). It stays counted: that owner gives it back with Reclaim.
  H Release() { return std::exchange(h_, nullptr); }
  // Takes back an object handed out by Release, to free it.
  static TacGdiHandle Reclaim(H h) {
    TacGdiHandle owner;
    owner.h_ = h;
    return owner;
  }

 private:
  H h_ = nullptr;
};

using TacBitmapHandle = TacGdiHandle<HBITMAP, TacGdiKind::Bitmap, TacDeleteGdiObject>;
using TacBrushHandle = TacGdiHandle<HBRUSH, TacGdiKind::Brush, TacDeleteGdiObject>;
using TacPenHandle = TacGdiHandle<HPEN, TacGdiKind::Pen, TacDeleteGdiObject>;
using TacFontHandle = TacGdiHandle<HFONT, TacGdiKind::Font, TacDeleteGdiObject>;
using TacRegionHandle = TacGdiHandle<HRGN, TacGdiKind::Region, TacDeleteGdiObject>;
using TacMenuHandle = TacGdiHandle<HMENU, TacGdiKind::Menu, TacDestroyMenu>;
using TacIconHandle = TacGdiHandle<HICON, TacGdiKind::Icon, TacDestroyIcon>;

// The ways objects are made.
inline TacBrushHandle NewSolidBrush(COLORREF color) { return TacBrushHandle(::CreateSolidBrush(color)); }
inline TacPenHandle NewPen(int style, int width, COLORREF color) {
  return TacPenHandle(::CreatePen(style, width, color));
}
inline TacFontHandle NewFont(const LOGFONTW& description) { return TacFontHandle(::CreateFontIndirectW(&description)); }
inline TacRegionHandle NewRectRegion(int left, int top, int right, int bottom) {
  return TacRegionHandle(::CreateRectRgn(left, top, right, bottom));
}
// A region made of rectangles (band order, as a platform-free region lists them);
// an empty list gives an empty region.
inline TacRegionHandle NewRegionFromRects(const RECT* rects, DWORD count) {
  if (count == 0) return NewRectRegion(0, 0, 0, 0);
  std::vector<unsigned char> buffer(sizeof(RGNDATAHEADER) + sizeof(RECT) * count);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = count;
  data->rdh.nRgnSize = static_cast<DWORD>(sizeof(RECT) * count);
  RECT bounds = rects[0];
  for (DWORD i = 0; i < count; ++i) {
    UnionRect(&bounds, &bounds, &rects[i]);
    std::memcpy(data->Buffer + sizeof(RECT) * i, &rects[i], sizeof(RECT));
  }
  data->rdh.rcBound = bounds;
  return TacRegionHandle(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}
// Hands a region to a window, which owns it from then on (it leaves the counts);
// a null region removes the window's region. False when the window refused it
// (the region is then freed here).
inline bool SetWindowRegion(HWND window, TacRegionHandle region, bool redraw) {
  HRGN h = region.Release();
  if (!::SetWindowRgn(window, h, redraw ? TRUE : FALSE)) {
    if (h) TacRegionHandle::Reclaim(h);
    return false;
  }
  if (h) --GdiLiveCounter(TacGdiKind::Region);
  return true;
}
inline TacBitmapHandle NewDibSection(const BITMAPINFO& info, void** bits) {
  return TacBitmapHandle(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}
inline TacBitmapHandle NewCompatibleBitmap(HDC dc, int width, int height) {
  return TacBitmapHandle(::CreateCompatibleBitmap(dc, width, height));
}
inline TacMenuHandle NewPopupMenu() { return TacMenuHandle(::CreatePopupMenu()); }
inline TacIconHandle NewIcon(ICONINFO& info) { return TacIconHandle(::CreateIconIndirect(&info)); }

// Base of the device-context scopes: one DC, not copyable, counted while held.
template <TacGdiKind Kind>
class TacDcScope {
 public:
  TacDcScope(const TacDcScope&) = delete;
  TacDcScope& operator=(const TacDcScope&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 protected:
  explicit TacDcScope(HDC dc) : dc_(dc) {
    if (dc_) ++GdiLiveCounter(Kind);
  }
  ~TacDcScope() {
    if (dc_) --GdiLiveCounter(Kind);
  }
  HDC dc_;
};

// A memory DC compatible with `dc` (null: the screen), deleted on exit.
class TacMemoryDC : public TacDcScope<TacGdiKind::MemoryDC> {
 public:
  explicit TacMemoryDC(HDC compatible) : TacDcScope(::CreateCompatibleDC(compatible)) {}
  ~TacMemoryDC() {
    if (dc_) ::DeleteDC(dc_);
  }
};

// The DC of a window's client area (null: the screen), released on exit.
class TacWindowDC : public TacDcScope<TacGdiKind::WindowDC> {
 public:
  explicit TacWindowDC(HWND window) : TacDcScope(::GetDC(window)), window_(window) {}
  ~TacWindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }

 private:
  HWND window_;
};

// The DC of a whole window, frame included (GetWindowDC), released on exit.
class TacWholeWindowDC : public TacDcScope<TacGdiKind::WindowDC> {
 public:
  explicit TacWholeWindowDC(HWND window) : TacDcScope(::GetWindowDC(window)), window_(window) {}
  ~TacWholeWindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }

 private:
  HWND window_;
};

// BeginPaint ... EndPaint of one WM_PAINT.
class TacPaintDC : public TacDcScope<TacGdiKind::PaintDC> {
 public:
  explicit TacPaintDC(HWND window) : TacDcScope(::BeginPaint(window, &paint_)), window_(window) {}
  ~TacPaintDC() {
    if (dc_) ::EndPaint(window_, &paint_);
  }
  const PAINTSTRUCT& Paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
};

// Selects an object into a DC for a scope and puts the previous one back.
class TacSelectObject {
 public:
  TacSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? ::SelectObject(dc, object) : nullptr) {}
  ~TacSelectObject() {
    if (old_) ::SelectObject(dc_, old_);
  }
  TacSelectObject(const TacSelectObject&) = delete;
  TacSelectObject& operator=(const TacSelectObject&) = delete;
  // The object that was selected before.
  HGDIOBJ Previous() const { return old_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the DC's drawing state (selected objects, clipping, origins, colours) for a
// scope and restores it afterwards.
class TacSavedDcState {
 public:
  explicit TacSavedDcState(HDC dc) : dc_(dc), saved_(dc ? ::SaveDC(dc) : 0) {}
  ~TacSavedDcState() {
    if (saved_) ::RestoreDC(dc_, saved_);
  }
  TacSavedDcState(const TacSavedDcState&) = delete;
  TacSavedDcState& operator=(const TacSavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};
