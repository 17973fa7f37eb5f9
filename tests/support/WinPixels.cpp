#include "support/WinPixels.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "framework/vclApplication.h"
#include "framework/vclWinControl.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Application->ProcessMessages();
    Sleep(1);
  }
  return true;
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

bool ClickUntil(HWND target, POINT p, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    // Another test's window may have come over ours: ours goes to the top again.
    SetForegroundWindow(target);
    BringWindowToTop(target);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SetCursorPos(p.x, p.y);
    PumpFor(40);
    SetCursorPos(p.x, p.y);
    SendInput(1, &in[0], sizeof(INPUT));
    PumpFor(40);
    SetCursorPos(p.x, p.y);
    SendInput(1, &in[1], sizeof(INPUT));
    if (PumpUntil(done, 700)) return true;
  }
  return false;
}

uint32_t Rgb(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

TacBitmapPtr ScreenPixels(HWND wnd) {
  UpdateWindow(wnd);
  GdiFlush();
  RECT rc;
  GetClientRect(wnd, &rc);
  TacBitmapPtr out = NewDibBitmap(rc.right, rc.bottom, TacPixelFormat::pf24bit);
  if (!out) return out;
  TacWindowDC dc(wnd);
  TacMemoryDC mem(dc.Get());
  TacSelectObject sel(mem.Get(), static_cast<HBITMAP>(out->Handle()));
  BitBlt(mem.Get(), 0, 0, rc.right, rc.bottom, dc.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return out;
}

TacBitmapPtr ScreenPixels(TWinControl* control) { return ScreenPixels(control->Handle()); }

TacBitmapPtr ScreenAround(HWND wnd, int margin) {
  UpdateWindow(wnd);
  GdiFlush();
  RECT r;
  GetWindowRect(wnd, &r);
  InflateRect(&r, margin, margin);
  TacBitmapPtr out = NewDibBitmap(r.right - r.left, r.bottom - r.top, TacPixelFormat::pf24bit);
  if (!out) return out;
  TacWindowDC screen(nullptr);
  TacMemoryDC mem(screen.Get());
  TacSelectObject sel(mem.Get(), static_cast<HBITMAP>(out->Handle()));
  BitBlt(mem.Get(), 0, 0, out->Width(), out->Height(), screen.Get(), r.left, r.top, SRCCOPY);
  GdiFlush();
  return out;
}

bool WritePng(const std::string& path, const TacBitmap& b) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(b.Width()), static_cast<png_uint_32>(b.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(b.Width()) * 3);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const uint8_t* p = b.Pixel(x, y);
      row[x * 3] = p[2], row[x * 3 + 1] = p[1], row[x * 3 + 2] = p[0];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

std::string PictureDir(const std::string& name) {
  const std::string dir = std::string(VQ_BINARY_DIR) + "/" + name;
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

namespace {
BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
}  // namespace

int ThreadWindowCount() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}
