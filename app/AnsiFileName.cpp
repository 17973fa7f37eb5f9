#include "app/AnsiFileName.h"

namespace {

bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Position of the last single-byte character of path found in delimiters,
// or npos. Trail bytes of double-byte characters are skipped.
size_t LastDelimiter(const std::string& path, const char* delimiters) {
  size_t found = std::string::npos;
  const std::string delims(delimiters);
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(path[i]);
    if (IsGbkLeadByte(b) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (b != 0 && delims.find(path[i]) != std::string::npos) found = i;
  }
  return found;
}

}  // namespace

std::string ExtractAnsiFileName(const std::string& path) {
  const size_t at = LastDelimiter(path, "\\:");
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string ExtractAnsiFileExt(const std::string& path) {
  const size_t at = LastDelimiter(path, ".\\:");
  if (at == std::string::npos || path[at] != '.') return std::string();
  return path.substr(at);
}

namespace {
template <class Char>
bool IsApkExtension(const std::basic_string<Char>& ext) {
  static const char kApk[] = ".apk";
  if (ext.size() != 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    Char c = ext[i];
    if (c >= Char('A') && c <= Char('Z')) c = static_cast<Char>(c - Char('A') + Char('a'));
    if (c != Char(kApk[i])) return false;
  }
  return true;
}
}  // namespace

bool HasApkExtension(const std::string& path) { return IsApkExtension(ExtractAnsiFileExt(path)); }

bool HasApkExtension(const std::u16string& path) {
  const size_t at = path.find_last_of(u".\\:");
  if (at == std::u16string::npos || path[at] != u'.') return false;
  return IsApkExtension(path.substr(at));
}
