#include "app/OutputLines.h"

std::vector<std::string> SplitOutputLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    size_t end = start;
    while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
    lines.push_back(text.substr(start, end - start));
    if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}
