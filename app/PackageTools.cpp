#include "app/PackageTools.h"

#include "app/FileExists.h"
#include "app/RunAndCapture.h"
#include "app/ToolCommandLines.h"

BadgingResult ReadPackageBadging(const std::string& appPath, const std::string& apkPath, BadgingSink& sink) {
  if (apkPath.empty()) return BadgingResult::Examined;
  return ApplyBadgingOutput(RunAndCapture(BadgingCommandLine(appPath, apkPath), appPath), sink);
}

std::vector<InstallUiChange> RunPackageInstall(const std::string& appPath, const std::string& apkPath) {
  if (!FileExists(apkPath)) return MissingPackageChanges();
  return ClassifyInstallOutput(RunAndCapture(InstallCommandLine(appPath, apkPath), appPath));
}
