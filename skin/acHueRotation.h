// RotateHue's result for one offset, computed with integers.
//
// The double-precision HSV round trip rounds three values to integers: the turned
// hue and, in the colour's sector, the two channels between its minimum and its
// maximum. For 8-bit channels each exact value is a fraction with denominator 2d
// (the hue; d = max - min) or 60 (the channels), so it lies at least 1/510 from a
// rounding boundary unless it lies exactly on one, while the doubles stray from
// it by less than 1e-6. Away from those halfway cases the rounding is therefore
// that of the exact fraction; on them the double arithmetic decides, so they are
// handed to RotateHue itself. The tests compare the two over every colour.
#pragma once

#include <cstdint>

class TacHueRotation {
 public:
  explicit TacHueRotation(int offset);
  // RotateHue(offset, color), exactly.
  uint32_t operator()(uint32_t color) const;

 private:
  // A colour's hue before the turn, -60..300 degrees, is Hues + 60 entries.
  static constexpr int Hues = 361;
  int offset_;
  // By hue + 60: the turned hue's sector (high byte) and its degree in it (low byte).
  uint16_t turned_[Hues];
};
