// The shipped program started with a badging tool that takes seconds: its window is
// up and painted while the tool still runs (the load no longer holds up the start).
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "paint/acGdiHandles.h"

#include <set>
#include <string>

#include "app/ScopedHandle.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"

namespace {

struct Found {
  DWORD pid;
  HWND wnd;
};

BOOL CALLBACK FindVisibleTopWindow(HWND wnd, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid == found->pid && IsWindowVisible(wnd) && GetWindowTextLengthW(wnd) > 0 && !GetParent(wnd)) {
    wchar_t title[128] = {};
    GetWindowTextW(wnd, title, 128);
    if (std::wstring(title).find(L"Preview 2") != std::wstring::npos) {
      found->wnd = wnd;
      return FALSE;
    }
  }
  return TRUE;
}

// The id of a running child of that executable name, or 0.
DWORD RunningChild(DWORD parent, const wchar_t* exeName) {
  ScopedHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W e = {};
  e.dwSize = sizeof(e);
  for (BOOL ok = Process32FirstW(snap.Get(), &e); ok; ok = Process32NextW(snap.Get(), &e))
    if (e.th32ParentProcessID == parent && _wcsicmp(e.szExeFile, exeName) == 0) return e.th32ProcessID;
  return 0;
}

// Distinct colours in the window's client area, read back from the screen.
size_t ClientColours(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  TacWindowDC screen(nullptr);
  std::set<COLORREF> colours;
  for (int y = 0; y < r.bottom; y += 3)
    for (int x = 0; x < r.right; x += 3) colours.insert(GetPixel(screen.Get(), origin.x + x, origin.y + y));
  return colours.size();
}

TEST(SlowBadgingStart, WindowIsShownAndPaintedBeforeTheToolEnds) {
  const std::string dir = ScratchDir("slow-start");
  ScopedEnv delay("PTQ_DELAY_MS", "8000");
  ScopedEnv log("PTQ_LOG", dir + "\\log.txt");
  std::string command = "\"" + BinaryPath("bin/ApkInstaller.exe") + "\" \"" +
                        SourcePath("tests/data/sample/VqSample.apk") + "\"";
  // The program and the tools it starts write nowhere near the test's own output.
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  ScopedHandle nul(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr));
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = nul.Get();
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
  ScopedHandle process(pi.hProcess), thread(pi.hThread);
  const DWORD start = GetTickCount();
  Found found{pi.dwProcessId, nullptr};
  size_t colours = 0;
  while (GetTickCount() - start < 6000) {
    found.wnd = nullptr;
    EnumWindows(&FindVisibleTopWindow, reinterpret_cast<LPARAM>(&found));
    if (found.wnd && (colours = ClientColours(found.wnd)) > 3) break;
    Sleep(50);
  }
  const DWORD shownAfter = GetTickCount() - start;
  const DWORD tool = RunningChild(pi.dwProcessId, L"PTQList.exe");
  ASSERT_NE(found.wnd, nullptr) << "no window within 6 s";
  EXPECT_GT(colours, 3u) << "the window is not painted";
  EXPECT_NE(tool, 0u) << "the badging tool had already ended";
  EXPECT_LT(shownAfter, 6000u);
  EXPECT_EQ(WaitForSingleObject(process.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));  // still up
  // End the program and the tool it started, both started by this test.
  TerminateProcess(process.Get(), 0);
  WaitForSingleObject(process.Get(), 5000);
  if (tool) {
    ScopedHandle toolProcess(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, tool));
    if (toolProcess.Valid()) {
      TerminateProcess(toolProcess.Get(), 0);
      WaitForSingleObject(toolProcess.Get(), 5000);
    }
  }
}

}  // namespace
