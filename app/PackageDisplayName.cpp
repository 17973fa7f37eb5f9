#include "app/PackageDisplayName.h"

#include "app/AnsiFileName.h"

namespace {
constexpr size_t kLongestShownName = 35;
constexpr size_t kKeptBytes = 32;
}  // namespace

std::string PackageDisplayName(const std::string& path) {
  const std::string name = ExtractAnsiFileName(path);
  if (name.size() <= kLongestShownName) return name;
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  return stem.substr(0, kKeptBytes) + "***.apk";
}

std::string PackageBoxCaption(const std::string& path) {
  return "软件信息 -- 开始安装: " + PackageDisplayName(path);
}
