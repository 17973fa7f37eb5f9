#include "skin/sGradientData.h"

#include "skin/acStrToInt.h"

TsGradArray ParseGradientData(std::string_view text) {
  // Numbers between ";" (empty words skipped), five to a stop; the fifth is not read.
  TsGradArray result;
  std::string_view words[5];
  size_t count = 0, pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(';', pos);
    if (end == std::string_view::npos) end = text.size();
    if (end > pos) words[count++] = text.substr(pos, end - pos);
    pos = end + 1;
    if (count < 5) continue;
    count = 0;
    int32_t c1 = StrToInt(words[0]), c2 = StrToInt(words[1]), percent = StrToInt(words[2]), mode = StrToInt(words[3]);
    TsGradPiece piece{};
    piece.Color1 = c1 < 0 ? 0u : static_cast<uint32_t>(c1);
    piece.Color2 = c2 < 0 ? 0u : static_cast<uint32_t>(c2);
    piece.Percent = static_cast<uint8_t>(percent < 0 ? 0 : percent > 100 ? 100 : percent);
    piece.Mode = mode;
    piece.Reserved = 0;
    result.push_back(piece);
  }
  return result;
}
