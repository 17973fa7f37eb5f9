// Skin archive reader on arbitrary bytes: a clean error or a complete unpack.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "skin/acAnsiText.h"
#include "skin/acSkinPack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<TacSkinConvertor> reader;
  try {
    UnpackSkinData(data, size, reader);
  } catch (const EacSkinPackError&) {
    if (reader) __builtin_trap();  // a failed unpack must leave no reader
    return 0;
  }
  for (const TacImageItem& item : reader->ImageItems()) {
    const TacImageItem* found = reader->FindImage(AnsiUpperCase(item.Name));
    if (found && AnsiUpperCase(found->Name) != AnsiUpperCase(item.Name)) __builtin_trap();
  }
  return 0;
}
