// Command-line splitting (8-bit and UTF-16) and the decoding of tool output
// (UTF-8 when valid), fed with arbitrary bytes. Checked properties: splitting
// drops only blanks and quotes, and arguments quoted and joined again split back
// to themselves; valid UTF-8 survives the round trip through UTF-16; the UTF-16
// display name never splits a surrogate pair and stays within its byte budget.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandLineSplit.h"
#include "app/PackageDisplayName.h"
#include "app/Utf8Text.h"

namespace {

template <class Char>
void CheckSplit(const std::basic_string<Char>& line) {
  const std::vector<std::basic_string<Char>> args = SplitArguments(line);
  size_t kept = 0;
  std::basic_string<Char> joined;
  for (const auto& a : args) {
    kept += a.size();
    if (a.find(Char('"')) != std::basic_string<Char>::npos) __builtin_trap();
    joined += Char('"');
    joined += a;
    joined += Char('"');
    joined += Char(' ');
  }
  if (kept > line.size()) __builtin_trap();
  if (SplitArguments(joined) != args) __builtin_trap();
}

bool LoneSurrogateAt(const std::u16string& s, size_t i) {
  const char16_t c = s[i];
  if (c >= 0xD800 && c <= 0xDBFF) return i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF;
  if (c >= 0xDC00 && c <= 0xDFFF) return i == 0 || s[i - 1] < 0xD800 || s[i - 1] > 0xDBFF;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckSplit(bytes);
  std::u16string units;
  for (size_t i = 0; i + 1 < size; i += 2) units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  CheckSplit(units);

  const std::u16string decoded = Utf8ToUtf16(bytes);
  if (IsValidUtf8(bytes)) {
    if (Utf16ToUtf8(decoded) != bytes) __builtin_trap();
    for (size_t i = 0; i < decoded.size(); ++i)
      if (LoneSurrogateAt(decoded, i)) __builtin_trap();
  }
  if (!IsValidUtf8(Utf16ToUtf8(units))) __builtin_trap();  // lone surrogates are replaced

  // Unpaired surrogates count as characters of their own, pairs as one of 2 bytes.
  auto gbk = [](char32_t c) -> size_t { return c < 0x80 ? 1 : 2; };
  const std::u16string shown = PackageDisplayName(units, gbk);
  const size_t nameStart = units.find_last_of(u"\\:");
  const std::u16string name = nameStart == std::u16string::npos ? units : units.substr(nameStart + 1);
  if (shown != name) {
    const std::u16string tail = u"***.apk";
    if (shown.size() < tail.size() || shown.compare(shown.size() - tail.size(), tail.size(), tail) != 0)
      __builtin_trap();
    const std::u16string kept = shown.substr(0, shown.size() - tail.size());
    if (name.compare(0, kept.size(), kept) != 0) __builtin_trap();
    size_t keptBytes = 0;
    for (size_t i = 0; i < kept.size(); ++i) {
      const bool high = kept[i] >= 0xD800 && kept[i] <= 0xDBFF;
      const bool pairs = high && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF;
      if (pairs && i + 1 == kept.size()) __builtin_trap();  // a pair cut in two
      keptBytes += gbk(kept[i]);
      if (pairs) ++i;
    }
    if (keptBytes > 32) __builtin_trap();
  }
  return 0;
}
