#include "skin/acDirectoryList.h"

#ifdef _WIN32
#include <io.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

#include <memory>

#include "skin/acSkinDirectory.h"

namespace {
bool IsDotEntry(const char* name) { return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)); }
}  // namespace

#ifdef _WIN32

// The C runtime's narrow find functions take ANSI names, as the rest of the skin code.
bool ListDirectory(const std::string& folder, std::vector<TacDirEntry>& entries) {
  entries.clear();
  const std::string pattern = IncludeTrailingDelimiter(folder) + "*";
  _finddata_t data;
  const intptr_t handle = _findfirst(pattern.c_str(), &data);
  if (handle == -1) return false;
  struct Closer {
    intptr_t h;
    ~Closer() { _findclose(h); }
  } closer{handle};
  do {
    if (IsDotEntry(data.name)) continue;
    entries.push_back(TacDirEntry{data.name, (data.attrib & _A_SUBDIR) != 0});
  } while (_findnext(handle, &data) == 0);
  return true;
}

#else

bool ListDirectory(const std::string& folder, std::vector<TacDirEntry>& entries) {
  entries.clear();
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), &closedir);
  if (!dir) return false;
  const std::string prefix = IncludeTrailingDelimiter(folder);
  while (const dirent* e = readdir(dir.get())) {
    if (IsDotEntry(e->d_name)) continue;
    struct stat st;
    const bool isFolder = stat((prefix + e->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    entries.push_back(TacDirEntry{e->d_name, isFolder});
  }
  return true;
}

#endif
