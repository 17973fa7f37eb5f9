#include "paint/acRegion.h"

#include <algorithm>
#include <cstddef>

bool TacRegion::Contains(int x, int y) const {
  for (const Band& b : bands_) {
    if (y < b.Top) return false;
    if (y >= b.Bottom) continue;
    for (const Span& s : b.Spans)
      if (x >= s.Left && x < s.Right) return true;
    return false;
  }
  return false;
}

int64_t TacRegion::Area() const {
  int64_t area = 0;
  for (const Band& b : bands_)
    for (const Span& s : b.Spans) area += static_cast<int64_t>(b.Bottom - b.Top) * (s.Right - s.Left);
  return area;
}

void TacRegion::UnionRect(const TacRect& r) { Apply(r, Op::Union); }
void TacRegion::XorRect(const TacRect& r) { Apply(r, Op::Xor); }
void TacRegion::SubtractRect(const TacRect& r) { Apply(r, Op::Subtract); }

void TacRegion::SplitAt(int32_t y) {
  for (size_t i = 0; i < bands_.size(); ++i) {
    Band& b = bands_[i];
    if (y > b.Top && y < b.Bottom) {
      Band lower = b;
      lower.Top = y;
      b.Bottom = y;
      bands_.insert(bands_.begin() + static_cast<ptrdiff_t>(i) + 1, lower);
      return;
    }
  }
}

std::vector<TacRegion::Span> TacRegion::Combine(const std::vector<Span>& a, const Span& b, Op op) {
  // Sweep over every span edge; a column is in the result by the two coverages.
  std::vector<int32_t> edges;
  edges.reserve(a.size() * 2 + 2);
  for (const Span& s : a) edges.push_back(s.Left), edges.push_back(s.Right);
  edges.push_back(b.Left);
  edges.push_back(b.Right);
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::vector<Span> out;
  size_t k = 0;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    const int32_t x = edges[i];
    while (k < a.size() && a[k].Right <= x) ++k;
    const bool inA = k < a.size() && a[k].Left <= x;
    const bool inB = x >= b.Left && x < b.Right;
    const bool in = op == Op::Union ? (inA || inB) : op == Op::Xor ? (inA != inB) : (inA && !inB);
    if (!in) continue;
    if (!out.empty() && out.back().Right == x)
      out.back().Right = edges[i + 1];
    else
      out.push_back(Span{x, edges[i + 1]});
  }
  return out;
}

void TacRegion::Apply(const TacRect& r, Op op) {
  if (r.Left >= r.Right || r.Top >= r.Bottom) return;
  if (op != Op::Subtract) {
    // Rows of r not yet covered by any band get an empty band to combine with.
    std::vector<Band> gaps;
    int32_t y = r.Top;
    for (const Band& b : bands_) {
      if (b.Bottom <= y) continue;
      if (b.Top >= r.Bottom) break;
      if (b.Top > y) gaps.push_back(Band{y, b.Top, {}});
      y = std::max(y, b.Bottom);
    }
    if (y < r.Bottom) gaps.push_back(Band{y, r.Bottom, {}});
    for (Band& g : gaps) bands_.push_back(std::move(g));
    std::sort(bands_.begin(), bands_.end(), [](const Band& a, const Band& b) { return a.Top < b.Top; });
  }
  SplitAt(r.Top);
  SplitAt(r.Bottom);
  for (Band& b : bands_)
    if (b.Top >= r.Top && b.Bottom <= r.Bottom) b.Spans = Combine(b.Spans, Span{r.Left, r.Right}, op);
  Coalesce();
}

void TacRegion::Coalesce() {
  std::vector<Band> out;
  for (Band& b : bands_) {
    if (b.Spans.empty()) continue;
    if (!out.empty() && out.back().Bottom == b.Top && out.back().Spans.size() == b.Spans.size() &&
        std::equal(b.Spans.begin(), b.Spans.end(), out.back().Spans.begin(),
                   [](const Span& x, const Span& y) { return x.Left == y.Left && x.Right == y.Right; })) {
      out.back().Bottom = b.Bottom;
      continue;
    }
    out.push_back(std::move(b));
  }
  bands_ = std::move(out);
}

std::vector<TacRect> TacRegion::Rects() const {
  std::vector<TacRect> rects;
  for (const Band& b : bands_)
    for (const Span& s : b.Spans) rects.push_back(TacRect{s.Left, b.Top, s.Right, b.Bottom});
  return rects;
}
