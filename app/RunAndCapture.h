// Runs a console tool as a hidden child process and returns what it wrote.
#pragma once

#include <windows.h>

#include <string>

#include "app/InstallerError.h"

// The child ran past its time limit and was ended.
class EToolTimeout : public EInstallerError {
 public:
  explicit EToolTimeout(const std::string& message) : EInstallerError(message) {}
};

// Runs commandLine (an unquoted program path is resolved by the platform's rule)
// in workDir (the caller's current folder when empty) with standard output and
// standard error on one pipe; blocks until the child has ended and returns every
// byte it wrote, in order of arrival. A zero byte cuts the 255-byte chunk it
// arrived in. Pending window messages of the calling thread are processed once
// first. Raises EInstallerError("命令错误!") when the child cannot be started.
// With a time limit (milliseconds), a child still running when it is up is ended
// and EToolTimeout is raised. Keeps all state local: runs may overlap on several
// threads.
std::string RunAndCapture(const std::wstring& commandLine, const std::wstring& workDir,
                          DWORD timeLimitMs = INFINITE);
// Starts commandLine hidden and does not wait for it, as WinExec with SW_HIDE does,
// but from UTF-16, so a program folder outside the code page still works. The
// result is not reported.
void StartHidden(const std::wstring& commandLine);

// GBK command line and folder.
std::string RunAndCapture(const std::string& commandLine, const std::string& workDir,
                          DWORD timeLimitMs = INFINITE);
