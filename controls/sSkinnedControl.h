// What every skinned control carries before its skin binding attaches: the name
// of the skin section it is painted from (stored upper-cased).
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

class TsSkinSectionName {
 public:
  const std::string& SkinSection() const { return section_; }
  void SetSkinSection(const std::string& name) {
    section_ = name;
    std::transform(section_.begin(), section_.end(), section_.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  }

 private:
  std::string section_;
};
