// A package's resources.arsc comes from whoever built the package; the badging
// resolves labels and icons through it for every locale and density it lists.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/badging/ResourceTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResourceTable table;
  std::string error;
  if (!table.Parse(std::string_view(reinterpret_cast<const char*>(data), size), error)) return 0;
  // Ids of the usual first entries of an application's types, and one from the input.
  uint32_t ids[] = {0x7F010000, 0x7F020000, 0x7F030000, 0x7F040000, 0x7F050001, 0x01040000, 0};
  if (size >= 4) ids[6] = data[size - 4] | data[size - 3] << 8 | data[size - 2] << 16 | uint32_t(data[size - 1]) << 24;
  size_t configs = 0;
  for (const ResConfig& config : table.Configs()) {
    if (++configs > 64) break;
    ResRequest request;
    request.language = config.language;
    request.country = config.country;
    request.script = config.script;
    request.density = config.density;
    config.LocaleName();
    for (uint32_t id : ids) {
      ResValue value;
      if (table.Resolve(id, request, value) && value.IsReference()) __builtin_trap();
    }
  }
  return 0;
}
