// What an install does to the main window, as an ordered list of changes that
// the GUI thread carries out one after the other: the install button, the status
// label (colour, text, visibility) and the red error label.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class InstallUiAction {
  SetStatusColor,  // font colour of the status label (color)
  SetStatusText,   // caption of the status label (text)
  EnableInstallButton,
  DisableInstallButton,
  ShowStatusLabel,
  HideStatusLabel,
  ShowErrorLabel,
  HideErrorLabel,
};

struct InstallUiChange {
  InstallUiAction action;
  uint32_t color = 0;  // 0x00BBGGRR, for SetStatusColor
  std::string text;    // for SetStatusText

  bool operator==(const InstallUiChange& other) const {
    return action == other.action && color == other.color && text == other.text;
  }
};

// Font colours of the status label.
constexpr uint32_t kStatusBlack = 0;
constexpr uint32_t kStatusRed = 255;
constexpr uint32_t kStatusGreen = 32768;

extern const char* const kInstallingText;
extern const char* const kMissingPackageText;
extern const char* const kInstallSuccessText;
extern const char* const kInsufficientStorageText;
extern const char* const kUnknownFailureText;
extern const char* const kUnauthorizedText;
extern const char* const kDeviceOfflineText;
extern const char* const kSeveralDevicesText;
extern const char* const kBridgeMissingText;
// The bridge is there but found no adb of the Android platform tools.
extern const char* const kPlatformToolsMissingText;

// Before the worker starts: button off, black installing text, status label
// shown and error label hidden.
std::vector<InstallUiChange> InstallStartChanges();

// The package path is empty or names no file: red message, button on.
std::vector<InstallUiChange> MissingPackageChanges();

// The bridge tool could not be started: red message, button on.
std::vector<InstallUiChange> BridgeMissingChanges();

// The status text for a refusal reason (the code inside "Failure [...]" up to its
// first ":"): the storage message, a short explanation of the common reasons, or
// the generic failure text.
const char* RefusalText(const std::string& reason);

// The install tool's output, read line by line. The first line that is "Success",
// a refusal ("Failure [reason]" at the start of the line or after "adb: failed to
// install FILE: ") or a bridge error ("error: ..." about no phone, an unauthorized or
// offline phone, or more than one phone; also after "adb: "; or the bridge's own line
// for missing platform tools) decides and ends the
// reading; every other line before it shows the generic failure text without a
// colour change (one text change per run of such lines, as they all set the same
// text). Output that ends without a deciding line, empty output included, ends
// with the red generic failure text and the button on.
std::vector<InstallUiChange> ClassifyInstallOutput(const std::string& output);

// A readable form of a change, for tests and traces.
std::string DescribeInstallUiChange(const InstallUiChange& change);
