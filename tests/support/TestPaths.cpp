#include "support/TestPaths.h"

#include <filesystem>

namespace {
std::string Native(std::string path) {
#ifdef _WIN32
  for (char& c : path)
    if (c == '/') c = '\\';
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;
#endif
  return path;
}
}  // namespace

std::string SourcePath(const std::string& relative) { return Native(std::string(VQ_SOURCE_DIR) + "/" + relative); }
std::string BinaryPath(const std::string& relative) { return Native(std::string(VQ_BINARY_DIR) + "/" + relative); }

std::string ScratchDir(const std::string& name) {
  std::string dir = BinaryPath("scratch/" + name);
  std::error_code ec;
#ifdef _WIN32
  // Tests leave folders deeper than 260 characters behind; the long form removes them.
  std::filesystem::remove_all("\\\\?\\" + dir, ec);
#else
  std::filesystem::remove_all(dir, ec);
#endif
  std::filesystem::create_directories(dir, ec);
  return dir;
}
