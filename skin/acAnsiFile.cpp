#include "skin/acAnsiFile.h"

#include <cstdio>
#include <memory>

namespace {
struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;
}  // namespace

bool AnsiFileExists(const std::string& name) {
  if (name.empty()) return false;
  FilePtr f(std::fopen(name.c_str(), "rb"));
  return f != nullptr;
}

bool ReadAnsiFile(const std::string& name, std::vector<uint8_t>& data, size_t maxSize) {
  data.clear();
  if (name.empty()) return false;
  FilePtr f(std::fopen(name.c_str(), "rb"));
  if (!f) return false;
  uint8_t chunk[65536];
  for (;;) {
    size_t got = std::fread(chunk, 1, sizeof chunk, f.get());
    if (got > maxSize - data.size()) {
      data.clear();
      throw EacFileError("File \"" + name + "\" is too large");
    }
    data.insert(data.end(), chunk, chunk + got);
    if (got < sizeof chunk) break;
  }
  if (std::ferror(f.get())) {
    // Nothing readable at all (a folder, for one) counts as no file.
    if (data.empty()) return false;
    data.clear();
    throw EacFileError("Cannot read file \"" + name + "\"");
  }
  return true;
}

void WriteAnsiFile(const std::string& name, const std::vector<uint8_t>& data) {
  FilePtr f(std::fopen(name.c_str(), "wb"));
  if (!f) throw EacFileError("Cannot create file \"" + name + "\"");
  if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f.get()) != data.size())
    throw EacFileError("Cannot write file \"" + name + "\"");
  if (std::fclose(f.release()) != 0) throw EacFileError("Cannot write file \"" + name + "\"");
}
