#include "skin/sSkinOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "skin/acAnsiText.h"
#include "skin/acStrToInt.h"

std::string_view TrimSkinText(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

namespace {
uint32_t CaseFreeHash(std::string_view name) {
  uint32_t h = 2166136261u;  // FNV-1a over upper-cased bytes
  for (char c : name) h = (h ^ static_cast<uint8_t>(AnsiUpperChar(c))) * 16777619u;
  return h;
}
const std::string& SectionName(const TsSkinOptionSection& s) { return s.Name; }
const std::string& KeyName(const TsSkinOptionKey& k) { return k.Name; }
}  // namespace

template <typename Range, typename NameOf>
size_t TsSkinOptions::Find(const Entry* begin, const Entry* end, const Range& items, NameOf nameOf,
                           std::string_view name) {
  const uint32_t h = CaseFreeHash(name);
  const Entry* it = std::lower_bound(begin, end, Entry(h, 0));
  for (; it != end && it->first == h; ++it)
    if (SameText(nameOf(items[it->second]), name)) return it->second;
  return npos;
}

void TsSkinOptions::Clear() {
  sections_.clear();
  Reindex();
}

void TsSkinOptions::LoadFromText(std::string_view text) {
  sections_.clear();
  AddLines(text);
  Reindex();
}

void TsSkinOptions::MergeText(std::string_view text) {
  TsSkinOptions extra(text);
  for (TsSkinOptionSection& section : extra.sections_) {
    const size_t found = FindSectionIndex(section.Name);
    if (found == npos) {
      sections_.push_back(std::move(section));
      Reindex();
      continue;
    }
    TsSkinOptionSection& target = sections_[found];
    for (TsSkinOptionKey& key : section.Keys) {
      const size_t k = Find(keyIndex_.data() + keyRanges_[found], keyIndex_.data() + keyRanges_[found + 1],
                            target.Keys, KeyName, key.Name);
      if (k != npos)
        target.Keys[k].Value = std::move(key.Value);
      else
        target.Keys.push_back(std::move(key));
    }
    Reindex();
  }
}

void TsSkinOptions::AddLines(std::string_view text) {
  TsSkinOptionSection* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = TrimSkinText(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections_.push_back(TsSkinOptionSection{std::string(TrimSkinText(line.substr(1, line.size() - 2))), {}});
      current = &sections_.back();
      current->Keys.reserve(8);
      continue;
    }
    size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    current->Keys.push_back(TsSkinOptionKey{std::string(TrimSkinText(line.substr(0, eq))),
                                            std::string(TrimSkinText(line.substr(eq + 1)))});
  }
}

void TsSkinOptions::Reindex() {
  sectionIndex_.clear();
  sectionIndex_.reserve(sections_.size());
  keyIndex_.clear();
  keyRanges_.assign(1, 0);
  for (size_t s = 0; s < sections_.size(); ++s) {
    sectionIndex_.emplace_back(CaseFreeHash(sections_[s].Name), static_cast<uint32_t>(s));
    for (size_t k = 0; k < sections_[s].Keys.size(); ++k)
      keyIndex_.emplace_back(CaseFreeHash(sections_[s].Keys[k].Name), static_cast<uint32_t>(k));
    std::sort(keyIndex_.begin() + static_cast<ptrdiff_t>(keyRanges_.back()), keyIndex_.end());
    keyRanges_.push_back(keyIndex_.size());
  }
  std::sort(sectionIndex_.begin(), sectionIndex_.end());
}

size_t TsSkinOptions::FindSectionIndex(std::string_view name) const {
  return Find(sectionIndex_.data(), sectionIndex_.data() + sectionIndex_.size(), sections_, SectionName, name);
}

const TsSkinOptionSection* TsSkinOptions::FindSection(std::string_view name) const {
  const size_t i = FindSectionIndex(name);
  return i == npos ? nullptr : &sections_[i];
}

const TsSkinOptionKey* TsSkinOptions::FindKeyAt(size_t section, std::string_view key) const {
  if (section >= sections_.size()) return nullptr;
  const size_t k = Find(keyIndex_.data() + keyRanges_[section], keyIndex_.data() + keyRanges_[section + 1],
                        sections_[section].Keys, KeyName, key);
  return k == npos ? nullptr : &sections_[section].Keys[k];
}

const TsSkinOptionKey* TsSkinOptions::FindKey(std::string_view section, std::string_view key) const {
  const size_t s = FindSectionIndex(section);
  return s == npos ? nullptr : FindKeyAt(s, key);
}

std::string TsSkinOptions::ReadString(std::string_view section, std::string_view key,
                                      std::string_view fallback) const {
  const TsSkinOptionKey* k = FindKey(section, key);
  return std::string(k ? std::string_view(k->Value) : fallback);
}

int TsSkinOptions::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const TsSkinOptionKey* k = FindKey(section, key);
  return k ? StrToIntDef(k->Value, fallback) : fallback;
}

double TsSkinOptions::ReadFloat(std::string_view section, std::string_view key, double fallback) const {
  const TsSkinOptionKey* k = FindKey(section, key);
  if (!k) return fallback;
  std::string_view v = k->Value;
  if (!v.empty() && v[0] == '+') v.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
  if (ec != std::errc() || end != v.data() + v.size() || v.empty() || !std::isfinite(value)) return fallback;
  return value;
}
