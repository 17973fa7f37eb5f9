// The package's file name as the upper group box shows it.
#pragma once

#include <functional>
#include <string>

// The file-name part of the path (after the last "\" or ":"); a name longer than
// 35 bytes loses its extension, keeps as many whole characters as fit in 32 bytes
// and gets "***.apk" appended. The 8-bit form counts GBK bytes and never splits a
// double-byte character.
std::string PackageDisplayName(const std::string& path);

// The same for a UTF-16 path: gbkBytes tells how many bytes a character (a code
// point) takes in GBK; the caller counts one without a GBK form as 2.
std::u16string PackageDisplayName(const std::u16string& path, const std::function<size_t(char32_t)>& gbkBytes);

// Caption of the package group box once a package is loaded.
std::string PackageBoxCaption(const std::string& path);
extern const char* const kPackageBoxCaptionPrefix;  // "软件信息 -- 开始安装: "
