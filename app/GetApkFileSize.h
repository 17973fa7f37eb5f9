// Size of a package file in bytes.
#pragma once

#include <cstdint>
#include <string>

// 0 when the path names no file (a folder does not count) or the size cannot be read.
int64_t GetApkFileSize(const std::wstring& path);
int64_t GetApkFileSize(const std::string& path);  // GBK path
