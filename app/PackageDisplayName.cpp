#include "app/PackageDisplayName.h"

#include <vector>

#include "app/AnsiFileName.h"

const char* const kPackageBoxCaptionPrefix = "软件信息 -- 开始安装: ";

namespace {
constexpr size_t kLongestShownName = 35;
constexpr size_t kKeptBytes = 32;

bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// One character of a name: where it starts, how many units it spans, its GBK bytes.
struct NameChar {
  size_t at, units, bytes;
  bool dot;
};

// Shortens the name given as characters; returns the number of units kept, or
// npos when the name is shown whole.
size_t KeptUnits(const std::vector<NameChar>& chars) {
  size_t total = 0;
  for (const NameChar& c : chars) total += c.bytes;
  if (total <= kLongestShownName) return std::string::npos;
  size_t stemEnd = chars.size();
  for (size_t i = chars.size(); i-- > 0;)
    if (chars[i].dot) {
      stemEnd = i;
      break;
    }
  size_t bytes = 0, units = 0;
  for (size_t i = 0; i < stemEnd && bytes + chars[i].bytes <= kKeptBytes; ++i) {
    bytes += chars[i].bytes;
    units = chars[i].at + chars[i].units;
  }
  return units;
}

}  // namespace

std::string PackageDisplayName(const std::string& path) {
  const std::string name = ExtractAnsiFileName(path);
  std::vector<NameChar> chars;
  for (size_t i = 0; i < name.size();) {
    const size_t n = IsGbkLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size() ? 2 : 1;
    chars.push_back({i, n, n, n == 1 && name[i] == '.'});
    i += n;
  }
  const size_t kept = KeptUnits(chars);
  return kept == std::string::npos ? name : name.substr(0, kept) + "***.apk";
}

std::u16string PackageDisplayName(const std::u16string& path, const std::function<size_t(char32_t)>& gbkBytes) {
  const size_t sep = path.find_last_of(u"\\:");
  const std::u16string name = sep == std::u16string::npos ? path : path.substr(sep + 1);
  std::vector<NameChar> chars;
  for (size_t i = 0; i < name.size();) {
    char32_t cp = name[i];
    size_t n = 1;
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (name[i + 1] - 0xDC00);
      n = 2;
    }
    chars.push_back({i, n, gbkBytes(cp), cp == u'.'});
    i += n;
  }
  const size_t kept = KeptUnits(chars);
  return kept == std::string::npos ? name : name.substr(0, kept) + u"***.apk";
}

std::string PackageBoxCaption(const std::string& path) { return kPackageBoxCaptionPrefix + PackageDisplayName(path); }
