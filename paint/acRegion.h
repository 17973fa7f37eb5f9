// A set of pixels kept as horizontal bands of sorted, disjoint column spans:
// the platform-free form of a window region. The Win32 side turns Rects() into
// an HRGN; the painting core only removes transparent corner runs from it.
#pragma once

#include <cstdint>
#include <vector>

#include "paint/acRect.h"

class TacRegion {
 public:
  TacRegion() = default;
  explicit TacRegion(const TacRect& r) { UnionRect(r); }

  void Clear() { bands_.clear(); }
  bool IsEmpty() const { return bands_.empty(); }
  bool Contains(int x, int y) const;
  // Number of pixels in the set.
  int64_t Area() const;

  // Set operations with one rectangle (empty rectangles change nothing).
  void UnionRect(const TacRect& r);
  void XorRect(const TacRect& r);
  void SubtractRect(const TacRect& r);

  // The set as rectangles, band by band from the top, left to right; bands with
  // equal spans are merged, so a plain rectangle gives one rectangle.
  std::vector<TacRect> Rects() const;

 private:
  struct Span {
    int32_t Left, Right;
  };
  struct Band {
    int32_t Top, Bottom;
    std::vector<Span> Spans;
  };
  enum class Op { Union, Xor, Subtract };
  void Apply(const TacRect& r, Op op);
  void SplitAt(int32_t y);
  void Coalesce();
  static std::vector<Span> Combine(const std::vector<Span>& a, const Span& b, Op op);

  std::vector<Band> bands_;  // sorted by Top, disjoint, none with empty spans
};
