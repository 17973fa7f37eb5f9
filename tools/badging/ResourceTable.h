// A package's compiled resource table (resources.arsc): its packages and their
// typed entries per configuration, so that a reference resolves to the value the
// best matching configuration gives it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/badging/ResConfig.h"
#include "tools/badging/ResStringPool.h"
#include "tools/badging/ResValue.h"

// What a lookup asks for: a locale (empty language: the default) and a density
// (0: the default, taken as medium).
struct ResRequest {
  std::string language, country, script;
  uint16_t density = 0;
};

class ResourceTable {
 public:
  // Reads the table's bytes, which must outlive this object. False with a reason
  // when they are no resource table or its chunks are damaged.
  bool Parse(std::string_view bytes, std::string& error);

  // Every configuration some type of the table has values for, in table order.
  const std::vector<ResConfig>& Configs() const { return configs_; }

  // The value of resource id for the request, references followed to their end
  // (kString values carry their text). False when no configuration gives it a
  // simple value or a reference leads nowhere.
  bool Resolve(uint32_t id, const ResRequest& request, ResValue& value) const;

 private:
  struct TypeChunk {
    uint8_t typeId;
    bool sparse;
    uint32_t entryCount;
    std::string_view entries;     // the entry offsets
    std::string_view entryData;   // from entriesStart to the chunk's end
    int config;                   // index into configs_
  };
  struct Package {
    uint32_t id;
    std::vector<TypeChunk> types;
  };
  bool ResolveOnce(uint32_t id, const ResRequest& request, ResValue& value) const;

  ResStringPool strings_;
  std::vector<Package> packages_;
  std::vector<ResConfig> configs_;
};
