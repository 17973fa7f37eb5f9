// The first position of each name (or pair of names) in a table, found by hash
// instead of by walking the table. Names are compared exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TacFirstIndex {
 public:
  // Indexes positions 0..count-1; names(i) gives the pair of names of position i
  // (a single name has an empty second one), and positions for which keep(i) is
  // false are left out.
  template <typename Names, typename Keep>
  void Build(size_t count, Names names, Keep keep) {
    size_t size = 16;
    while (size < 2 * count) size *= 2;
    slots_.assign(size, -1);
    for (size_t i = 0; i < count; ++i) {
      if (!keep(i)) continue;
      const auto n = names(i);
      size_t s = Hash(n.first, n.second) & (size - 1);
      for (; slots_[s] >= 0; s = (s + 1) & (size - 1))
        if (names(static_cast<size_t>(slots_[s])) == n) break;  // an earlier position keeps the name
      if (slots_[s] < 0) slots_[s] = static_cast<int32_t>(i);
    }
  }

  // The first kept position with these names; -1 when there is none.
  template <typename Names>
  int Find(std::string_view first, std::string_view second, Names names) const {
    if (slots_.empty()) return -1;
    const size_t mask = slots_.size() - 1;
    for (size_t s = Hash(first, second) & mask; slots_[s] >= 0; s = (s + 1) & mask) {
      const auto n = names(static_cast<size_t>(slots_[s]));
      if (n.first == first && n.second == second) return slots_[s];
    }
    return -1;
  }

  void Clear() { slots_.clear(); }

 private:
  static size_t Hash(std::string_view first, std::string_view second) {
    uint32_t h = 2166136261u;  // FNV-1a over both names and a separator between them
    for (char c : first) h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
    h = (h ^ 0xFFu) * 16777619u;
    for (char c : second) h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
    return h;
  }

  std::vector<int32_t> slots_;  // positions, -1 for an empty slot
};
