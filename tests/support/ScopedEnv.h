// Windows-side test helpers: an environment variable set for one scope (child
// processes inherit it), and writing/reading whole files.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) { SetEnvironmentVariableA(name, value.c_str()); }
  ~ScopedEnv() { SetEnvironmentVariableA(name_, nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
