// Waits for a top-level window, optionally until one of its child windows shows a
// given text, lets it finish painting, writes the window's pixels (as they are on
// the screen) to a PNG file and optionally closes the window.
//
// usage: WindowShot TITLE OUTPUT.png [--wait-child TEXT] [--wait-enabled TEXT]
//                   [--timeout SECONDS] [--margin PIXELS] [--close]
// --margin takes that much of the screen around the window too (its shadow).
// TITLE and TEXT are matched as substrings of the window texts; --wait-enabled also
// waits until the child window of exactly that text is enabled (a button that comes
// on once a package has loaded, for example).
#include <windows.h>
#include <shellapi.h>

#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "paint/acGdiHandles.h"

namespace {

std::string ToAnsi(const wchar_t* w) {
  int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
  if (n > 1) WideCharToMultiByte(CP_ACP, 0, w, -1, &s[0], n, nullptr, nullptr);
  return s;
}

std::wstring WindowText(HWND h) {
  wchar_t buf[1024];
  int n = GetWindowTextW(h, buf, 1024);
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

struct Search {
  std::wstring text;
  HWND found = nullptr;
  bool exact = false;
};

BOOL CALLBACK FindTop(HWND h, LPARAM lp) {
  Search* s = reinterpret_cast<Search*>(lp);
  if (IsWindowVisible(h) && WindowText(h).find(s->text) != std::wstring::npos) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindChild(HWND h, LPARAM lp) {
  Search* s = reinterpret_cast<Search*>(lp);
  const std::wstring text = WindowText(h);
  if (s->exact ? text == s->text : text.find(s->text) != std::wstring::npos) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

bool WritePng(const char* path, int w, int h, const std::vector<uint8_t>& bgra) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = &bgra[static_cast<size_t>(y) * w * 4];
    for (int x = 0; x < w; ++x) {
      row[x * 3 + 0] = s[x * 4 + 2];
      row[x * 3 + 1] = s[x * 4 + 1];
      row[x * 3 + 2] = s[x * 4 + 0];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

}  // namespace

int main() {
  // Arguments as UTF-16: the titles are Chinese whatever the console's code page.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) {
    std::fprintf(stderr, "usage: WindowShot TITLE OUTPUT.png [--wait-child TEXT] [--wait-enabled TEXT] "
                         "[--timeout SECONDS] [--margin PIXELS] [--close]\n");
    return 2;
  }
  Search top{argv[1]};
  std::string outputPath = ToAnsi(argv[2]);
  const char* output = outputPath.c_str();
  std::wstring childText;
  bool enabled = false;
  int timeout = 60;
  bool close = false;
  int margin = 0;
  for (int i = 3; i < argc; ++i) {
    if (!wcscmp(argv[i], L"--wait-child") && i + 1 < argc) childText = argv[++i];
    else if (!wcscmp(argv[i], L"--wait-enabled") && i + 1 < argc) childText = argv[++i], enabled = true;
    else if (!wcscmp(argv[i], L"--timeout") && i + 1 < argc) timeout = _wtoi(argv[++i]);
    else if (!wcscmp(argv[i], L"--margin") && i + 1 < argc) margin = _wtoi(argv[++i]);
    else if (!wcscmp(argv[i], L"--close")) close = true;
  }
  DWORD deadline = GetTickCount() + static_cast<DWORD>(timeout) * 1000;
  for (;;) {
    top.found = nullptr;
    EnumWindows(&FindTop, reinterpret_cast<LPARAM>(&top));
    if (top.found) {
      if (childText.empty()) break;
      Search child{childText, nullptr, enabled};
      EnumChildWindows(top.found, &FindChild, reinterpret_cast<LPARAM>(&child));
      if (child.found && (!enabled || IsWindowEnabled(child.found))) break;
    }
    if (GetTickCount() > deadline) {
      std::fprintf(stderr, "WindowShot: window not found or text not shown within %d s\n", timeout);
      return 1;
    }
    Sleep(100);
  }
  HWND hwnd = top.found;
  // The window's thread has handled everything before this message once it answers.
  DWORD_PTR ignored;
  SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  Sleep(300);

  RECT r;
  GetWindowRect(hwnd, &r);
  InflateRect(&r, margin, margin);
  RECT desk;
  GetWindowRect(GetDesktopWindow(), &desk);
  IntersectRect(&r, &r, &desk);
  int w = r.right - r.left, h = r.bottom - r.top;
  TacWindowDC screen(nullptr);
  TacMemoryDC mem(screen.Get());
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const TacBitmapHandle dib = NewDibSection(bi, &bits);
  if (!dib || !bits) {
    std::fprintf(stderr, "WindowShot: no bitmap of %dx%d\n", w, h);
    return 1;
  }
  std::vector<uint8_t> pixels;
  {
    TacSelectObject picture(mem.Get(), dib.Get());
    BitBlt(mem.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    pixels.assign(static_cast<const uint8_t*>(bits), static_cast<const uint8_t*>(bits) + size_t(w) * h * 4);
  }
  bool ok = WritePng(output, w, h, pixels);
  if (close) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (!ok) {
    std::fprintf(stderr, "WindowShot: cannot write %s\n", output);
    return 1;
  }
  std::printf("WindowShot: %dx%d written to %s\n", w, h, output);
  return 0;
}
