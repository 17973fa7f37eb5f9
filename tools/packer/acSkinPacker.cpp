// acSkinPacker FOLDER OUTPUT.asz: packs a skin folder into a skin archive.
#include <cstdio>
#include <exception>

#include "skin/acAnsiFile.h"
#include "skin/acSkinWriter.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: acSkinPacker FOLDER OUTPUT.asz\n");
    return 2;
  }
  try {
    WriteAnsiFile(argv[2], PackSkinFolder(argv[1]));
  } catch (const std::exception& e) {
    // No half-written archive may look up to date to the build.
    std::remove(argv[2]);
    std::fprintf(stderr, "acSkinPacker: %s\n", e.what());
    return 1;
  }
  return 0;
}
