#include "app/ToolCommandLines.h"

std::string KillServerCommandLine(const std::string& appPath) { return appPath + "PTQApk kill-server"; }

std::string StartServerCommandLine(const std::string& appPath) { return appPath + "PTQApk start-server"; }

std::string BadgingCommandLine(const std::string& appPath, const std::string& apkPath) {
  return appPath + "PTQList d badging \"" + apkPath + "\"";
}

std::string InstallCommandLine(const std::string& appPath, const std::string& apkPath) {
  return appPath + "PTQApk install -r \"" + apkPath + "\"";
}

std::wstring KillServerCommandLine(const std::wstring& appPath) { return appPath + L"PTQApk kill-server"; }

std::wstring StartServerCommandLine(const std::wstring& appPath) { return appPath + L"PTQApk start-server"; }

std::wstring BadgingCommandLine(const std::wstring& appPath, const std::wstring& apkPath) {
  return appPath + L"PTQList d badging \"" + apkPath + L"\"";
}

std::wstring InstallCommandLine(const std::wstring& appPath, const std::wstring& apkPath) {
  return appPath + L"PTQApk install -r \"" + apkPath + L"\"";
}
