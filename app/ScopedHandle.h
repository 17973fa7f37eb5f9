// Owning wrappers for kernel handles and registry keys: closed on every path.
#pragma once

#include <windows.h>

#include <utility>

class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE h) : h_(h) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(ScopedHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Close();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE Get() const { return h_; }
  // For APIs that return a handle through a pointer; closes the old one first.
  HANDLE* Receive() {
    Close();
    return &h_;
  }
  bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (Valid()) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_ = nullptr;
};

class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  explicit ScopedRegKey(HKEY key) : key_(key) {}
  ~ScopedRegKey() { Close(); }
  ScopedRegKey(ScopedRegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  ScopedRegKey& operator=(ScopedRegKey&& other) noexcept {
    if (this != &other) {
      Close();
      key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
  }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;

  HKEY Get() const { return key_; }
  void Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};
