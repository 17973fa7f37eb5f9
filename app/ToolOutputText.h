// A tool's captured bytes as the program's GBK text. The badging tool prints
// UTF-8; older tools print the user's code page. Output that is valid UTF-8 is
// read as UTF-8 (characters without a GBK form become "?"), anything else is
// taken as GBK already.
#pragma once

#include <string>

std::string ToolOutputToGbk(const std::string& bytes);
// The same as UTF-16.
std::wstring ToolOutputToWide(const std::string& bytes);
