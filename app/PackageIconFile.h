// The launcher icon of a package file, read in-process with the badging reader
// library (no second run of the tool): the file is mapped, not copied, as packages
// run to many megabytes of which only the directory and a few entries are read.
#pragma once

#include <string>

#include "paint/acBitmap.h"

// Null when the file cannot be read or the package has no icon we show.
TacBitmapPtr ReadPackageIconFile(const std::wstring& path);
