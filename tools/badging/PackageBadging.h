// The badging of a package file, as the Android asset packaging tool's
// "d badging" prints it: read from the package's compiled manifest and
// resource table. Platform-free; the tools and the window share it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct PackageBadging {
  // The lines to print, in order, without line ends. Text is UTF-8.
  std::vector<std::string> lines;
  // The launcher icon's file inside the package per density the table knows
  // (ascending), and the one for the default configuration; empty without icon.
  std::vector<std::pair<uint16_t, std::string>> iconsByDensity;
  std::string defaultIcon;
};

enum class BadgingStatus {
  kOk,
  kNoManifest,       // no zip archive, or one without AndroidManifest.xml
  kDamagedManifest,  // the manifest cannot be read
  kDamagedTable,     // the resource table cannot be read
  kBadAttribute,     // an attribute the badging needs has a value of the wrong kind
};

struct PackageBadgingOutcome {
  BadgingStatus status = BadgingStatus::kOk;
  PackageBadging badging;  // with kBadAttribute: the lines printed before the fault
  std::string message;     // what is wrong, for anything but kOk
};

// Reads the badging of the bytes of a package file.
PackageBadgingOutcome ReadPackageBadging(std::string_view packageBytes);
