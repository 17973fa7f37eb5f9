#include "app/RunAndCapture.h"

#include <windows.h>

#include <vector>

#include "app/InstallerError.h"
#include "app/ScopedHandle.h"
#include "framework/vclText.h"

namespace {

// Lets the window repaint before the caller blocks. A quit request is put back
// so that the message loop still sees it.
void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Reads what is there without blocking past the deadline. False once the pipe
// is broken (every writer closed) or the deadline has passed.
bool ReadChunk(HANDLE readEnd, char* buffer, DWORD& got, DWORD deadline, bool& timedOut) {
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) return false;
    if (available > 0) return ReadFile(readEnd, buffer, available < 255 ? available : 255, &got, nullptr) && got > 0;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      timedOut = true;
      return false;
    }
    Sleep(5);
  }
}

}  // namespace

std::string RunAndCapture(const std::wstring& commandLine, const std::wstring& workDir, DWORD timeLimitMs) {
  ProcessPendingMessages();

  SECURITY_ATTRIBUTES sa = {};
  sa.nLength = sizeof(sa);
  sa.bInheritHandle = TRUE;
  ScopedHandle readEnd;
  ScopedHandle writeEnd;
  if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &sa, 0)) throw EInstallerError("命令错误!");
  // Only the write end is the child's business.
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = writeEnd.Get();
  si.hStdError = writeEnd.Get();

  // CreateProcessW may write into the command line.
  std::vector<wchar_t> mutableCommand(commandLine.begin(), commandLine.end());
  mutableCommand.push_back(L'\0');
  PROCESS_INFORMATION pi = {};
  const DWORD started_at = GetTickCount();
  const BOOL started = CreateProcessW(nullptr, mutableCommand.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      workDir.empty() ? nullptr : workDir.c_str(), &si, &pi);
  // Reading ends once the child and whatever it started have closed their copies.
  writeEnd.Close();
  if (!started) throw EInstallerError("命令错误!");
  ScopedHandle process(pi.hProcess);
  ScopedHandle thread(pi.hThread);

  std::string output;
  char buffer[256];
  bool timedOut = false;
  const DWORD deadline = started_at + timeLimitMs;
  for (;;) {
    DWORD got = 0;
    if (timeLimitMs == INFINITE) {
      if (!ReadFile(readEnd.Get(), buffer, 255, &got, nullptr) || got == 0) break;
    } else if (!ReadChunk(readEnd.Get(), buffer, got, deadline, timedOut)) {
      break;
    }
    buffer[got] = '\0';
    output.append(buffer);  // up to the first zero byte of the chunk
  }
  if (!timedOut && timeLimitMs != INFINITE) {
    const DWORD spent = GetTickCount() - started_at;
    timedOut = WaitForSingleObject(process.Get(), spent < timeLimitMs ? timeLimitMs - spent : 0) == WAIT_TIMEOUT;
  }
  if (timedOut) {
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
    throw EToolTimeout("命令超时!");
  }
  WaitForSingleObject(process.Get(), INFINITE);
  return output;
}

void StartHidden(const std::wstring& commandLine) {
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  std::vector<wchar_t> mutableCommand(commandLine.begin(), commandLine.end());
  mutableCommand.push_back(L'\0');
  PROCESS_INFORMATION pi = {};
  if (CreateProcessW(nullptr, mutableCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
}

std::string RunAndCapture(const std::string& commandLine, const std::string& workDir, DWORD timeLimitMs) {
  return RunAndCapture(GbkToWide(commandLine), GbkToWide(workDir), timeLimitMs);
}
