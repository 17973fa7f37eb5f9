// Finding an uncompressed entry in the bytes of a zip archive (a package file)
// by walking its local file headers. Platform-free.
#pragma once

#include <string>

// True when the archive holds an entry called name stored without compression;
// data then receives its bytes. Damaged or truncated archives give false.
bool FindStoredZipEntry(const std::string& archive, const std::string& name, std::string& data);

// True when the bytes start like a zip archive.
bool LooksLikeZip(const std::string& bytes);
