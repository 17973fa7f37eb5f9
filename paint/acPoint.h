// A point of signed 32-bit coordinates.
#pragma once

#include <cstdint>

struct TacPoint {
  int32_t X;
  int32_t Y;
};
