// The program's skin without its own shadow image ("EXBORDER" left out), packed: the
// extended border then takes the built-in shadows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/acSkinWriter.h"
#include "support/TestPaths.h"

// Empty when the skin folder cannot be read or holds no "EXBORDER" line.
inline std::vector<uint8_t> ShadowlessSkin() {
  std::vector<TacPackEntry> entries = ReadSkinFolder(SourcePath("skins/air"));
  if (entries.empty()) return {};
  std::string options(entries[0].Data.begin(), entries[0].Data.end());
  const size_t at = options.find("EXBORDER=");
  if (at == std::string::npos) return {};
  options.erase(at, options.find('\n', at) + 1 - at);
  entries[0].Data.assign(options.begin(), options.end());
  return PackSkinEntries(entries);
}
