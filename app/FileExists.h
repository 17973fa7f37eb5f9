// Whether a path names an existing file (a folder does not count). Long paths are
// checked in their "\\?\" form.
#pragma once

#include <string>

bool FileExists(const std::wstring& path);
// A GBK path, as the program's 8-bit texts are.
bool FileExists(const std::string& path);
