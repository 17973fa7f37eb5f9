// The package's own launcher icon for the main window's picture: the PNG of the
// density that suits the picture best, read from the package, scaled down to fit.
// Platform-free; the badging worker calls it with the package's mapped bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "paint/acBitmap.h"

struct PackageBadging;

// The picture the icon is fitted into (square).
constexpr int kPackageIconBox = 96;
// An icon whose header claims a larger side is refused before it is decoded.
constexpr uint32_t kPackageIconMaxSide = 1024;
// Entries larger than this are not read at all (a 1024 x 1024 PNG stays well below).
constexpr uint64_t kPackageIconMaxEntryBytes = 16u << 20;

// The icon files in the order they are tried: the density whose launcher icon
// (48 dp, so 48 x density / 160 pixels; the default configuration counts as 160)
// comes closest to the picture first, of two equally close the larger density.
// Each file once.
std::vector<std::string> PackageIconCandidates(const PackageBadging& badging);

// Width and height from a PNG's leading IHDR chunk; false when the bytes do not
// start with the PNG signature and a well-formed IHDR header.
bool PngHeaderSize(std::string_view png, uint32_t& width, uint32_t& height);

// A 32-bit bitmap (straight alpha) no larger than box x box: the image itself when
// it fits, else shrunk keeping its aspect ratio (colours averaged by their alpha,
// so transparent surroundings do not darken the edges).
TacBitmapPtr FitIntoBox(const TacBitmap& image, int box);

// The launcher icon of the package, fitted into the picture; null when there is
// none. Candidates that are no PNG (an adaptive icon's XML) or that the archive
// lacks are passed over; the first PNG decides: a damaged entry, a damaged PNG or
// one above kPackageIconMaxSide gives null.
TacBitmapPtr ReadPackageIcon(std::string_view packageBytes, const PackageBadging& badging);
