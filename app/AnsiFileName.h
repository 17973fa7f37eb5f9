// Parts of an 8-bit (GBK) file path. The separators "\" and ":" are looked for
// character by character, so the second byte of a double-byte character that
// happens to be 0x5C is not taken for a backslash.
#pragma once

#include <string>

// The text after the last "\" or ":" (the whole path when there is none).
std::string ExtractAnsiFileName(const std::string& path);

// The text from the last "." that follows the last "\" or ":", or "" when the
// file-name part has no ".".
std::string ExtractAnsiFileExt(const std::string& path);

// True when the extension is ".apk" in any letter case: file names are
// case-insensitive, and so is the bridge tool.
bool HasApkExtension(const std::string& path);
bool HasApkExtension(const std::u16string& path);
