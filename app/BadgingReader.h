// Reading the badging tool's output: package name, version name and minimum
// platform level, handed to a sink line by line.
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
  Package,           // a "package:" line gave a name
  NoPackage,         // no "package:" line at all: not a package, or the tool failed
  BlankPackageName,  // a "package:" line had a blank name; later lines were not looked at
};

struct BadgingOutcome {
  BadgingResult result = BadgingResult::NoPackage;
  std::string toolError;  // the tool's first "ERROR: ..." line, if any
};

// Status text when the output names no package, shown in red.
extern const char* const kBadgingFailedText;

// Applies one line; false when it was a "package:" line with a blank name. A level
// that is no number shows as its codename's version (see AndroidLevel.h); an empty
// level sets nothing.
bool ApplyBadgingLine(const std::string& line, BadgingSink& sink);

// Splits the output into lines and applies them in order. Later lines overwrite
// what earlier ones set.
BadgingOutcome ApplyBadgingOutput(const std::string& output, BadgingSink& sink);
