#include "app/PackageTools.h"

#include <cstdlib>

#include "app/FileExists.h"
#include "app/RunAndCapture.h"
#include "app/ToolCommandLines.h"
#include "app/ToolOutputText.h"
#include "framework/vclText.h"

const char* const kBadgingToolMissingText = "获取参数失败!无法运行解析工具PTQList,请确认它在程序目录中.";

DWORD BadgingTimeLimitMs() {
  wchar_t value[32];
  const DWORD n = GetEnvironmentVariableW(L"VQ_BADGING_TIMEOUT_MS", value, 32);
  if (n > 0 && n < 32 && value[0] >= L'0' && value[0] <= L'9') {
    wchar_t* end = nullptr;
    const unsigned long ms = std::wcstoul(value, &end, 10);
    if (end && *end == L'\0' && ms > 0 && ms < INFINITE) return static_cast<DWORD>(ms);
  }
  return 60000;
}

std::string BadgingTimeoutText(DWORD limitMs) {
  return "获取参数失败!解析工具PTQList运行超过" + std::to_string((limitMs + 999) / 1000) + "秒没有结束,已被终止.";
}

BadgingOutcome ReadPackageBadging(const std::wstring& appPath, const std::wstring& apkPath, BadgingSink& sink,
                                  DWORD timeLimitMs) {
  if (apkPath.empty()) return BadgingOutcome{};
  const std::string output = RunAndCapture(BadgingCommandLine(appPath, apkPath), appPath, timeLimitMs);
  return ApplyBadgingOutput(ToolOutputToGbk(output), sink);
}

BadgingOutcome ReadPackageBadging(const std::string& appPath, const std::string& apkPath, BadgingSink& sink,
                                  DWORD timeLimitMs) {
  return ReadPackageBadging(GbkToWide(appPath), GbkToWide(apkPath), sink, timeLimitMs);
}

std::vector<InstallUiChange> RunPackageInstall(const std::wstring& appPath, const std::wstring& apkPath) {
  if (!FileExists(apkPath)) return MissingPackageChanges();
  std::string output;
  try {
    output = RunAndCapture(InstallCommandLine(appPath, apkPath), appPath);
  } catch (const EInstallerError&) {
    return BridgeMissingChanges();
  }
  return ClassifyInstallOutput(ToolOutputToGbk(output));
}

std::vector<InstallUiChange> RunPackageInstall(const std::string& appPath, const std::string& apkPath) {
  return RunPackageInstall(GbkToWide(appPath), GbkToWide(apkPath));
}
