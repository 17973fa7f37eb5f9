#include "tools/badging/ResourceTable.h"

#include "tools/badging/ByteView.h"

namespace {

constexpr uint16_t kTableType = 0x0002;
constexpr uint16_t kStringPoolType = 0x0001;
constexpr uint16_t kPackageType = 0x0200;
constexpr uint16_t kTypeType = 0x0201;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;
constexpr uint16_t kComplexEntry = 0x0001;
constexpr uint8_t kSparseType = 0x01;
// References that point at references: a chain this long is a loop.
constexpr int kMaxReferenceDepth = 16;

bool Matches(const ResConfig& c, const ResRequest& r) {
  if (c.mcc || c.mnc) return false;
  if (!c.language.empty() && c.language != r.language) return false;
  if (!c.country.empty() && c.country != r.country) return false;
  if (!c.script.empty() && c.script != r.script) return false;
  if (!c.variant.empty()) return false;
  return true;
}

uint16_t EffectiveDensity(uint16_t d) { return d == 0 ? ResConfig::kDensityMedium : d; }

// True when a serves the request better than b; both match it.
bool Better(const ResConfig& a, const ResConfig& b, const ResRequest& r) {
  if (a.language.empty() != b.language.empty()) return !a.language.empty();
  if (a.script.empty() != b.script.empty()) return !a.script.empty();
  if (a.country.empty() != b.country.empty()) return !a.country.empty();
  if (a.density != b.density) {
    if (a.density == ResConfig::kDensityAny) return true;
    if (b.density == ResConfig::kDensityAny) return false;
    const int64_t requested =
        r.density == 0 || r.density == ResConfig::kDensityAny ? ResConfig::kDensityMedium : r.density;
    int64_t h = EffectiveDensity(a.density), l = EffectiveDensity(b.density);
    bool aIsHigher = true;
    if (l > h) {
      std::swap(h, l);
      aIsHigher = false;
    }
    if (h != l) {
      if (requested >= h) return aIsHigher;   // both too small: the larger
      if (l >= requested) return !aIsHigher;  // both large enough: the smaller
      // One each side: scaling down counts twice as good as scaling up.
      if ((2 * l - requested) * h > requested * requested) return !aIsHigher;
      return aIsHigher;
    }
  }
  if (a.sdkVersion != b.sdkVersion) return a.sdkVersion > b.sdkVersion;
  return a.otherQualifiers < b.otherQualifiers;
}

}  // namespace

bool ResourceTable::Parse(std::string_view bytes, std::string& error) {
  packages_.clear();
  configs_.clear();
  const ByteView table(bytes);
  const uint16_t headerSize = table.U16(2);
  const uint64_t size = table.U32(4);
  if (table.U16(0) != kTableType || headerSize < 12 || size < headerSize || size > table.size()) {
    error = "not a resource table";
    return false;
  }
  auto damaged = [&](const char* what) {
    error = std::string("damaged resource table: ") + what;
    return false;
  };
  bool havePool = false;
  for (uint64_t at = headerSize; at + 8 <= size;) {
    const uint16_t type = table.U16(at);
    const uint16_t chunkHeader = table.U16(at + 2);
    const uint64_t chunkSize = table.U32(at + 4);
    if (chunkSize < 8 || chunkHeader < 8 || chunkHeader > chunkSize || at + chunkSize > size) return damaged("chunk");
    const ByteView chunk = table.Sub(at, chunkSize);
    if (type == kStringPoolType && !havePool) {
      if (!strings_.Parse(chunk.bytes())) return damaged("string pool");
      havePool = true;
    } else if (type == kPackageType) {
      if (chunkHeader < 12) return damaged("package");
      Package package;
      package.id = chunk.U32(8);
      for (uint64_t p = chunkHeader; p + 8 <= chunkSize;) {
        const uint16_t innerType = chunk.U16(p);
        const uint16_t innerHeader = chunk.U16(p + 2);
        const uint64_t innerSize = chunk.U32(p + 4);
        if (innerSize < 8 || innerHeader < 8 || innerHeader > innerSize || p + innerSize > chunkSize)
          return damaged("package chunk");
        if (innerType == kTypeType) {
          const ByteView t = chunk.Sub(p, innerSize);
          if (innerHeader < 20 + 4) return damaged("type");
          TypeChunk typeChunk;
          typeChunk.typeId = t.U8(8);
          typeChunk.sparse = (t.U8(9) & kSparseType) != 0;
          typeChunk.entryCount = t.U32(12);
          const uint32_t entriesStart = t.U32(16);
          ResConfig config;
          if (!config.Parse(t.bytes().substr(20, innerHeader - 20))) return damaged("configuration");
          if (!t.Has(innerHeader, uint64_t(typeChunk.entryCount) * 4) || entriesStart > innerSize)
            return damaged("entries");
          typeChunk.entries = t.bytes().substr(innerHeader, uint64_t(typeChunk.entryCount) * 4);
          typeChunk.entryData = t.bytes().substr(entriesStart);
          typeChunk.config = static_cast<int>(configs_.size());
          configs_.push_back(std::move(config));
          package.types.push_back(typeChunk);
        }
        p += innerSize;
      }
      packages_.push_back(std::move(package));
    }
    at += chunkSize;
  }
  return true;
}

bool ResourceTable::ResolveOnce(uint32_t id, const ResRequest& request, ResValue& value) const {
  const uint32_t packageId = id >> 24;
  const uint8_t typeId = static_cast<uint8_t>(id >> 16);
  const uint32_t entryIndex = id & 0xFFFF;
  const ResConfig* best = nullptr;
  for (const Package& package : packages_) {
    if (package.id != packageId) continue;
    for (const TypeChunk& t : package.types) {
      if (t.typeId != typeId) continue;
      const ResConfig& config = configs_[t.config];
      if (!Matches(config, request) || (best && !Better(config, *best, request))) continue;
      const ByteView offsets(t.entries);
      uint64_t offset = kNoEntry;
      if (t.sparse) {
        for (uint32_t i = 0; i < t.entryCount; ++i) {
          if (offsets.U16(uint64_t(i) * 4) == entryIndex) {
            offset = uint64_t(offsets.U16(uint64_t(i) * 4 + 2)) * 4;
            break;
          }
        }
      } else if (entryIndex < t.entryCount) {
        offset = offsets.U32(uint64_t(entryIndex) * 4);
      }
      if (offset == kNoEntry) continue;
      const ByteView data(t.entryData);
      const uint16_t entrySize = data.U16(offset);
      const uint16_t flags = data.U16(offset + 2);
      if (entrySize < 8 || (flags & kComplexEntry) || !data.Has(offset + entrySize, 8)) continue;
      value.type = data.U8(offset + entrySize + 3);
      value.data = data.U32(offset + entrySize + 4);
      best = &config;
    }
  }
  if (!best) return false;
  value.string = value.type == ResValue::kString ? strings_.At(value.data) : std::string();
  return true;
}

bool ResourceTable::Resolve(uint32_t id, const ResRequest& request, ResValue& value) const {
  for (int depth = 0; depth < kMaxReferenceDepth; ++depth) {
    if (!ResolveOnce(id, request, value)) return false;
    if (!value.IsReference()) return true;
    if (value.data == 0) return false;  // @null
    id = value.data;
  }
  return false;
}
