// Command lines of the two console tools beside the program. appPath is the
// program folder with its trailing backslash; it is deliberately not quoted (the
// platform's rule for unquoted command lines finds the tool), the package path is.
#pragma once

#include <string>

std::string KillServerCommandLine(const std::string& appPath);
std::string StartServerCommandLine(const std::string& appPath);
std::string BadgingCommandLine(const std::string& appPath, const std::string& apkPath);
std::string InstallCommandLine(const std::string& appPath, const std::string& apkPath);

// The same as UTF-16, so that a path the user's code page cannot hold reaches the tool.
std::wstring KillServerCommandLine(const std::wstring& appPath);
std::wstring StartServerCommandLine(const std::wstring& appPath);
std::wstring BadgingCommandLine(const std::wstring& appPath, const std::wstring& apkPath);
std::wstring InstallCommandLine(const std::wstring& appPath, const std::wstring& apkPath);
