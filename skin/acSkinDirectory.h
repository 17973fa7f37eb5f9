// Where the skin manager looks for skin folders and ".asz" files: the rules that
// turn its SkinDirectory property into a folder, relative to the program's folder.
// The rules are written for Windows paths; the native build keeps POSIX paths
// working by the same rules with "/" as separator and a leading "/" as root.
#pragma once

#include <string>

enum class TacPathStyle { Windows, Posix };

#ifdef _WIN32
constexpr TacPathStyle HostPathStyle = TacPathStyle::Windows;
#else
constexpr TacPathStyle HostPathStyle = TacPathStyle::Posix;
#endif

// The folder used when SkinDirectory is empty after loading.
extern const char* const DefaultSkinDirectory;  // "c:\Skins"

char PathDelimiter(TacPathStyle style = HostPathStyle);
// The path with the style's separator at its end (nothing added to an empty path).
std::string IncludeTrailingDelimiter(const std::string& path, TacPathStyle style = HostPathStyle);

// The folder `skinDirectory` names, with its trailing separator. `programFolder` is the
// program's folder with its trailing separator. Windows rules:
//   ".." + rest: the parent folder of the program's folder + the text after the first
//                three characters;
//   ".\" or "./" + rest: the program's folder + rest;
//   neither ":" nor "\": the program's folder + the text;
//   anything else is used as it is.
// Then a trailing "/" becomes "\", a missing trailing "\" is added, and a lone drive
// letter becomes "X:\". Posix style: "../", "./" likewise, a leading "/" is a root.
std::string ResolveSkinDirectory(const std::string& skinDirectory, const std::string& programFolder,
                                 TacPathStyle style = HostPathStyle);

// The folder part (with its trailing separator) of a file name; empty when it has none.
std::string ExtractFileDir(const std::string& fileName, TacPathStyle style = HostPathStyle);
