// The entries of one folder by 8-bit names (ANSI on Windows), without "." and "..".
#pragma once

#include <string>
#include <vector>

struct TacDirEntry {
  std::string Name;
  bool IsFolder = false;
};

// False (and nothing listed) when the folder cannot be read. `folder` may end with
// a separator or not. Entries come in the platform's order.
bool ListDirectory(const std::string& folder, std::vector<TacDirEntry>& entries);
