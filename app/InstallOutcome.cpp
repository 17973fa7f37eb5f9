#include "app/InstallOutcome.h"

#include "app/OutputLines.h"

const char* const kInstallingText = "正在安装软件到手机,请等待完成提示...";
const char* const kMissingPackageText = "安装失败!无法找到APK文件.";
const char* const kInstallSuccessText = "该手机应用安装成功!";
const char* const kInsufficientStorageText = "安装失败!可能原因是手机存储空间不足或使用了中文文件名.";
const char* const kUnknownFailureText = "安装失败!未知原因.";

namespace {

InstallUiChange Do(InstallUiAction action) { return InstallUiChange{action, 0, std::string()}; }
InstallUiChange Colour(uint32_t color) { return InstallUiChange{InstallUiAction::SetStatusColor, color, std::string()}; }
InstallUiChange Text(const char* text) { return InstallUiChange{InstallUiAction::SetStatusText, 0, text}; }

// "Failure", exactly one more byte, then "["; the reason runs to the first "]".
bool IsFailureLine(const std::string& line, std::string& reason) {
  const size_t bracket = line.find('[');
  if (bracket != 8 || line.compare(0, 7, "Failure") != 0) return false;
  const std::string after = line.substr(bracket + 1);
  const size_t close = after.find(']');
  reason = close == std::string::npos ? std::string() : after.substr(0, close);
  return true;
}

}  // namespace

std::vector<InstallUiChange> InstallStartChanges() {
  return {Do(InstallUiAction::DisableInstallButton), Colour(kStatusBlack), Text(kInstallingText),
          Do(InstallUiAction::ShowStatusLabel), Do(InstallUiAction::HideErrorLabel)};
}

std::vector<InstallUiChange> MissingPackageChanges() {
  return {Colour(kStatusRed), Text(kMissingPackageText), Do(InstallUiAction::EnableInstallButton)};
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
    if (IsFailureLine(line, reason)) {
      changes.push_back(Do(InstallUiAction::EnableInstallButton));
      changes.push_back(Colour(kStatusRed));
      changes.push_back(Text(reason == "INSTALL_FAILED_INSUFFICIENT_STORAGE" ? kInsufficientStorageText
                                                                             : kUnknownFailureText));
      return changes;
    }
    if (line == "error: device not found") {
      changes.push_back(Do(InstallUiAction::EnableInstallButton));
      changes.push_back(Do(InstallUiAction::HideStatusLabel));
      changes.push_back(Do(InstallUiAction::ShowErrorLabel));
      return changes;
    }
    if (!unknownShown) {
      changes.push_back(Text(kUnknownFailureText));
      unknownShown = true;
    }
  }
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
