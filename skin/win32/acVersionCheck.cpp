#include "skin/acVersionCheck.h"

#include <windows.h>

#include <string>
#include <vector>

#include "framework/vclParams.h"
#include "framework/vclText.h"
#include "skin/acEngineVersion.h"

bool EngineVersionRequested() {
  std::vector<std::string> arguments;
  for (int i = 0; i <= ParamCount(); ++i) arguments.push_back(ParamStr(i));
  return HasEngineVersionSwitch(arguments);
}

bool ShowEngineVersionIfRequested() {
  if (!EngineVersionRequested()) return false;
  // The program's name as the caption, as the application's title is not set yet.
  std::string caption = ParamStr(0);
  const size_t slash = caption.find_last_of("\\/");
  if (slash != std::string::npos) caption.erase(0, slash + 1);
  const size_t dot = caption.rfind('.');
  if (dot != std::string::npos) caption.erase(dot);
  MessageBoxW(nullptr, GbkToWide(SkinEngineVersionText).c_str(), GbkToWide(caption).c_str(),
              MB_OK | MB_ICONINFORMATION);
  return true;
}
