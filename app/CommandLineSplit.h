// Splitting a command line into arguments, for 8-bit and UTF-16 text alike: blanks
// (space, tab, CR, LF) separate arguments, double quotes group blanks into one
// argument and are dropped. A backslash has no special meaning, so a quoted folder
// "C:\dir\" stays whole.
#pragma once

#include <string>
#include <vector>

template <class Char>
std::vector<std::basic_string<Char>> SplitArguments(const std::basic_string<Char>& line) {
  auto blank = [](Char c) { return c == Char(' ') || c == Char('\t') || c == Char('\r') || c == Char('\n'); };
  std::vector<std::basic_string<Char>> out;
  size_t i = 0;
  const size_t n = line.size();
  for (;;) {
    while (i < n && blank(line[i])) ++i;
    if (i >= n) break;
    std::basic_string<Char> arg;
    bool quoted = false;
    for (; i < n && (quoted || !blank(line[i])); ++i) {
      if (line[i] == Char('"'))
        quoted = !quoted;
      else
        arg += line[i];
    }
    out.push_back(arg);
  }
  return out;
}
