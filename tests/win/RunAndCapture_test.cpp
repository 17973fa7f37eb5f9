// The hidden-process runner against real child processes (the simulated phone
// tools, whose output a script file decides).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/InstallerError.h"
#include "app/RunAndCapture.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"

namespace {

std::string ToolPath(const char* tool) { return BinaryPath(std::string("bin/") + tool); }

std::string Pattern(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>('A' + i % 26);
  return s;
}

// Handles this process holds. Wine answers GetProcessHandleCount with 0, so the
// system-wide handle table is counted for our process id instead.
DWORD HandleCount() {
  DWORD n = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &n) && n > 0) return n;
  struct Entry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) break;
    if (buffer.size() > (64u << 20)) return 0;
    buffer.resize(buffer.size() * 2);
  }
  const Table* table = reinterpret_cast<const Table*>(buffer.data());
  for (ULONG i = 0; i < table->count; ++i)
    if (table->entries[i].ownerPid == GetCurrentProcessId()) ++n;
  return n;
}

TEST(RunAndCapture, ReturnsTheChildsBytesAsWritten) {
  const std::string dir = ScratchDir("run-bytes");
  struct Case { const char* name; std::string bytes; };
  const Case cases[] = {
      {"nothing", ""},
      {"no final line end", "Success"},
      {"exactly one chunk", Pattern(255)},
      {"more than one chunk", Pattern(256) + "\r\n" + Pattern(600)},
      {"long output", [] { std::string s; for (int i = 0; i < 5000; ++i) s += std::to_string(i) + " KB/s\r\n"; return s; }()},
      {"GBK bytes", "安装失败!\r\n"},
      {"bare CR and LF", "a\rb\nc\r\n"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir + "\\script.txt", c.bytes);
    ScopedEnv script("PTQ_SCRIPT", dir + "\\script.txt");
    EXPECT_EQ(RunAndCapture(ToolPath("PTQApk") + " install -r \"x.apk\"", dir), c.bytes) << c.name;
  }
}

TEST(RunAndCapture, StandardErrorIsCapturedToo) {
  const std::string dir = ScratchDir("run-stderr");
  WriteBytes(dir + "\\out.txt", "to stdout\r\n");
  WriteBytes(dir + "\\err.txt", "to stderr\r\n");
  ScopedEnv script("PTQ_SCRIPT", dir + "\\out.txt");
  ScopedEnv err("PTQ_STDERR", dir + "\\err.txt");
  EXPECT_EQ(RunAndCapture(ToolPath("PTQList") + " d badging \"x.apk\"", dir), "to stdout\r\nto stderr\r\n");
}

TEST(RunAndCapture, ZeroByteCutsOnlyItsChunk) {
  const std::string dir = ScratchDir("run-nul");
  // Written at once, so the first read takes 255 bytes: the zero at byte 10
  // drops bytes 10..254; the second chunk arrives whole.
  std::string bytes = Pattern(300);
  bytes[10] = '\0';
  WriteBytes(dir + "\\script.txt", bytes);
  ScopedEnv script("PTQ_SCRIPT", dir + "\\script.txt");
  EXPECT_EQ(RunAndCapture(ToolPath("PTQApk") + " start-server", dir), bytes.substr(0, 10) + bytes.substr(255));

  WriteBytes(dir + "\\script.txt", std::string("ab\0cd\r\n", 7));
  EXPECT_EQ(RunAndCapture(ToolPath("PTQApk") + " start-server", dir), "ab");
}

TEST(RunAndCapture, RunsInTheWorkingDirectory) {
  const std::string dir = ScratchDir("run-workdir");
  WriteBytes(dir + "\\relative.txt", "found relative to the working folder");
  ScopedEnv script("PTQ_SCRIPT", "relative.txt");
  EXPECT_EQ(RunAndCapture(ToolPath("PTQApk") + " kill-server", dir), "found relative to the working folder");
}

