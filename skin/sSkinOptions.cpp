#include "skin/sSkinOptions.h"

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

void TsSkinOptions::Clear() {
  sections_.clear();
  index_.clear();
}

void TsSkinOptions::LoadFromText(std::string_view text) {
  Clear();
  AddLines(text);
  Reindex();
}

void TsSkinOptions::MergeText(std::string_view text) {
  TsSkinOptions extra(text);
  for (TsSkinOptionSection& section : extra.sections_) {
    const Index* found = FindIndex(section.Name);
    if (!found) {
      sections_.push_back(std::move(section));
      Reindex();
      continue;
    }
    TsSkinOptionSection& target = sections_[found->Section];
    for (TsSkinOptionKey& key : section.Keys) {
      auto k = found->Keys.find(AnsiUpperCase(key.Name));
      if (k != found->Keys.end())
        target.Keys[k->second].Value = std::move(key.Value);
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
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = TrimSkinText(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections_.push_back(TsSkinOptionSection{std::string(TrimSkinText(line.substr(1, line.size() - 2))), {}});
      current = &sections_.back();
      continue;
    }
    size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    current->Keys.push_back(TsSkinOptionKey{std::string(TrimSkinText(line.substr(0, eq))),
                                            std::string(TrimSkinText(line.substr(eq + 1)))});
  }
}

void TsSkinOptions::Reindex() {
  index_.clear();
  for (size_t s = 0; s < sections_.size(); ++s) {
    auto inserted = index_.emplace(AnsiUpperCase(sections_[s].Name), Index{s, {}});
    if (!inserted.second) continue;
    Index& idx = inserted.first->second;
    const std::vector<TsSkinOptionKey>& keys = sections_[s].Keys;
    for (size_t k = 0; k < keys.size(); ++k) idx.Keys.emplace(AnsiUpperCase(keys[k].Name), k);
  }
}

const TsSkinOptions::Index* TsSkinOptions::FindIndex(std::string_view name) const {
  auto it = index_.find(AnsiUpperCase(name));
  return it == index_.end() ? nullptr : &it->second;
}

const TsSkinOptionSection* TsSkinOptions::FindSection(std::string_view name) const {
  const Index* idx = FindIndex(name);
  return idx ? &sections_[idx->Section] : nullptr;
}

const TsSkinOptionKey* TsSkinOptions::FindKey(std::string_view section, std::string_view key) const {
  const Index* idx = FindIndex(section);
  if (!idx) return nullptr;
  auto it = idx->Keys.find(AnsiUpperCase(key));
  return it == idx->Keys.end() ? nullptr : &sections_[idx->Section].Keys[it->second];
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
