// The skin options file: ini-style text of named sections. Lines are trimmed of
// blanks and control characters; empty lines and lines starting with ";" are
// ignored; "[name]" starts a section; "key=value" lines inside a section are
// keys (both parts trimmed). Lookups ignore letter case and the first of two
// equal sections or keys wins, while the section list keeps every header in
// file order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TsSkinOptionKey {
  std::string Name;
  std::string Value;
};

struct TsSkinOptionSection {
  std::string Name;  // as written
  std::vector<TsSkinOptionKey> Keys;
};

class TsSkinOptions {
 public:
  TsSkinOptions() = default;
  explicit TsSkinOptions(std::string_view text) { LoadFromText(text); }

  // Replaces the contents with the sections of `text`.
  void LoadFromText(std::string_view text);
  // Adds the sections of `text`: a key of a section that exists is replaced (or
  // added to it), a new section is appended.
  void MergeText(std::string_view text);
  void Clear();

  const std::vector<TsSkinOptionSection>& Sections() const { return sections_; }
  // The first section of that name in any letter case; null when there is none.
  const TsSkinOptionSection* FindSection(std::string_view name) const;
  // The first key of that name in any letter case; null when there is none.
  const TsSkinOptionKey* FindKey(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view name) const { return FindSection(name) != nullptr; }

  // The value, or `fallback` when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // Decimal or "0x"/"$" hexadecimal; `fallback` when missing or not a number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // A real number with "." as decimal separator whatever the locale; `fallback`
  // when missing or not a number.
  double ReadFloat(std::string_view section, std::string_view key, double fallback) const;

  // Position in Sections() of the first section of that name; npos when none.
  size_t FindSectionIndex(std::string_view name) const;
  // The first key of that name in the section at a position of Sections().
  const TsSkinOptionKey* FindKeyAt(size_t section, std::string_view key) const;
  static constexpr size_t npos = static_cast<size_t>(-1);

 private:
  // Case-insensitive lookup of names without building upper-case copies: hashes
  // sorted with positions, so the first of equal names is found first. The keys of
  // all sections share one array, each section a range of it.
  using Entry = std::pair<uint32_t, uint32_t>;  // (hash, position)
  template <typename Range, typename NameOf>
  static size_t Find(const Entry* begin, const Entry* end, const Range& items, NameOf nameOf, std::string_view name);
  void AddLines(std::string_view text);
  void Reindex();

  std::vector<TsSkinOptionSection> sections_;
  std::vector<Entry> sectionIndex_;
  std::vector<Entry> keyIndex_;
  std::vector<size_t> keyRanges_;  // section s: keyIndex_[keyRanges_[s] .. keyRanges_[s + 1])
};

// Trims bytes up to and including the blank (control characters and spaces) at both ends.
std::string_view TrimSkinText(std::string_view text);
