// A typed value of compiled Android resources (the Res_value record).
#pragma once

#include <cstdint>
#include <string>

struct ResValue {
  enum Type : uint8_t {
    kNull = 0x00,
    kReference = 0x01,
    kAttribute = 0x02,
    kString = 0x03,
    kFloat = 0x04,
    kDimension = 0x05,
    kFraction = 0x06,
    kDynamicReference = 0x07,
    kIntDec = 0x10,
    kIntHex = 0x11,
    kIntBoolean = 0x12,
  };
  uint8_t type = kNull;
  uint32_t data = 0;
  std::string string;  // the pool's string for kString, else empty

  bool IsReference() const { return type == kReference || type == kDynamicReference; }
  bool IsInteger() const { return type >= kIntDec && type <= 0x1F; }
};
