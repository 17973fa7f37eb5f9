// Splitting a console tool's captured output into lines.
#pragma once

#include <string>
#include <vector>

// Lines end at CR, LF or CR LF. A terminator at the very end does not start
// another line, so "a\r\n" is one line and "" is none. Bytes are kept as they are.
std::vector<std::string> SplitOutputLines(const std::string& text);
