#include "tools/badging/BinaryXml.h"

#include "tools/badging/ByteView.h"
#include "tools/badging/ResStringPool.h"

namespace {

constexpr uint16_t kXmlType = 0x0003;
constexpr uint16_t kStringPoolType = 0x0001;
constexpr uint16_t kResourceMapType = 0x0180;
constexpr uint16_t kStartElementType = 0x0102;
constexpr uint16_t kEndElementType = 0x0103;
constexpr size_t kNodeHeaderSize = 16;
constexpr size_t kAttrExtSize = 20;
constexpr size_t kAttributeSize = 20;
// Deeper nesting than any manifest has: a guard against crafted files.
constexpr size_t kMaxDepth = 256;

}  // namespace

const char* const BinaryXml::kAndroidNamespace = "http://schemas.android.com/apk/res/android";

bool BinaryXml::Parse(std::string_view bytes, std::string& error) {
  elements_.clear();
  const ByteView xml(bytes);
  const uint16_t headerSize = xml.U16(2);
  const uint64_t size = xml.U32(4);
  if (xml.U16(0) != kXmlType || headerSize < 8 || size < headerSize || size > xml.size()) {
    error = "not a compiled XML file";
    return false;
  }
  ResStringPool pool;
  bool havePool = false;
  std::vector<uint32_t> resourceIds;
  std::vector<int> open;
  for (uint64_t at = headerSize; at + 8 <= size;) {
    const uint16_t type = xml.U16(at);
    const uint16_t chunkHeader = xml.U16(at + 2);
    const uint64_t chunkSize = xml.U32(at + 4);
    if (chunkSize < 8 || chunkHeader < 8 || chunkHeader > chunkSize || !xml.Has(at, chunkSize) || at + chunkSize > size) {
      error = "damaged XML chunk";
      return false;
    }
    const ByteView chunk = xml.Sub(at, chunkSize);
    if (type == kStringPoolType && !havePool) {
      if (!pool.Parse(chunk.bytes())) {
        error = "damaged XML string pool";
        return false;
      }
      havePool = true;
    } else if (type == kResourceMapType) {
      resourceIds.clear();
      for (uint64_t i = chunkHeader; i + 4 <= chunkSize; i += 4) resourceIds.push_back(chunk.U32(i));
    } else if (type == kStartElementType) {
      if (chunkHeader < kNodeHeaderSize || !chunk.Has(chunkHeader, kAttrExtSize) || open.size() >= kMaxDepth) {
        error = "damaged XML element";
        return false;
      }
      const uint64_t ext = chunkHeader;
      XmlElement element;
      element.ns = pool.At(chunk.U32(ext));
      element.name = pool.At(chunk.U32(ext + 4));
      const uint16_t attributeStart = chunk.U16(ext + 8);
      const uint16_t attributeSize = chunk.U16(ext + 10);
      const uint16_t attributeCount = chunk.U16(ext + 12);
      if (attributeCount && (attributeSize < kAttributeSize ||
                             !chunk.Has(ext + attributeStart, uint64_t(attributeSize) * attributeCount))) {
        error = "damaged XML attributes";
        return false;
      }
      for (uint16_t i = 0; i < attributeCount; ++i) {
        const uint64_t a = ext + attributeStart + uint64_t(i) * attributeSize;
        XmlAttribute attribute;
        attribute.ns = pool.At(chunk.U32(a));
        const uint32_t nameIndex = chunk.U32(a + 4);
        attribute.name = pool.At(nameIndex);
        if (nameIndex < resourceIds.size()) attribute.resourceId = resourceIds[nameIndex];
        const uint32_t rawIndex = chunk.U32(a + 8);
        attribute.hasRaw = rawIndex != 0xFFFFFFFF && rawIndex < pool.Size();
        if (attribute.hasRaw) attribute.raw = pool.At(rawIndex);
        attribute.value.type = chunk.U8(a + 15);
        attribute.value.data = chunk.U32(a + 16);
        if (attribute.value.type == ResValue::kString) attribute.value.string = pool.At(attribute.value.data);
        element.attributes.push_back(std::move(attribute));
      }
      element.parent = open.empty() ? -1 : open.back();
      const int index = static_cast<int>(elements_.size());
      if (!open.empty()) elements_[open.back()].children.push_back(index);
      elements_.push_back(std::move(element));
      open.push_back(index);
    } else if (type == kEndElementType) {
      if (open.empty()) {
        error = "unbalanced XML element";
        return false;
      }
      open.pop_back();
    }
    at += chunkSize;
  }
  if (elements_.empty()) {
    error = "XML without elements";
    return false;
  }
  return true;
}

const XmlAttribute* FindAndroidAttribute(const XmlElement& element, uint32_t resourceId, std::string_view name) {
  for (const XmlAttribute& a : element.attributes)
    if (a.resourceId == resourceId) return &a;
  for (const XmlAttribute& a : element.attributes)
    if (a.resourceId == 0 && a.name == name && a.ns == BinaryXml::kAndroidNamespace) return &a;
  return nullptr;
}

const XmlAttribute* FindPlainAttribute(const XmlElement& element, std::string_view name) {
  for (const XmlAttribute& a : element.attributes)
    if (a.ns.empty() && a.name == name) return &a;
  return nullptr;
}
