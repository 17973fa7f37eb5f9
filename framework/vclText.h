// The program keeps its texts as GBK bytes; they become UTF-16 only where they
// reach the screen, so the windows show them right whatever the ANSI code page.
#pragma once

#include <string>

constexpr unsigned kTextCodePage = 936;

std::wstring GbkToWide(const std::string& text);
std::string WideToGbk(const std::wstring& text);
