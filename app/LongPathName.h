// Paths handed to the wide file functions. A path of MAX_PATH characters or more
// only opens in the "\\?\" form (Windows enforces the limit; Wine may not), so
// long absolute paths are given that form; short ones and paths already in it
// are left as they are.
#pragma once

#include <string>

std::wstring LongPathName(const std::wstring& path);
