// Start to first paint under the platform: our program beside a plain Win32 window
// program, started in turns in the same run. A start has reached its first paint
// when the program's window is visible, has nothing left to paint (its update
// region is empty) and its client area on the screen is not one flat colour.
//   StartupBench.exe ROUNDS PROGRAM [ARGUMENT]   (the reference: PlainWindow.exe beside it)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "paint/acGdiHandles.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD Process;
  HWND Found = nullptr;
  long Area = 0;
};

// The process' largest visible top-level window with a caption.
BOOL CALLBACK Consider(HWND w, LPARAM lParam) {
  Search& s = *reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != s.Process || !IsWindowVisible(w)) return TRUE;
  RECT r;
  GetWindowRect(w, &r);
  const long area = static_cast<long>(r.right - r.left) * (r.bottom - r.top);
  if (area > s.Area) {
    s.Area = area;
    s.Found = w;
  }
  return TRUE;
}

// The client area as the screen shows it holds more than one colour.
bool ClientShowsSomething(HWND w) {
  RECT c;
  if (!GetClientRect(w, &c) || c.right <= 0 || c.bottom <= 0) return false;
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  TacWindowDC screen(nullptr);
  TacMemoryDC mem(screen.Get());
  TacBitmapHandle bitmap = NewCompatibleBitmap(screen.Get(), c.right, c.bottom);
  TacSelectObject selected(mem.Get(), bitmap.Get());
  BitBlt(mem.Get(), 0, 0, c.right, c.bottom, screen.Get(), origin.x, origin.y, SRCCOPY);
  const COLORREF first = GetPixel(mem.Get(), 0, 0);
  for (int y = 0; y < c.bottom; y += 3)
    for (int x = 0; x < c.right; x += 3)
      if (GetPixel(mem.Get(), x, y) != first) return true;
  return false;
}

// Milliseconds from the start of the process to its first paint; -1 when it did not
// come within 20 s.
double TimeToFirstPaint(const std::wstring& commandLine) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = commandLine;
  const double start = Now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double result = -1;
  while (Now() - start < 20) {
    Search s{pi.dwProcessId};
    EnumWindows(Consider, reinterpret_cast<LPARAM>(&s));
    if (s.Found && !GetUpdateRect(s.Found, nullptr, FALSE) && ClientShowsSomething(s.Found)) {
      result = (Now() - start) * 1000;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return result;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::printf("usage: StartupBench ROUNDS PROGRAM [ARGUMENT]\n");
    return 2;
  }
  const int rounds = std::max(1, _wtoi(argv[1]));
  std::wstring ours = Quoted(argv[2]);
  if (argc > 3) ours += L" " + Quoted(argv[3]);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring plain = self;
  plain = Quoted(plain.substr(0, plain.find_last_of(L"\\/") + 1) + L"PlainWindow.exe");
  // One start of each first, so that both find the platform's files in its caches.
  TimeToFirstPaint(plain);
  TimeToFirstPaint(ours);
  std::vector<double> oursTimes, plainTimes;
  for (int i = 0; i < rounds; ++i) {
    plainTimes.push_back(TimeToFirstPaint(plain));
    oursTimes.push_back(TimeToFirstPaint(ours));
  }
  for (double t : oursTimes)
    if (t < 0) {
      std::printf("our program showed no first paint within 20 s\n");
      return 1;
    }
  const double a = Median(oursTimes), b = Median(plainTimes);
  std::printf("start to first paint over %d rounds (median): ours %.1f ms, plain Win32 window %.1f ms, ratio %.2f "
              "(goal <= 1.3)\n",
              rounds, a, b, a / b);
  return 0;
}
