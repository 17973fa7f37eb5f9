#include "tools/badging/ResConfig.h"

#include <algorithm>
#include <cstring>

namespace {

// Two bytes holding two letters, or (top bit set) three packed 5-bit letters.
std::string UnpackCode(uint8_t a, uint8_t b, char base) {
  if (a & 0x80) {
    std::string out(3, base);
    out[0] = static_cast<char>(base + (b & 0x1F));
    out[1] = static_cast<char>(base + ((b & 0xE0) >> 5) + ((a & 0x03) << 3));
    out[2] = static_cast<char>(base + ((a & 0x7C) >> 2));
    return out;
  }
  std::string out;
  if (a) out += static_cast<char>(a);
  if (b) out += static_cast<char>(b);
  return out;
}

std::string FixedText(const uint8_t* p, size_t length) {
  size_t n = 0;
  while (n < length && p[n]) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

}  // namespace

bool ResConfig::Parse(std::string_view bytes) {
  if (bytes.size() < 4) return false;
  uint8_t c[64] = {};
  const uint32_t declared = static_cast<uint8_t>(bytes[0]) | static_cast<uint8_t>(bytes[1]) << 8 |
                            static_cast<uint32_t>(static_cast<uint8_t>(bytes[2])) << 16 |
                            static_cast<uint32_t>(static_cast<uint8_t>(bytes[3])) << 24;
  const size_t size = std::min<size_t>({declared, bytes.size(), sizeof c});
  std::memcpy(c, bytes.data(), size);
  auto u16 = [&](int at) { return static_cast<uint16_t>(c[at] | c[at + 1] << 8); };
  mcc = u16(4);
  mnc = u16(6);
  language = UnpackCode(c[8], c[9], 'a');
  country = UnpackCode(c[10], c[11], '0');
  density = u16(14);
  sdkVersion = u16(24);
  // A script the compiler worked out itself is not part of the locale's name.
  const bool scriptComputed = c[52] != 0;
  script = scriptComputed ? std::string() : FixedText(c + 36, 4);
  variant = FixedText(c + 40, 8);
  otherQualifiers = 0;
  const int others[] = {12, 13, 16, 17, 18, 20, 21, 22, 23, 28, 29, 30, 31, 32, 33, 34, 35, 48, 49};
  for (int at : others) otherQualifiers += c[at] != 0;
  return true;
}

std::string ResConfig::LocaleName() const {
  if (language.empty()) return std::string();
  std::string name = language;
  if (!script.empty()) name += "-" + script;
  if (!country.empty()) name += "-" + country;
  if (!variant.empty()) name += "-" + variant;
  return name;
}
