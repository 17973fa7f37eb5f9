#include "app/ToolCommandLines.h"

std::string KillServerCommandLine(const std::string& appPath) { return appPath + "PTQApk kill-server"; }

std::string StartServerCommandLine(const std::string& appPath) { return appPath + "PTQApk start-server"; }

std::string BadgingCommandLine(const std::string& appPath, const std::string& apkPath) {
  return appPath + "PTQList d badging \"" + apkPath + "\"";
}

std::string InstallCommandLine(const std::string& appPath, const std::string& apkPath) {
  return appPath + "PTQApk install -r \"" + apkPath + "\"";
}
