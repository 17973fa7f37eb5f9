// The skin the program starts with. The skin manager takes a skin of the active
// name from its skin folder before its internal copy; a damaged one there raises
// the engine's archive or options errors. The program must start all the same:
// it then falls back on the internal skin and tells the user once.
#pragma once

#include <string>

#include "skin/acSkinManagerCore.h"

struct StartupSkinResult {
  bool fellBack = false;    // the skin folder's copy could not be loaded
  std::string damagedFile;  // the ".asz" file or the folder's "Options.dat"
  std::string error;        // the engine's message
};

// Selects skinName on the manager. On any error, the manager's skin folder is
// pointed at a name no folder can have and the internal skin of that name is
// loaded instead; should even that fail, the manager is left without a skin.
// Never raises.
StartupSkinResult SelectStartupSkin(TacSkinManagerCore& manager, const std::string& skinName);

// The one message for the user, naming the file (empty when nothing fell back).
std::string StartupSkinMessage(const StartupSkinResult& result);
