// The skin engine's own version and the start-up switch that shows it.
#pragma once

#include <string>
#include <vector>

// The skin manager's Version property.
extern const char* const SkinEngineVersion;      // "6.57"
// The text of the version box shown for "/acver".
extern const char* const SkinEngineVersionText;  // "Corvane v6.57"

// True when any argument, lower-cased, is "/acver" (the program name included, as
// the engine checks every argument it is given).
bool HasEngineVersionSwitch(const std::vector<std::string>& arguments);

// A skin version as the manager's SkinInfo shows it: "." as decimal separator, no
// trailing zeros ("6.1" for 6.10, "7" for 7.0), 15 significant digits at most.
std::string FormatSkinVersion(double version);
