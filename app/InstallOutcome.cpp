#include "app/InstallOutcome.h"

#include "app/OutputLines.h"
#include "tools/bridge/AdbSearch.h"

const char* const kInstallingText = "正在安装软件到手机,请等待完成提示...";
const char* const kMissingPackageText = "安装失败!无法找到APK文件.";
const char* const kInstallSuccessText = "该手机应用安装成功!";
const char* const kInsufficientStorageText = "安装失败!可能原因是手机存储空间不足或使用了中文文件名.";
const char* const kUnknownFailureText = "安装失败!未知原因.";
const char* const kUnauthorizedText = "安装失败!手机尚未允许这台电脑调试.请在手机上的\"允许USB调试吗?\"提示中点击\"允许\",然后重新安装.";
const char* const kDeviceOfflineText = "安装失败!手机处于离线状态.请重新插拔数据线,然后重新安装.";
const char* const kSeveralDevicesText = "安装失败!电脑上连接了多部手机或模拟器.请只保留要安装的一部手机,然后重新安装.";
const char* const kBridgeMissingText = "安装失败!无法运行安装工具PTQApk,请确认它在程序目录中.";
const char* const kPlatformToolsMissingText =
    "安装失败!没有找到Android平台工具adb.exe.请下载并解压Android SDK Platform-Tools,"
    "把其中的adb.exe和AdbWinApi.dll、AdbWinUsbApi.dll放到本程序目录中,然后重新安装.";

namespace {

InstallUiChange Do(InstallUiAction action) { return InstallUiChange{action, 0, std::string()}; }
InstallUiChange Colour(uint32_t color) { return InstallUiChange{InstallUiAction::SetStatusColor, color, std::string()}; }
InstallUiChange Text(const char* text) { return InstallUiChange{InstallUiAction::SetStatusText, 0, text}; }

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// A refusal: "Failure" + one byte + "[" at the start of the line, as older bridges
// print it, or after "adb: failed to install FILE: " as current ones do. The reason
// is the bracketed code up to its first ":" or "]".
bool IsFailureLine(const std::string& line, std::string& reason) {
  size_t at = std::string::npos;
  if (line.compare(0, 7, "Failure") == 0 && line.size() > 8 && line[8] == '[') {
    at = 0;
  } else if (StartsWith(line, "adb: failed to install ")) {
    at = line.find(": Failure [");
    if (at != std::string::npos) at += 2;
  }
  if (at == std::string::npos) return false;
  const std::string after = line.substr(at + 9);
  const size_t end = after.find_first_of(":]");
  reason = end == std::string::npos ? std::string() : after.substr(0, end);
  return true;
}

enum class BridgeError { None, NoDevice, Unauthorized, Offline, SeveralDevices, NoPlatformTools };

// "error: ..." lines of the bridge, also after an "adb: " prefix. The no-phone
// wording differs between versions, so the family of phrases is matched.
BridgeError BridgeErrorOf(const std::string& line) {
  // Our bridge found no adb of the platform tools at all.
  if (line == kAdbNotFoundLine) return BridgeError::NoPlatformTools;
  std::string text = line;
  if (StartsWith(text, "adb: ")) text.erase(0, 5);
  if (!StartsWith(text, "error: ")) return BridgeError::None;
  auto has = [&](const char* phrase) { return text.find(phrase) != std::string::npos; };
  if (has("no devices/emulators found") || has("no devices found") || has("no emulators found") ||
      has("device not found") || (has("device '") && has("' not found")))
    return BridgeError::NoDevice;
  if (has("device unauthorized")) return BridgeError::Unauthorized;
  if (has("device offline")) return BridgeError::Offline;
  if (has("more than one device") || has("more than one emulator")) return BridgeError::SeveralDevices;
  return BridgeError::None;
}

std::vector<InstallUiChange> RedEnd(const char* text) {
  return {Do(InstallUiAction::EnableInstallButton), Colour(kStatusRed), Text(text)};
}

}  // namespace

std::vector<InstallUiChange> InstallStartChanges() {
  return {Do(InstallUiAction::DisableInstallButton), Colour(kStatusBlack), Text(kInstallingText),
          Do(InstallUiAction::ShowStatusLabel), Do(InstallUiAction::HideErrorLabel)};
}

