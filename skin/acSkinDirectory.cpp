#include "skin/acSkinDirectory.h"

const char* const DefaultSkinDirectory = "c:\\Skins";

namespace {

bool IsSeparator(char c, TacPathStyle style) { return c == '/' || (style == TacPathStyle::Windows && c == '\\'); }

// The parent of a folder given with its trailing separator, again with its separator.
// A root (or a folder without a parent) is its own parent.
std::string ParentFolder(const std::string& folder, TacPathStyle style) {
  std::string f = folder;
  while (!f.empty() && IsSeparator(f.back(), style)) f.pop_back();
  const size_t cut = f.find_last_of(style == TacPathStyle::Windows ? "\\/" : "/");
  if (cut == std::string::npos) return folder;
  return IncludeTrailingDelimiter(f.substr(0, cut + 1), style);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

char PathDelimiter(TacPathStyle style) { return style == TacPathStyle::Windows ? '\\' : '/'; }

std::string IncludeTrailingDelimiter(const std::string& path, TacPathStyle style) {
  if (path.empty() || IsSeparator(path.back(), style)) return path;
  return path + PathDelimiter(style);
}

std::string ResolveSkinDirectory(const std::string& skinDirectory, const std::string& programFolder,
                                 TacPathStyle style) {
  const std::string program = IncludeTrailingDelimiter(programFolder, style);
  const std::string& d = skinDirectory;
  std::string result;
  if (d.compare(0, 2, "..") == 0) {
    result = ParentFolder(program, style) + (d.size() > 3 ? d.substr(3) : std::string());
  } else if (d.size() >= 2 && d[0] == '.' && IsSeparator(d[1], style)) {
    result = program + d.substr(2);
  } else if (style == TacPathStyle::Windows) {
    result = (d.find(':') == std::string::npos && d.find('\\') == std::string::npos) ? program + d : d;
  } else {
    result = (!d.empty() && d[0] == '/') ? d : program + d;
  }
  if (style == TacPathStyle::Windows) {
    if (result.size() == 1 && IsLetter(result[0])) return result + ":\\";
    if (!result.empty() && result.back() == '/') result.back() = '\\';
  }
  return IncludeTrailingDelimiter(result, style);
}

std::string ExtractFileDir(const std::string& fileName, TacPathStyle style) {
  const size_t cut = fileName.find_last_of(style == TacPathStyle::Windows ? "\\/:" : "/");
  return cut == std::string::npos ? std::string() : fileName.substr(0, cut + 1);
}
