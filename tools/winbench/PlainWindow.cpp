// The reference of the start-up benchmark: a plain Win32 program with a window of
// the main window's size that shows the same kind of text (Chinese in Tahoma, so the
// platform's font fallback is paid for too) with the platform's own frame and painting.
#include <windows.h>

#include "paint/acGdiHandles.h"

namespace {

LRESULT CALLBACK WindowProcedure(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      TacPaintDC dc(w);
      LOGFONTW lf{};
      lf.lfHeight = -12;
      lf.lfCharSet = DEFAULT_CHARSET;
      lstrcpyW(lf.lfFaceName, L"Tahoma");
      const TacFontHandle font = NewFont(lf);
      TacSelectObject selected(dc.Get(), font.Get());
      SetBkMode(dc.Get(), TRANSPARENT);
      RECT r{20, 20, 460, 60};
      DrawTextW(dc.Get(), L"软件信息 -- 应用包名: com.boting.sample", -1, &r, DT_LEFT | DT_SINGLELINE);
      r = RECT{20, 60, 460, 100};
      DrawTextW(dc.Get(), L"准备就绪,请点击\"安装\"按钮将软件安装到手机.", -1, &r, DT_LEFT | DT_SINGLELINE);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(w, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"VqPlainWindow";
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, wc.lpszClassName, L"铂蜓APK应用安装器", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           CW_USEDEFAULT, CW_USEDEFAULT, 480, 311, nullptr, nullptr, instance, nullptr);
  ShowWindow(w, show);
  UpdateWindow(w);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
