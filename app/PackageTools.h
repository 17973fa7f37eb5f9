// The two tool runs behind the main window: reading a package's badging and
// installing it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/BadgingReader.h"
#include "app/InstallOutcome.h"

// Time limit of a badging run: 60 s, or the milliseconds given by the environment
// variable VQ_BADGING_TIMEOUT_MS (a positive decimal number).
DWORD BadgingTimeLimitMs();

// Status texts of a badging run that could not be done.
extern const char* const kBadgingToolMissingText;
std::string BadgingTimeoutText(DWORD limitMs);

// Runs the badging tool on apkPath (nothing when it is empty) in appPath, reads its
// output as UTF-8 or GBK (app/ToolOutputText.h) and hands its lines to the sink.
// Raises EInstallerError("命令错误!") when the tool cannot be started and
// EToolTimeout when it runs past the limit.
BadgingOutcome ReadPackageBadging(const std::wstring& appPath, const std::wstring& apkPath, BadgingSink& sink,
                                  DWORD timeLimitMs = INFINITE);
BadgingOutcome ReadPackageBadging(const std::string& appPath, const std::string& apkPath, BadgingSink& sink,
                                  DWORD timeLimitMs = INFINITE);

// The install worker's body: the missing-package changes when apkPath is empty
// or names no file (the tool is not run), the bridge-missing changes when the tool
// cannot be started, else the changes the install tool's output calls for. Every
// list ends with the install button enabled. Never raises for the tool's sake.
std::vector<InstallUiChange> RunPackageInstall(const std::wstring& appPath, const std::wstring& apkPath);
std::vector<InstallUiChange> RunPackageInstall(const std::string& appPath, const std::string& apkPath);
