#include "framework/vclTextMemo.h"

#include <algorithm>
#include <cstring>
#include <list>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

// A clip box above this many pixels is copied and compared for nothing: text
// drawn without a tight clip is drawn.
constexpr long kMostPixels = 64 * 1024;
// The memo's bound: the least recently used drawings go first.
constexpr size_t kMostBytes = 8u << 20;

struct Entry {
  std::string Key;  // description, DC state and box size
  std::vector<uint8_t> Before, After;
};

struct Memo {
  std::mutex Lock;
  std::list<Entry> Entries;  // most recently used first
  std::unordered_multimap<size_t, std::list<Entry>::iterator> Index;
  size_t Bytes = 0;
  bool Enabled = true;
  TacTextMemoStats Stats;

  void Drop(std::list<Entry>::iterator it, size_t hash) {
    auto range = Index.equal_range(hash);
    for (auto i = range.first; i != range.second; ++i)
      if (i->second == it) {
        Index.erase(i);
        break;
      }
    Bytes -= it->Key.size() + it->Before.size() + it->After.size();
    Entries.erase(it);
  }
};

Memo& TheMemo() {
  static Memo memo;
  return memo;
}

size_t HashOf(const std::string& key, const std::vector<uint8_t>& pixels) {
  // The pixels eight bytes at a time, mixed as in a 64-bit multiply-rotate hash.
  uint64_t h = std::hash<std::string>()(key) ^ (pixels.size() * 0x9e3779b97f4a7c15ull);
  const uint8_t* p = pixels.data();
  size_t n = pixels.size();
  for (; n >= 8; n -= 8, p += 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    h = (h ^ (v * 0x87c37b91114253d5ull)) * 0x4cf5ad432745937full;
    h ^= h >> 29;
  }
  for (; n > 0; --n, ++p) h = (h ^ *p) * 0x100000001b3ull;
  return static_cast<size_t>(h ^ (h >> 32));
}

// The device state that changes what DrawText puts down, besides the text colour
// and font the description holds.
void AppendDcState(HDC dc, std::string& key) {
  const long state[] = {static_cast<long>(GetTextAlign(dc)), GetBkMode(dc), static_cast<long>(GetBkColor(dc)),
                        GetTextCharacterExtra(dc), GetROP2(dc), GetMapMode(dc), GetGraphicsMode(dc)};
  key.append(reinterpret_cast<const char*>(state), sizeof state);
}

// Where the DC's logical origin lies on the bitmap: false when it does more than
// shift (a window origin, a mapping mode or a world transform).
bool ShiftOnly(HDC dc, POINT& shift) {
  POINT window{};
  GetViewportOrgEx(dc, &shift);
  GetWindowOrgEx(dc, &window);
  return window.x == 0 && window.y == 0 && GetMapMode(dc) == MM_TEXT && GetGraphicsMode(dc) == GM_COMPATIBLE;
}

void ReadBox(const TacBitmap& b, const RECT& box, std::vector<uint8_t>& out) {
  const size_t rowBytes = static_cast<size_t>(box.right - box.left) * b.BytesPerPixel();
  out.resize(rowBytes * (box.bottom - box.top));
  uint8_t* o = out.data();
  for (int y = box.top; y < box.bottom; ++y, o += rowBytes) std::memcpy(o, b.Pixel(box.left, y), rowBytes);
}

void WriteBox(TacBitmap& b, const RECT& box, const std::vector<uint8_t>& in) {
  const size_t rowBytes = static_cast<size_t>(box.right - box.left) * b.BytesPerPixel();
  const uint8_t* p = in.data();
  for (int y = box.top; y < box.bottom; ++y, p += rowBytes) std::memcpy(b.Pixel(box.left, y), p, rowBytes);
}

}  // namespace

void DrawTextRemembered(HDC dc, TacBitmap& bitmap, const std::string& description, POINT origin,
                        const std::function<void()>& draw) {
  Memo& memo = TheMemo();
  RECT box{};
  POINT shift{};
  const int clip = dc ? GetClipBox(dc, &box) : ERROR;
  const bool plain = clip == SIMPLEREGION && ShiftOnly(dc, shift);
  // The clip box and the drawing's origin on the bitmap.
  OffsetRect(&box, shift.x, shift.y);
  origin.x += shift.x;
  origin.y += shift.y;
  const bool usable = memo.Enabled && plain && box.left >= 0 && box.top >= 0 &&
                      box.right <= bitmap.Width() && box.bottom <= bitmap.Height() && box.right > box.left &&
                      box.bottom > box.top &&
                      static_cast<long>(box.right - box.left) * (box.bottom - box.top) <= kMostPixels;
  if (!usable) {
    {
      std::lock_guard<std::mutex> hold(memo.Lock);
      ++memo.Stats.Bypassed;
    }
    draw();
    return;
  }
  std::string key = description;
  const long geometry[] = {origin.x - box.left, origin.y - box.top, box.right - box.left, box.bottom - box.top,
                           bitmap.BytesPerPixel()};
  key.append(reinterpret_cast<const char*>(geometry), sizeof geometry);
  AppendDcState(dc, key);

  GdiFlush();  // what GDI drew before is in the bits
  std::vector<uint8_t> before;
  ReadBox(bitmap, box, before);
  const size_t hash = HashOf(key, before);
  {
    std::lock_guard<std::mutex> hold(memo.Lock);
    auto range = memo.Index.equal_range(hash);
    for (auto i = range.first; i != range.second; ++i) {
      const Entry& e = *i->second;
      if (e.Key == key && e.Before == before) {
        WriteBox(bitmap, box, e.After);
        memo.Entries.splice(memo.Entries.begin(), memo.Entries, i->second);
        ++memo.Stats.Hits;
        return;
      }
    }
    ++memo.Stats.Misses;
  }
  draw();
  GdiFlush();
  Entry e;
  e.Key = std::move(key);
  e.Before = std::move(before);
  ReadBox(bitmap, box, e.After);
  const size_t size = e.Key.size() + e.Before.size() + e.After.size();
  std::lock_guard<std::mutex> hold(memo.Lock);
  if (size > kMostBytes / 4) return;
  memo.Entries.push_front(std::move(e));
  memo.Index.emplace(hash, memo.Entries.begin());
  memo.Bytes += size;
  while (memo.Bytes > kMostBytes && memo.Entries.size() > 1) {
    auto last = std::prev(memo.Entries.end());
    memo.Drop(last, HashOf(last->Key, last->Before));
  }
}

void ForgetRememberedText() {
  Memo& memo = TheMemo();
  std::lock_guard<std::mutex> hold(memo.Lock);
  memo.Index.clear();
  memo.Entries.clear();
  memo.Bytes = 0;
}

TacTextMemoStats TextMemoStats() {
  Memo& memo = TheMemo();
  std::lock_guard<std::mutex> hold(memo.Lock);
  TacTextMemoStats s = memo.Stats;
  s.Entries = memo.Entries.size();
  s.Bytes = memo.Bytes;
  return s;
}

void SetTextMemoEnabled(bool enabled) {
  Memo& memo = TheMemo();
  std::lock_guard<std::mutex> hold(memo.Lock);
  memo.Enabled = enabled;
}
