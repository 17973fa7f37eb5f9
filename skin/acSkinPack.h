// Reader of packed skin archives ("ASzf"): a count of entries, each a name, its
// inflated size and one zlib stream. The options file "Options.dat" (any letter
// case) goes to the options stream, every other entry becomes an image item.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Every error of the archive reader.
class EacSkinPackError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// The data is not an archive at all (wrong magic).
class EacNotPackedSkin : public EacSkinPackError {
 public:
  EacNotPackedSkin();
};
// A zlib stream is damaged (bad header, bad data, checksum mismatch, too long).
class EacDecompressionError : public EacSkinPackError {
 public:
  using EacSkinPackError::EacSkinPackError;
};
// The archive ends before a field or an entry's bytes (also absurd sizes).
class EacStreamReadError : public EacSkinPackError {
 public:
  using EacSkinPackError::EacSkinPackError;
};

// Limits checked before anything is allocated.
constexpr int32_t MaxSkinPackEntrySize = 64 * 1024 * 1024;
// Deflate cannot expand one input byte to more than about 1032 output bytes.
constexpr uint64_t MaxDeflateRatio = 1032;

struct TacImageItem {
  std::string Name;           // as stored
  std::vector<uint8_t> Data;  // inflated bytes
};

class TacSkinConvertor {
 public:
  TacSkinConvertor() = default;
  TacSkinConvertor(const TacSkinConvertor&) = delete;
  TacSkinConvertor& operator=(const TacSkinConvertor&) = delete;

  // Borrows packed bytes owned by the caller (an internal skin's stored data);
  // they must stay alive until Unpack has run.
  void SetSource(const uint8_t* data, size_t size);
  // Takes ownership of packed bytes (read from a file).
  void SetOwnedSource(std::vector<uint8_t> data);
  // Frees an owned source; the unpacked contents stay.
  void ReleaseSource();

  // Unpacks the source. On any error the reader is cleared and the error raised:
  // EacNotPackedSkin, EacDecompressionError or EacStreamReadError.
  void Unpack();
  // Frees every item, the options stream and an owned source.
  void Clear();

  bool HasOptions() const { return hasOptions_; }
  const std::vector<uint8_t>& Options() const { return options_; }
  std::string OptionsText() const { return std::string(options_.begin(), options_.end()); }
  // Entry count - 1, as the archive declares it.
  int ImageCount() const { return imageCount_; }
  const std::vector<TacImageItem>& ImageItems() const { return items_; }
  // The first of the first ImageCount items whose upper-cased name equals `reference`
  // exactly (a reference in lower case is therefore never found); null when none.
  const TacImageItem* FindImage(const std::string& reference) const;

 private:
  void UnpackUnchecked();

  const uint8_t* source_ = nullptr;
  size_t sourceSize_ = 0;
  std::vector<uint8_t> ownedSource_;
  bool hasOptions_ = false;
  std::vector<uint8_t> options_;
  int imageCount_ = 0;
  std::vector<TacImageItem> items_;
};

// Loads an archive file into `reader`. Does nothing and returns false when the file
// does not exist. Otherwise clears (or creates) the reader, reads the whole file,
// unpacks it and, when `releaseSource` is set, frees the packed bytes. On an error
// the reader is freed (reset to null) and the error raised.
bool LoadSkinPackFile(const std::string& fileName, std::unique_ptr<TacSkinConvertor>& reader,
                      bool releaseSource);
// Unpacks borrowed bytes into `reader` (created when null); on an error the reader is
// freed and the error raised. The bytes are not kept.
void UnpackSkinData(const uint8_t* data, size_t size, std::unique_ptr<TacSkinConvertor>& reader);
