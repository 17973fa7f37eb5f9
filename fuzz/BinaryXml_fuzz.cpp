// A package's AndroidManifest.xml is compiled XML from whoever built the package.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/badging/BinaryXml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BinaryXml xml;
  std::string error;
  if (!xml.Parse(std::string_view(reinterpret_cast<const char*>(data), size), error)) return 0;
  const auto& elements = xml.Elements();
  for (size_t i = 0; i < elements.size(); ++i) {
    const XmlElement& e = elements[i];
    // Parents come before their children, and every child index names a later element.
    if (e.parent >= static_cast<int>(i)) __builtin_trap();
    for (int child : e.children)
      if (child <= static_cast<int>(i) || child >= static_cast<int>(elements.size())) __builtin_trap();
    FindAndroidAttribute(e, 0x01010003, "name");
    FindPlainAttribute(e, "package");
  }
  return 0;
}
