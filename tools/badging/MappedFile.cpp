#include "tools/badging/MappedFile.h"

#ifdef _WIN32
#include <windows.h>

MappedFile::MappedFile(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  file_ = file;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX) return;
  size_ = static_cast<size_t>(size.QuadPart);
  ok_ = true;
  if (size_ == 0) return;  // an empty file cannot be mapped, and need not be
  mapping_ = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  data_ = mapping_ ? MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0) : nullptr;
  ok_ = data_ != nullptr;
}

MappedFile::~MappedFile() {
  if (data_) UnmapViewOfFile(data_);
  if (mapping_) CloseHandle(mapping_);
  if (file_) CloseHandle(file_);
}

#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile::MappedFile(const char* path) {
  const int fd = open(path, O_RDONLY);
  if (fd < 0) return;
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    size_ = static_cast<size_t>(info.st_size);
    if (size_ == 0) {
      ok_ = true;
    } else {
      void* data = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
      if (data != MAP_FAILED) {
        // The reader jumps from chunk header to chunk header: map only the pages it touches.
        madvise(data, size_, MADV_RANDOM);
        data_ = data;
        ok_ = true;
      }
    }
  }
  close(fd);  // the mapping stays valid without the descriptor
}

MappedFile::~MappedFile() {
  if (data_) munmap(const_cast<void*>(data_), size_);
}
#endif
