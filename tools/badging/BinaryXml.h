// Compiled ("binary") Android XML as found in a package's AndroidManifest.xml: its
// elements with their attributes, each with the raw text and the typed value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/badging/ResValue.h"

struct XmlAttribute {
  std::string ns;    // namespace URI, empty for none
  std::string name;
  uint32_t resourceId = 0;  // the attribute's id from the resource map, 0 when it has none
  std::string raw;   // the attribute's text as written, when the compiler kept it
  bool hasRaw = false;
  ResValue value;
};

struct XmlElement {
  std::string ns;
  std::string name;
  std::vector<XmlAttribute> attributes;
  int parent = -1;             // index into BinaryXml::Elements(), -1 for a root
  std::vector<int> children;   // indices, in document order
};

class BinaryXml {
 public:
  // False with a reason when the bytes are no compiled XML or are damaged.
  bool Parse(std::string_view bytes, std::string& error);

  // In document order; the first root is element 0.
  const std::vector<XmlElement>& Elements() const { return elements_; }

  static const char* const kAndroidNamespace;

 private:
  std::vector<XmlElement> elements_;
};

// The attribute of element with the given android attribute id, or (when the
// compiler left no id) with that name in the android namespace; null if absent.
const XmlAttribute* FindAndroidAttribute(const XmlElement& element, uint32_t resourceId, std::string_view name);
// The attribute with that name and no namespace; null if absent.
const XmlAttribute* FindPlainAttribute(const XmlElement& element, std::string_view name);