TEST(RunAndCapture, UnquotedToolInAFolderWithBlanks) {
  const std::string dir = ScratchDir("run with blanks") + "\\tool folder";
  ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA((ToolPath("PTQList") + ".exe").c_str(), (dir + "\\PTQList.exe").c_str(), FALSE));
  const std::string log = dir + "\\log.txt";
  ScopedEnv logEnv("PTQ_LOG", log);
  const std::string command = dir + "\\PTQList d badging \"" + SourcePath("tests/data/sample/VqSample.apk") + "\"";
  const std::string output = RunAndCapture(command, dir + "\\");
  EXPECT_NE(output.find("package: name='com.boting.sample'"), std::string::npos) << output;
  // Wine hands the child the resolved program path in quotes; Windows passes the line as it is.
  const std::string quoted = "\"" + dir + "\\PTQList\"" + command.substr(dir.size() + 8);
  const std::string logged = ReadBytes(log);
  EXPECT_TRUE(logged == command + "\r\n" || logged == quoted + "\r\n") << logged;
}

TEST(RunAndCapture, MissingToolRaisesAndLeavesNoHandleOpen) {
  const std::string dir = ScratchDir("run-missing");
  struct Case { std::string command, workDir; };
  const Case failing[] = {
      {dir + "\\PTQNone d badging \"x.apk\"", dir},
      {"", dir},
      {dir + "\\", dir},
      {ToolPath("PTQApk") + " kill-server", dir + "\\no such folder"},
  };
  auto runAll = [&] {
    for (const Case& c : failing) {
      try {
        RunAndCapture(c.command, c.workDir);
        ADD_FAILURE() << "no error for " << c.command;
      } catch (const EInstallerError& e) {
        EXPECT_EQ(std::string(e.what()), "命令错误!") << c.command;
      }
    }
    RunAndCapture(ToolPath("PTQApk") + " kill-server", dir);
  };
  runAll();  // the system opens some handles of its own on first use
  const DWORD before = HandleCount();
  ASSERT_GT(before, 0u);
  for (int round = 0; round < 3; ++round) runAll();
  EXPECT_EQ(HandleCount(), before);
}

TEST(RunAndCapture, TwoRunsOverlapOnTwoThreads) {
  const std::string dir = ScratchDir("run-overlap");
  const std::string barrier = dir + "\\barrier";
  ASSERT_TRUE(CreateDirectoryA(barrier.c_str(), nullptr));
  std::string apkBytes, listBytes;
  for (int i = 0; i < 3000; ++i) {
    apkBytes += "apk line " + std::to_string(i) + "\r\n";
    listBytes += "list line " + std::to_string(i) + "\n";
  }
  WriteBytes(dir + "\\apk.txt", apkBytes);
  WriteBytes(dir + "\\list.txt", listBytes);
  ScopedEnv apkScript("PTQAPK_SCRIPT", dir + "\\apk.txt");
  ScopedEnv listScript("PTQLIST_SCRIPT", dir + "\\list.txt");
  // Each child waits until both are alive: serialised runs would time out.
  ScopedEnv barrierEnv("PTQ_BARRIER", barrier);
  ScopedEnv barrierCount("PTQ_BARRIER_COUNT", "2");
  std::string apkOut, listOut;
  std::thread worker([&] { apkOut = RunAndCapture(ToolPath("PTQApk") + " install -r \"a.apk\"", dir); });
  listOut = RunAndCapture(ToolPath("PTQList") + " d badging \"a.apk\"", dir);
  worker.join();
  EXPECT_EQ(apkOut, apkBytes);
  EXPECT_EQ(listOut, listBytes);
}

LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) ++*reinterpret_cast<int*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  return DefWindowProcA(wnd, msg, wp, lp);
}

TEST(RunAndCapture, ProcessesPendingMessagesFirstAndKeepsAQuitRequest) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VqRunAndCaptureTest";
  RegisterClassA(&wc);
  HWND wnd = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);
  int seen = 0;
  SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
  PostMessageA(wnd, WM_APP, 0, 0);
  PostMessageA(wnd, WM_APP, 0, 0);
  PostQuitMessage(7);
  const std::string dir = ScratchDir("run-messages");
  RunAndCapture(ToolPath("PTQApk") + " kill-server", dir);
  EXPECT_EQ(seen, 2);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(wnd);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

}  // namespace
