#include "framework/vclShortCut.h"

#include <windows.h>

#include <cctype>

namespace {

struct TKeyName {
  uint8_t Key;
  const char* Name;
};

// Names of the keys that are not a letter, a digit or a function key.
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string KeyName(uint8_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return std::string();
}

uint8_t KeyFromName(const std::string& name) {
  if (name.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint8_t>(c);
    return 0;
  }
  const std::string lower = Lower(name);
  if (lower.size() >= 2 && lower[0] == 'f' && lower.find_first_not_of("0123456789", 1) == std::string::npos &&
      lower.size() <= 3) {
    const int n = std::stoi(lower.substr(1));
    if (n >= 1 && n <= 24) return static_cast<uint8_t>(VK_F1 + n - 1);
    return 0;
  }
  for (const TKeyName& k : kKeyNames)
    if (Lower(k.Name) == lower) return k.Key;
  return 0;
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyName(static_cast<uint8_t>(shortCut & 0xFF));
  if (key.empty()) return std::string();
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut modifiers = 0;
  std::string rest = text;
  for (;;) {
    const std::string lower = Lower(rest);
    if (lower.rfind("shift+", 0) == 0) {
      modifiers |= scShift;
      rest.erase(0, 6);
    } else if (lower.rfind("ctrl+", 0) == 0) {
      modifiers |= scCtrl;
      rest.erase(0, 5);
    } else if (lower.rfind("alt+", 0) == 0) {
      modifiers |= scAlt;
      rest.erase(0, 4);
    } else {
      break;
    }
  }
  const uint8_t key = KeyFromName(rest);
  return key ? static_cast<TShortCut>(modifiers | key) : scNone;
}
