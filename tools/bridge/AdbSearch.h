// Where the bridge looks for the Android platform tools' adb, in order, and how it
// hands its own arguments on. Platform-free: the Windows program supplies the
// places and checks which candidate exists.
#pragma once

#include <string>
#include <vector>

// The one line the bridge prints (on standard error, exit code kAdbNotFoundExitCode)
// when no adb is found; the installer recognises it and tells the user to install
// the platform tools.
inline constexpr const char* kAdbNotFoundLine =
    "error: adb.exe of the Android platform tools not found";
inline constexpr int kAdbNotFoundExitCode = 127;  // "command not found", and within 8 bits for any caller

struct AdbSearchPlaces {
  std::wstring programFolder;  // the folder of the bridge itself
  std::wstring sdkRoot;        // %ANDROID_SDK_ROOT%
  std::wstring androidHome;    // %ANDROID_HOME%
  std::wstring localAppData;   // %LOCALAPPDATA%: its Android\Sdk is the usual per-user SDK
  std::wstring path;           // %PATH%
};

// Full paths of adb.exe to try, first match wins: beside the bridge, the platform-tools
// folder of ANDROID_SDK_ROOT, of ANDROID_HOME, of the per-user SDK, then each PATH
// folder. Empty places are skipped; PATH entries may be quoted.
std::vector<std::wstring> AdbCandidates(const AdbSearchPlaces& places);

// The arguments of a Windows command line: what follows the program name (quoted or
// not) and the blanks after it, unchanged.
std::wstring ArgumentsAfterProgram(const std::wstring& commandLine);

// The command line that runs adb with those arguments.
std::wstring AdbCommandLine(const std::wstring& adb, const std::wstring& arguments);
