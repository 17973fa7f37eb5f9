// UTF-8 as the console tools print it: a strict validity test (no overlong forms,
// no surrogates, nothing above U+10FFFF) and the conversions to and from UTF-16.
#pragma once

#include <string>

bool IsValidUtf8(const std::string& bytes);

// Each invalid sequence becomes U+FFFD; valid input converts exactly.
std::u16string Utf8ToUtf16(const std::string& bytes);

// A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);
