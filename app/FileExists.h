// Whether a path names an existing file (a folder does not count).
#pragma once

#include <string>

bool FileExists(const std::string& path);
