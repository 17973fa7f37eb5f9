// How UTF-16 text fares in GBK (code page 936), for the display name's byte count.
#pragma once

#include <string>

// Bytes the code point takes in GBK: 1 or 2, and 2 for one that GBK cannot hold
// (no best-fit substitutes: "é" has no GBK form even though "e" would fit).
size_t GbkLength(char32_t codePoint);

// Whether every character of the text has an exact GBK form.
bool FitsGbk(const std::wstring& text);

// The package's display name from a UTF-16 path (app/PackageDisplayName.h).
std::wstring PackageDisplayNameW(const std::wstring& path);
