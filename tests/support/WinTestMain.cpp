// Entry of the Windows-side tests: checks that Wine really runs with code page 936,
// since the GBK texts would silently be garbled otherwise, and makes bitmaps the way
// the program does (DIB sections GDI can draw into), so the tests see what ships.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "paint/acDibBitmap.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GetACP() != 936) {
    std::fprintf(stderr, "The ANSI code page is %u, not 936: run with LANG=zh_CN.UTF-8 and the locale generated.\n",
                 GetACP());
    return 2;
  }
  InstallDibBitmapAllocator();
  return RUN_ALL_TESTS();
}
