#include "paint/acMask8.h"

#include <cstring>

TacMask8::TacMask8(int width, int height, uint8_t* row0, ptrdiff_t rowStep, void* handle, ReleaseFn release)
    : width_(width), height_(height), row0_(row0), rowStep_(rowStep), handle_(handle), release_(release) {}

TacMask8::~TacMask8() {
  if (release_) release_(handle_);
}

void TacMask8::Fill(uint8_t value) {
  for (int y = 0; y < height_; ++y) std::memset(Row(y), value, static_cast<size_t>(width_));
}

TacMask8Ptr NewMemoryMask8(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  size_t stride = TacMask8::StrideFor(width);
  size_t bytes = stride * static_cast<size_t>(height);
  std::unique_ptr<uint8_t[]> mem(new uint8_t[bytes ? bytes : 1]());
  TacMask8Ptr mask(new TacMask8(width, height, mem.get(), static_cast<ptrdiff_t>(stride), nullptr, nullptr));
  mask->owned_ = std::move(mem);
  return mask;
}
