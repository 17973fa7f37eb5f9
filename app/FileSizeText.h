// The file size as the size label shows it: two decimals in G, M, K or bytes.
#pragma once

#include <cstdint>
#include <string>

// Picks the first unit the size is strictly greater than (1 G = 1073741824,
// 1 M = 1048576, 1 K = 1024), else bytes; so 1024 bytes read "1024.00 字节" and
// 1048576 bytes "1024.00 K". Rounded half up to two decimals with exact integer
// arithmetic, separated by decimalSeparator (the user's regional setting).
std::string FileSizeText(int64_t size, const std::string& decimalSeparator);
