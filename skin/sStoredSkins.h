// Skins stored with a form: a name and the packed archive ("Data"), or, for old
// forms without packed data, a description of the skin's global values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TsStoredSkin {
  std::string Name;
  std::vector<uint8_t> Data;  // the packed archive; empty for the legacy description
  // The legacy description's global values (used only when Data is empty).
  uint32_t Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  uint32_t BorderColor = 0xFF00FF;
  double Version = 0;
  std::string Author;
  std::string Description;
};

class TsStoredSkins {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  TsStoredSkin& Items(int index) { return items_[static_cast<size_t>(index)]; }
  const TsStoredSkin& Items(int index) const { return items_[static_cast<size_t>(index)]; }
  TsStoredSkin& Add() { return items_.emplace_back(); }
  TsStoredSkin& Add(const std::string& name, const uint8_t* data, size_t size) {
    TsStoredSkin& s = items_.emplace_back();
    s.Name = name;
    s.Data.assign(data, data + size);
    return s;
  }
  void Clear() { items_.clear(); }
  // The first item of exactly that name (letter case counts); null when none.
  const TsStoredSkin* Find(const std::string& name) const {
    for (const TsStoredSkin& s : items_)
      if (s.Name == name) return &s;
    return nullptr;
  }

 private:
  std::vector<TsStoredSkin> items_;
};
