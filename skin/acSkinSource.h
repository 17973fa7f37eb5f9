// Where a skin's options text and images come from: a packed archive already
// unpacked in memory, or a skin folder on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TacSkinConvertor;

class TacSkinSource {
 public:
  virtual ~TacSkinSource() = default;
  // The options text; false when the skin has none.
  virtual bool ReadOptionsText(std::string& text) = 0;
  // The bytes of the image a reference names, valid until the next call; false
  // when there is no such image. The reference is passed as the skin format
  // compares it (the caller upper-cases where the format says so).
  virtual bool FindImage(const std::string& reference, const uint8_t*& data, size_t& size) = 0;
  // TsSkinData.SkinPath of the skin.
  virtual std::string SkinPath() const = 0;
};

// Images are the reader's items whose upper-cased names equal the reference.
class TacPackedSkinSource : public TacSkinSource {
 public:
  // `skinPath` is the skin directory for an ".asz" file, empty for an internal skin.
  explicit TacPackedSkinSource(const TacSkinConvertor& reader, std::string skinPath = std::string())
      : reader_(reader), skinPath_(std::move(skinPath)) {}
  bool ReadOptionsText(std::string& text) override;
  bool FindImage(const std::string& reference, const uint8_t*& data, size_t& size) override;
  std::string SkinPath() const override { return skinPath_; }

 private:
  const TacSkinConvertor& reader_;
  std::string skinPath_;
};

// "Options.dat" and the images of a folder. A reference containing ":" is a
// full file name, any other is taken relative to the folder.
class TacFolderSkinSource : public TacSkinSource {
 public:
  // A separator is added to `skinPath` when it does not end with one.
  explicit TacFolderSkinSource(std::string skinPath);
  bool ReadOptionsText(std::string& text) override;
  bool FindImage(const std::string& reference, const uint8_t*& data, size_t& size) override;
  std::string SkinPath() const override { return skinPath_; }

 private:
  std::string skinPath_;
  std::vector<uint8_t> buffer_;
};
