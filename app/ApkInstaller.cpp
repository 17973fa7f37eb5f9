// Program start: the application object, the main window, the message loop.
#include <windows.h>

#include "app/uVqMainFrm.h"
#include "framework/vclApplication.h"
#include "paint/acDibBitmap.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InstallDibBitmapAllocator();
  Application->Initialize();
  Application->MainFormOnTaskBar = true;
  Application->SetTitle("铂蜓APK安装工具");
  Application->CreateForm<TVqMainFrm>();
  Application->Run();
  return 0;
}
