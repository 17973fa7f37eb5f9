#include "skin/acSkinSource.h"

#include "skin/acAnsiFile.h"
#include "skin/acSkinPack.h"

bool TacPackedSkinSource::ReadOptionsText(std::string& text) {
  if (!reader_.HasOptions()) return false;
  text = reader_.OptionsText();
  return true;
}

bool TacPackedSkinSource::FindImage(const std::string& reference, const uint8_t*& data, size_t& size) {
  const TacImageItem* item = reader_.FindImage(reference);
  if (!item) return false;
  data = item->Data.data();
  size = item->Data.size();
  return true;
}

TacFolderSkinSource::TacFolderSkinSource(std::string skinPath) : skinPath_(std::move(skinPath)) {
  if (!skinPath_.empty() && skinPath_.back() != '/' && skinPath_.back() != '\\') {
#ifdef _WIN32
    skinPath_ += '\\';
#else
    skinPath_ += '/';
#endif
  }
}

bool TacFolderSkinSource::ReadOptionsText(std::string& text) {
  if (!ReadAnsiFile(skinPath_ + "Options.dat", buffer_)) return false;
  text.assign(buffer_.begin(), buffer_.end());
  buffer_.clear();
  return true;
}

bool TacFolderSkinSource::FindImage(const std::string& reference, const uint8_t*& data, size_t& size) {
  if (reference.empty()) return false;
  std::string name = reference.find(':') != std::string::npos ? reference : skinPath_ + reference;
  if (!ReadAnsiFile(name, buffer_)) return false;
  data = buffer_.data();
  size = buffer_.size();
  return true;
}
