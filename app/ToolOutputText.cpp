#include "app/ToolOutputText.h"

#include "app/Utf8Text.h"
#include "framework/vclText.h"

std::wstring ToolOutputToWide(const std::string& bytes) {
  if (!IsValidUtf8(bytes)) return GbkToWide(bytes);
  const std::u16string text = Utf8ToUtf16(bytes);
  return std::wstring(text.begin(), text.end());
}

std::string ToolOutputToGbk(const std::string& bytes) {
  if (!IsValidUtf8(bytes)) return bytes;
  bool ascii = true;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  return ascii ? bytes : WideToGbk(ToolOutputToWide(bytes));
}
