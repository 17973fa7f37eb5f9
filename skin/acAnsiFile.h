// Whole-file reading and writing by 8-bit file names. On Windows the names are
// ANSI (GBK) bytes, which the C runtime's narrow fopen understands; natively they
// are plain paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class EacFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Largest file read whole; skins are far smaller.
constexpr size_t MaxWholeFileSize = 256u * 1024u * 1024u;

// True when the name opens as a readable file.
bool AnsiFileExists(const std::string& name);
// False when the file cannot be opened (or not a byte of it read); raises EacFileError on a read error or
// a file larger than maxSize.
bool ReadAnsiFile(const std::string& name, std::vector<uint8_t>& data, size_t maxSize = MaxWholeFileSize);
// Replaces the file; raises EacFileError when it cannot be written completely.
void WriteAnsiFile(const std::string& name, const std::vector<uint8_t>& data);
