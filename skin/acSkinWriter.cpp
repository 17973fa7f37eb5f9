#include "skin/acSkinWriter.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "skin/acAnsiFile.h"
#include "skin/acAnsiText.h"
#include "skin/acSkinPack.h"

namespace {

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

int32_t CheckedLength(size_t size, const std::string& what) {
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EacSkinWriteError(what + " is too large for a skin archive");
  return static_cast<int32_t>(size);
}

}  // namespace

std::vector<uint8_t> PackSkinEntries(const std::vector<TacPackEntry>& entries) {
  std::vector<uint8_t> out = {'A', 'S', 'z', 'f'};
  PutInt32(out, CheckedLength(entries.size(), "The entry count"));
  for (const TacPackEntry& e : entries) {
    PutInt32(out, CheckedLength(e.Name.size(), "Entry name \"" + e.Name + "\""));
    out.insert(out.end(), e.Name.begin(), e.Name.end());
    if (e.Data.size() > static_cast<size_t>(MaxSkinPackEntrySize))
      throw EacSkinWriteError("Entry \"" + e.Name + "\" is larger than a skin file may be");
    PutInt32(out, static_cast<int32_t>(e.Data.size()));
    uLong bound = compressBound(static_cast<uLong>(e.Data.size()));
    std::vector<uint8_t> packed(bound);
    uLongf packedSize = bound;
    static const Bytef empty = 0;
    int rc = compress2(packed.data(), &packedSize, e.Data.empty() ? &empty : e.Data.data(),
                       static_cast<uLong>(e.Data.size()), 9);
    if (rc != Z_OK) throw EacSkinWriteError("Cannot compress entry \"" + e.Name + "\"");
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<ptrdiff_t>(packedSize));
  }
  return out;
}

std::vector<TacPackEntry> ReadSkinFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), ec);
  if (ec) throw EacSkinWriteError("Cannot list skin folder \"" + folder + "\"");
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) throw EacSkinWriteError("Cannot list skin folder \"" + folder + "\"");
    if (!it->is_regular_file(ec)) continue;
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  auto options = std::find_if(names.begin(), names.end(),
                              [](const std::string& n) { return AnsiUpperCase(n) == "OPTIONS.DAT"; });
  if (options == names.end()) throw EacSkinWriteError("Skin folder \"" + folder + "\" has no Options.dat");
  if (std::count_if(names.begin(), names.end(),
                    [](const std::string& n) { return AnsiUpperCase(n) == "OPTIONS.DAT"; }) > 1)
    throw EacSkinWriteError("Skin folder \"" + folder + "\" has more than one Options.dat");
  std::rotate(names.begin(), options, options + 1);
  std::vector<TacPackEntry> entries;
  for (const std::string& name : names) {
    TacPackEntry e;
    e.Name = name;
    std::string path = (fs::path(folder) / name).string();
    if (!ReadAnsiFile(path, e.Data, static_cast<size_t>(std::numeric_limits<int32_t>::max())))
      throw EacSkinWriteError("Cannot read \"" + path + "\"");
    entries.push_back(std::move(e));
  }
  return entries;
}

std::vector<uint8_t> PackSkinFolder(const std::string& folder) { return PackSkinEntries(ReadSkinFolder(folder)); }
