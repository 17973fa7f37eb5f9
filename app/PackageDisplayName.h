// The package's file name as the upper group box shows it.
#pragma once

#include <string>

// The file-name part of the path; a name longer than 35 bytes loses its
// extension, keeps its first 32 bytes and gets "***.apk" appended. Counting is
// byte-wise, so the cut may fall inside a double-byte character.
std::string PackageDisplayName(const std::string& path);

// Caption of the package group box once a package is loaded.
std::string PackageBoxCaption(const std::string& path);
