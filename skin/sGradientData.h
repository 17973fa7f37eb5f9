// Gradient descriptions of skin sections ("GRADIENTDATA", "HOTGRADIENTDATA"):
// integers separated by ";", five per piece.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct TsGradPiece {
  uint32_t Color1;   // 0x00BBGGRR; a negative value in the text is stored as 0
  uint32_t Color2;
  uint8_t Percent;   // clamped to 0..100
  int32_t Mode;      // the first piece's mode selects the kind of gradient
  uint32_t Reserved;
};
static_assert(sizeof(TsGradPiece) == 20, "a gradient piece is 20 bytes");

using TsGradArray = std::vector<TsGradPiece>;

// Runs of ";" separate like one; the piece count is the word count div 5, and
// surplus words are not read ("N/A" gives no pieces). A word that is read and is
// not an integer raises EConvertError.
TsGradArray ParseGradientData(std::string_view text);
