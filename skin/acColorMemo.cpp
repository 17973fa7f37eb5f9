#include "skin/acColorMemo.h"

namespace {
constexpr unsigned InitialBits = 12;
uint32_t SwapRedBlue(uint32_t c) { return (c & 0xFF00u) | (c & 0xFFu) << 16 | (c >> 16 & 0xFFu); }
bool IsGrey(uint32_t c) { return (c & 0xFF) == (c >> 8 & 0xFF) && (c & 0xFF) == (c >> 16 & 0xFF); }
uint32_t KeyOf(uint64_t e) { return static_cast<uint32_t>(e); }
}  // namespace

TacColorMemo::TacColorMemo(ColorFn fn, const void* context, bool keepGrey)
    : fn_(fn), context_(context), keepGrey_(keepGrey), entries_(size_t{1} << InitialBits), shift_(32 - InitialBits) {}

// Open addressing: a colour lies at its hash slot or after it, before the next
// empty entry.
uint32_t TacColorMemo::Lookup(uint32_t pixel) {
  const size_t mask = entries_.size() - 1;
  size_t i = Slot(pixel);
  for (; KeyOf(entries_[i]) != 0; i = (i + 1) & mask)
    if (KeyOf(entries_[i]) == (pixel | Used)) return static_cast<uint32_t>(entries_[i] >> 32);
  const bool kept = pixel == 0xFF00FFu || (keepGrey_ && IsGrey(pixel));
  const uint32_t value = kept ? pixel : SwapRedBlue(fn_(context_, SwapRedBlue(pixel)) & 0xFFFFFFu);
  if (count_ >= MaxRemembered) return value;
  entries_[i] = static_cast<uint64_t>(value) << 32 | (pixel | Used);
  // Kept at most a quarter full, so most colours are found at their own slot.
  if (++count_ * 4 > entries_.size()) Grow();
  return value;
}

void TacColorMemo::Grow() {
  std::vector<uint64_t> old(entries_.size() * 2, 0);
  old.swap(entries_);
  --shift_;
  const size_t mask = entries_.size() - 1;
  for (uint64_t e : old) {
    if (KeyOf(e) == 0) continue;
    size_t i = Slot(KeyOf(e) & ~Used);
    while (KeyOf(entries_[i]) != 0) i = (i + 1) & mask;
    entries_[i] = e;
  }
}
