// Results of a colour function remembered per distinct colour. Skin images have
// few distinct colours, so each is computed once per bitmap set instead of once per
// pixel. Past a bound on the number of remembered colours (photographs), new
// colours are computed without being remembered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TacColorMemo {
 public:
  // fn(context, color) with color a plain 0x00BBGGRR value.
  using ColorFn = uint32_t (*)(const void* context, uint32_t color);
  // The key colour 0xFF00FF, and greys (red = green = blue) when `keepGrey`, are
  // left as they are; fn is asked for every other colour.
  TacColorMemo(ColorFn fn, const void* context, bool keepGrey);
  TacColorMemo(const TacColorMemo&) = delete;
  TacColorMemo& operator=(const TacColorMemo&) = delete;

  // The new colour of a pixel whose blue, green and red are the low three bytes of
  // `pixel` (blue lowest, as in memory); the result in that order too.
  uint32_t MapPixel(uint32_t pixel) {
    uint32_t value;
    return View().Find(pixel, value) ? value : Lookup(pixel);
  }

  // The remembered colours as they stand, for loops that keep them in registers:
  // Find answers most pixels; the others go to MapPixel, after which the view must
  // be taken again.
  struct TableView {
    const uint64_t* Entries;  // key (pixel | Used) in the low half, value in the high half
    unsigned Shift;
    bool Find(uint32_t pixel, uint32_t& value) const {
      const uint64_t e = Entries[(pixel * HashFactor) >> Shift];
      value = static_cast<uint32_t>(e >> 32);
      return static_cast<uint32_t>(e) == (pixel | Used);
    }
  };
  TableView View() const { return TableView{entries_.data(), shift_}; }

 private:
  static constexpr uint32_t Used = 0x80000000u;  // marks a filled entry
  static constexpr uint32_t HashFactor = 0x9E3779B1u;
  static constexpr size_t MaxRemembered = size_t{1} << 15;
  size_t Slot(uint32_t pixel) const { return static_cast<size_t>((pixel * HashFactor) >> shift_); }
  uint32_t Lookup(uint32_t pixel);
  void Grow();

  ColorFn fn_;
  const void* context_;
  bool keepGrey_;
  std::vector<uint64_t> entries_;
  unsigned shift_;
  size_t count_ = 0;
};
