// A whole file mapped read-only into memory: packages run to many megabytes, of
// which the badging reads only the directory and two entries. Part of the tool,
// not of the reader library (it needs the platform's calls).
#pragma once

#include <string_view>

class MappedFile {
 public:
  explicit MappedFile(const char* path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool Ok() const { return ok_; }
  std::string_view Bytes() const { return std::string_view(static_cast<const char*>(data_), size_); }

 private:
  bool ok_ = false;
  const void* data_ = nullptr;
  size_t size_ = 0;
#ifdef _WIN32
  void* file_ = nullptr;
  void* mapping_ = nullptr;
#endif
};
