#include "app/RunAndCapture.h"

#include <windows.h>

#include <vector>

#include "app/InstallerError.h"
#include "app/ScopedHandle.h"

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

}  // namespace

std::string RunAndCapture(const std::string& commandLine, const std::string& workDir) {
  ProcessPendingMessages();

  SECURITY_ATTRIBUTES sa = {};
  sa.nLength = sizeof(sa);
  sa.bInheritHandle = TRUE;
  ScopedHandle readEnd;
  ScopedHandle writeEnd;
  if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &sa, 0)) throw EInstallerError("命令错误!");
  // Only the write end is the child's business.
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = writeEnd.Get();
  si.hStdError = writeEnd.Get();

  // CreateProcessA may write into the command line.
  std::vector<char> mutableCommand(commandLine.begin(), commandLine.end());
  mutableCommand.push_back('\0');
  PROCESS_INFORMATION pi = {};
  const BOOL started = CreateProcessA(nullptr, mutableCommand.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      workDir.empty() ? nullptr : workDir.c_str(), &si, &pi);
  // Reading ends once the child and whatever it started have closed their copies.
  writeEnd.Close();
  if (!started) throw EInstallerError("命令错误!");
  ScopedHandle process(pi.hProcess);
  ScopedHandle thread(pi.hThread);

  std::string output;
  char buffer[256];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(readEnd.Get(), buffer, 255, &got, nullptr) || got == 0) break;
    buffer[got] = '\0';
    output.append(buffer);  // up to the first zero byte of the chunk
  }
  WaitForSingleObject(process.Get(), INFINITE);
  return output;
}
