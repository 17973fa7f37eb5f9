// Reading the badging tool's output: package name, version name and minimum
// platform level, handed to a sink line by line so that the labels filled by
// earlier lines stay filled when a later line raises an error.
#pragma once

#include <string>

class BadgingSink {
 public:
  virtual ~BadgingSink() = default;
  virtual void SetPackageName(const std::string& name) = 0;
  virtual void SetVersionName(const std::string& version) = 0;
  virtual void SetAndroidVersion(const std::string& text) = 0;
};

enum class BadgingResult {
  Examined,          // every line was looked at
  BlankPackageName,  // a "package:" line had a blank name; later lines were not looked at
};

// Status text for BadgingResult::BlankPackageName, shown in red.
extern const char* const kBadgingFailedText;

// Applies one line; false when it was a "package:" line with a blank name.
// Raises EConvertError (skin/acStrToInt.h) for a "sdkVersion:" level that is no number.
bool ApplyBadgingLine(const std::string& line, BadgingSink& sink);

// Splits the output into lines and applies them in order. Later lines overwrite
// what earlier ones set.
BadgingResult ApplyBadgingOutput(const std::string& output, BadgingSink& sink);
