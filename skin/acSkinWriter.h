// Writer of packed skin archives, the format acSkinPack reads. Output is
// deterministic: the same entries give the same bytes (fixed zlib level 9).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class EacSkinWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TacPackEntry {
  std::string Name;
  std::vector<uint8_t> Data;
};

// Packs the entries in the order given.
std::vector<uint8_t> PackSkinEntries(const std::vector<TacPackEntry>& entries);

// The entries of a skin folder in archive order: "Options.dat" (found in any letter
// case, stored under its own name) first, then every other regular file of the
// folder sorted by its byte-wise name; names starting with "." and subfolders are
// left out. Raises EacSkinWriteError when the folder or its options file is missing.
std::vector<TacPackEntry> ReadSkinFolder(const std::string& folder);

// ReadSkinFolder + PackSkinEntries.
std::vector<uint8_t> PackSkinFolder(const std::string& folder);
