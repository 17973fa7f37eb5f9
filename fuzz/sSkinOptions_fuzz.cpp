// Options-file parser and its lookups on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/sSkinOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  size_t split = text.find('\0');
  TsSkinOptions options(text.substr(0, split));
  for (const TsSkinOptionSection& section : options.Sections()) {
    const TsSkinOptionSection* first = options.FindSection(section.Name);
    if (!first) __builtin_trap();
    for (const TsSkinOptionKey& key : section.Keys) {
      options.ReadInteger(section.Name, key.Name, 0);
      options.ReadFloat(section.Name, key.Name, 0);
      // Lookups reach the keys of the first section of a name only.
      if (first == &section && !options.FindKey(section.Name, key.Name)) __builtin_trap();
    }
  }
  if (split != std::string_view::npos) options.MergeText(text.substr(split + 1));
  return 0;
}
