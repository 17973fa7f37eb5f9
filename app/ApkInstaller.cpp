// Program start: the application object, the main window, the message loop.
#include <windows.h>

#include "app/uVqMainFrm.h"
#include "framework/vclApplication.h"
#include "paint/acDibBitmap.h"
#include "skin/acVersionCheck.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InstallDibBitmapAllocator();
  // "/acver" shows the skin engine's version before any window exists.
  ShowEngineVersionIfRequested();
  Application->Initialize();
  Application->MainFormOnTaskBar = true;
  Application->SetTitle("铂蜓APK安装工具");
  Application->CreateForm<TVqMainFrm>();
  Application->Run();
  return 0;
}