std::vector<InstallUiChange> MissingPackageChanges() {
  return {Colour(kStatusRed), Text(kMissingPackageText), Do(InstallUiAction::EnableInstallButton)};
}

std::vector<InstallUiChange> BridgeMissingChanges() { return RedEnd(kBridgeMissingText); }

const char* RefusalText(const std::string& reason) {
  struct Known { const char* reason; const char* text; };
  static const Known kKnown[] = {
      {"INSTALL_FAILED_INSUFFICIENT_STORAGE", kInsufficientStorageText},
      {"INSTALL_FAILED_VERSION_DOWNGRADE", "安装失败!手机上已安装该应用的更高版本.请先卸载手机上的版本,然后重新安装."},
      {"INSTALL_FAILED_UPDATE_INCOMPATIBLE", "安装失败!该应用的签名与手机上已安装的版本不同.请先卸载手机上的版本,然后重新安装."},
      {"INSTALL_FAILED_OLDER_SDK", "安装失败!手机的Android版本太低,不能运行该应用."},
      {"INSTALL_PARSE_FAILED_NO_CERTIFICATES", "安装失败!该应用没有签名证书,手机拒绝安装."},
      {"INSTALL_FAILED_USER_RESTRICTED", "安装失败!手机的设置阻止了安装.请在手机上允许通过USB安装应用,然后重新安装."},
      {"INSTALL_FAILED_ALREADY_EXISTS", "安装失败!手机上已存在该应用."},
  };
  for (const Known& k : kKnown)
    if (reason == k.reason) return k.text;
  return kUnknownFailureText;
}

std::vector<InstallUiChange> ClassifyInstallOutput(const std::string& output) {
  std::vector<InstallUiChange> changes;
  bool unknownShown = false;
  for (const std::string& line : SplitOutputLines(output)) {
    std::string reason;
    if (line == "Success") {
      changes.push_back(Do(InstallUiAction::EnableInstallButton));
      changes.push_back(Colour(kStatusGreen));
      changes.push_back(Text(kInstallSuccessText));
      return changes;
    }
    const char* refusal = nullptr;
    if (IsFailureLine(line, reason)) {
      refusal = RefusalText(reason);
    } else {
      switch (BridgeErrorOf(line)) {
        case BridgeError::NoDevice:
          changes.push_back(Do(InstallUiAction::EnableInstallButton));
          changes.push_back(Do(InstallUiAction::HideStatusLabel));
          changes.push_back(Do(InstallUiAction::ShowErrorLabel));
          return changes;
        case BridgeError::Unauthorized: refusal = kUnauthorizedText; break;
        case BridgeError::Offline: refusal = kDeviceOfflineText; break;
        case BridgeError::SeveralDevices: refusal = kSeveralDevicesText; break;
        case BridgeError::NoPlatformTools: refusal = kPlatformToolsMissingText; break;
        case BridgeError::None: break;
      }
    }
    if (refusal) {
      const std::vector<InstallUiChange> end = RedEnd(refusal);
      changes.insert(changes.end(), end.begin(), end.end());
      return changes;
    }
    if (!unknownShown) {
      changes.push_back(Text(kUnknownFailureText));
      unknownShown = true;
    }
  }
  // No line decided: the user must not be left with a dead button.
  const std::vector<InstallUiChange> end = RedEnd(kUnknownFailureText);
  changes.insert(changes.end(), end.begin(), end.end());
  return changes;
}

std::string DescribeInstallUiChange(const InstallUiChange& change) {
  switch (change.action) {
    case InstallUiAction::SetStatusColor: return "status colour " + std::to_string(change.color);
    case InstallUiAction::SetStatusText: return "status text \"" + change.text + "\"";
    case InstallUiAction::EnableInstallButton: return "enable install button";
    case InstallUiAction::DisableInstallButton: return "disable install button";
    case InstallUiAction::ShowStatusLabel: return "show status label";
    case InstallUiAction::HideStatusLabel: return "hide status label";
    case InstallUiAction::ShowErrorLabel: return "show error label";
    case InstallUiAction::HideErrorLabel: return "hide error label";
  }
  return "?";
}
