// PTQApk: the bridge shipped beside the installer. Finds the Android platform tools'
// adb.exe (see AdbSearch.h), runs it with our own arguments and standard handles,
// and ends with its exit code; without one it prints kAdbNotFoundLine.
#include <windows.h>

#include <string>
#include <vector>

#include "tools/bridge/AdbSearch.h"

namespace {

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE h) : h_(h) {}
  ~OwnedHandle() {
    if (h_) CloseHandle(h_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

std::wstring Env(const wchar_t* name) {
  const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return std::wstring();
  std::wstring value(needed, L'\0');
  const DWORD got = GetEnvironmentVariableW(name, &value[0], needed);
  value.resize(got < needed ? got : 0);
  return value;
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (got == 0) return std::wstring();
    if (got < path.size()) {
      path.resize(got);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteLine(DWORD stdHandle, const std::string& text) {
  const std::string line = text + "\r\n";
  DWORD wrote = 0;
  WriteFile(GetStdHandle(stdHandle), line.data(), static_cast<DWORD>(line.size()), &wrote, nullptr);
}

}  // namespace

int main() {
  AdbSearchPlaces places;
  places.programFolder = ProgramFolder();
  places.sdkRoot = Env(L"ANDROID_SDK_ROOT");
  places.androidHome = Env(L"ANDROID_HOME");
  places.localAppData = Env(L"LOCALAPPDATA");
  places.path = Env(L"PATH");
  std::wstring adb;
  for (const std::wstring& candidate : AdbCandidates(places)) {
    if (IsFile(candidate)) {
      adb = candidate;
      break;
    }
  }
  if (adb.empty()) {
    WriteLine(STD_ERROR_HANDLE, kAdbNotFoundLine);
    return kAdbNotFoundExitCode;
  }

  // adb writes straight into our own standard handles: its bytes reach our reader unchanged.
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::wstring commandLine = AdbCommandLine(adb, ArgumentsAfterProgram(GetCommandLineW()));
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(adb.c_str(), mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    WriteLine(STD_ERROR_HANDLE, std::string(kAdbNotFoundLine) + " (it could not be started)");
    return kAdbNotFoundExitCode;
  }
  OwnedHandle process(pi.hProcess);
  OwnedHandle thread(pi.hThread);
  WaitForSingleObject(process.Get(), INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.Get(), &exitCode);
  return static_cast<int>(exitCode);
}
