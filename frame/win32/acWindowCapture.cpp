#include "frame/acWindowCapture.h"

#include <algorithm>

#include "controls/sCommonData.h"
#include "paint/acGdiHandles.h"

namespace {

void CopyCache(TacBitmap& to, const TacBitmap& cache) {
  const int w = std::min(to.Width(), cache.Width()), h = std::min(to.Height(), cache.Height());
  const int from = cache.BytesPerPixel();
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = cache.Row(y);
    uint8_t* d = to.Row(y);
    for (int x = 0; x < w; ++x, s += from, d += 4) {
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
      d[3] = from == 4 ? s[3] : 255;
    }
  }
}

void MakeOpaque(TacBitmap& b, RECT r) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, b.Width());
  r.bottom = std::min<LONG>(r.bottom, b.Height());
  for (int y = r.top; y < r.bottom; ++y) {
    uint8_t* p = b.Row(y) + 4 * r.left;
    for (int x = r.left; x < r.right; ++x, p += 4) p[3] = 255;
  }
}

// Prints the visible windowed children of `parent`, bottom of the z-order first, each
// with the DC's origin at its place and then its own children over it.
void PrintChildren(HDC dc, HWND parent, POINT origin) {
  for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
    // Its own visible bit: the window being captured may be hidden already.
    if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    const POINT at{origin.x + r.left, origin.y + r.top};
    {
      TacSavedDcState saved(dc);
      SetViewportOrgEx(dc, at.x, at.y, nullptr);
      IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
      SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    }
    // The client origin of the child: a child with its own border prints that too.
    POINT client{0, 0};
    ClientToScreen(child, &client);
    RECT wr;
    GetWindowRect(child, &wr);
    PrintChildren(dc, child, POINT{at.x + client.x - wr.left, at.y + client.y - wr.top});
  }
}

}  // namespace

TacBitmapPtr CaptureWindowImage(const TacBitmap& cache, TWinControl* form, TacPoint clientOffset) {
  if (!form || !form->HandleAllocated() || cache.Width() <= 0 || cache.Height() <= 0) return nullptr;
  TacBitmapPtr image = NewBitmap32(cache.Width(), cache.Height());
  if (!image || !image->Handle()) return nullptr;
  CopyCache(*image, cache);
  RECT client;
  GetClientRect(form->Handle(), &client);
  OffsetRect(&client, clientOffset.X, clientOffset.Y);
  TacMemoryDC dc(nullptr);
  if (dc) {
    TacSelectObject selected(dc.Get(), static_cast<HBITMAP>(image->Handle()));
    const bool wasActive = AnimationCaptureActive;
    HDC wasDC = AnimationCaptureDC;
    AnimationCaptureActive = true;
    AnimationCaptureDC = dc.Get();
    {
      TacSavedDcState saved(dc.Get());
      IntersectClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
      PaintGraphicChildren(dc.Get(), form, POINT{clientOffset.X, clientOffset.Y});
      PrintChildren(dc.Get(), form->Handle(), POINT{clientOffset.X, clientOffset.Y});
    }
    AnimationCaptureDC = wasDC;
    AnimationCaptureActive = wasActive;
  }
  GdiFlush();
  // GDI leaves the alpha of what it drew at 0: a frame without alpha is opaque as a
  // whole, one with a shadow keeps its own alpha outside the client area.
  MakeOpaque(*image, cache.BytesPerPixel() == 4 ? client : RECT{0, 0, image->Width(), image->Height()});
  return image;
}
