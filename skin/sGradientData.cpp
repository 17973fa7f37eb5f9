#include "skin/sGradientData.h"

#include "skin/acStrToInt.h"

TsGradArray ParseGradientData(std::string_view text) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(';', pos);
    if (end == std::string_view::npos) end = text.size();
    if (end > pos) words.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  TsGradArray result;
  size_t count = words.size() / 5;
  result.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const std::string_view* w = &words[i * 5];
    int32_t c1 = StrToInt(w[0]), c2 = StrToInt(w[1]), percent = StrToInt(w[2]), mode = StrToInt(w[3]);
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
