#include "app/PackageIcon.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <utility>

#include "paint/acPremultiply.h"
#include "paint/acStretch.h"
#include "skin/acImageDecode.h"
#include "tools/badging/PackageBadging.h"
#include "tools/badging/ZipDirectory.h"

namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

uint32_t U32BE(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 |
         b[3];
}

// How far the density's launcher icon (0.3 pixels per dpi) is from the box, in
// tenths of a pixel.
int64_t Distance(uint16_t density) {
  const int64_t d = density == 0 ? 160 : density;
  const int64_t off = 3 * d - 10 * kPackageIconBox;
  return off < 0 ? -off : off;
}

bool EndsWithXml(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".xml";
}

void Unpremultiply(TacBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    uint8_t* p = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x, p += 4) {
      const unsigned a = p[3];
      for (int c = 0; c < 3; ++c)
        p[c] = a == 0 ? 0 : static_cast<uint8_t>(std::min(255u, (p[c] * 255u + a / 2) / a));
    }
  }
}

}  // namespace

std::vector<std::string> PackageIconCandidates(const PackageBadging& badging) {
  std::vector<std::pair<uint16_t, std::string>> all = badging.iconsByDensity;
  if (!badging.defaultIcon.empty()) all.emplace_back(160, badging.defaultIcon);
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
    const int64_t da = Distance(a.first), db = Distance(b.first);
    if (da != db) return da < db;
    return (a.first == 0 ? 160 : a.first) > (b.first == 0 ? 160 : b.first);
  });
  std::vector<std::string> out;
  for (const auto& entry : all)
    if (!entry.second.empty() && std::find(out.begin(), out.end(), entry.second) == out.end())
      out.push_back(entry.second);
  return out;
}

bool PngHeaderSize(std::string_view png, uint32_t& width, uint32_t& height) {
  // Signature, then the IHDR chunk: length 13, type, width, height.
  if (png.size() < 24 || std::memcmp(png.data(), kPngSignature, 8) != 0) return false;
  if (U32BE(png.data() + 8) != 13 || std::memcmp(png.data() + 12, "IHDR", 4) != 0) return false;
  width = U32BE(png.data() + 16);
  height = U32BE(png.data() + 20);
  return true;
}

TacBitmapPtr FitIntoBox(const TacBitmap& image, int box) {
  const int w = image.Width(), h = image.Height();
  if (w <= 0 || h <= 0 || box <= 0) return nullptr;
  int dw = w, dh = h;
  if (w > box || h > box) {
    // The longer side becomes the box; the other keeps the ratio, rounded, at least one pixel.
    if (w >= h) {
      dw = box;
      dh = static_cast<int>(std::max<int64_t>(1, (static_cast<int64_t>(h) * box + w / 2) / w));
    } else {
      dh = box;
      dw = static_cast<int>(std::max<int64_t>(1, (static_cast<int64_t>(w) * box + h / 2) / h));
    }
  }
  TacBitmapPtr source = NewBitmap32(w, h);
  if (!source || source->Width() != w) return nullptr;
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = image.Row(y);
    uint8_t* d = source->Row(y);
    if (image.Format() == TacPixelFormat::pf32bit) {
      std::memcpy(d, s, static_cast<size_t>(w) * 4);
    } else {
      for (int x = 0; x < w; ++x, s += 3, d += 4) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        d[3] = 255;
      }
    }
  }
  if (dw == w && dh == h) return source;
  // Averaged as premultiplied colour: a transparent pixel's colour must not count.
  PremultiplyAlpha(source.get());
  TacBitmapPtr fitted = NewBitmap32(dw, dh);
  if (!fitted || fitted->Width() != dw) return nullptr;
  StretchHalftone(fitted.get(), TacRect{0, 0, dw, dh}, source.get(), TacRect{0, 0, w, h});
  Unpremultiply(*fitted);
  return fitted;
}

TacBitmapPtr ReadPackageIcon(std::string_view packageBytes, const PackageBadging& badging) {
  try {
    const std::vector<std::string> candidates = PackageIconCandidates(badging);
    if (candidates.empty()) return nullptr;
    ZipDirectory zip;
    std::string error;
    if (!zip.Open(packageBytes, error)) return nullptr;
    for (const std::string& name : candidates) {
      if (EndsWithXml(name)) continue;  // an adaptive icon: layers we do not draw
      const ZipEntry* entry = zip.Find(name);
      if (!entry) continue;
      std::string data;
      if (!zip.Read(*entry, data, error, kPackageIconMaxEntryBytes)) return nullptr;
      uint32_t width = 0, height = 0;
      if (!PngHeaderSize(data, width, height)) {
        // Not a PNG at all (a compiled XML under another name): pass over it. A
        // file that starts like a PNG but has a broken header is damaged.
        if (data.size() >= 8 && std::memcmp(data.data(), kPngSignature, 8) == 0) return nullptr;
        continue;
      }
      if (width == 0 || height == 0 || width > kPackageIconMaxSide || height > kPackageIconMaxSide) return nullptr;
      TacBitmapPtr decoded = DecodePng(reinterpret_cast<const uint8_t*>(data.data()), data.size());
      if (!decoded) return nullptr;
      return FitIntoBox(*decoded, kPackageIconBox);
    }
  } catch (const std::exception&) {
    // A damaged image, or no memory for it: the placeholder stays.
  }
  return nullptr;
}
