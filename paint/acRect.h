// Rectangle of signed 32-bit edges. Right and Bottom are exclusive unless the
// routine taking it says otherwise.
#pragma once

#include <cstdint>

struct TacRect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
};
