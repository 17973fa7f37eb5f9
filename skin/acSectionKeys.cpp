#include "skin/acSectionKeys.h"

#include "skin/acAnsiText.h"
#include "skin/acStrToInt.h"

namespace {

const char* const KeyNames[] = {
    "PARENTCLASS", "COLOR", "FONTCOLOR", "HOTFONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM", "HOTTCLEFT",
    "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM", "GLOW", "GLOWMARGIN", "TRANSPARENCY", "GRADIENTPERCENT",
    "IMAGEPERCENT", "FADINGITERATIONS", "HOTCOLOR", "HOTTRANSPARENCY", "HOTGRADIENTPERCENT", "HOTIMAGEPERCENT",
    "HGCOL", "GCOL", "HGSIZE", "GSIZE", "GIVEOWNFONT", "RESERVEDBOOLEAN", "GRADIENTDATA", "SHOWFOCUS",
    "FADINGENABLED", "HOTGRADIENTDATA"};
static_assert(sizeof KeyNames / sizeof KeyNames[0] == static_cast<size_t>(TacSectionKey::Count));

bool IsTextKey(size_t key) { return key == 0 || key >= static_cast<size_t>(TacSectionKey::GiveOwnFont); }

// Known key names by a hash of their upper-cased bytes; -1 for other names.
class KeyNameTable {
 public:
  KeyNameTable() {
    for (int& slot : slots_) slot = -1;
    for (size_t k = 0; k < sizeof KeyNames / sizeof KeyNames[0]; ++k) {
      size_t i = Hash(KeyNames[k]);
      while (slots_[i] >= 0) i = (i + 1) % Size;
      slots_[i] = static_cast<int>(k);
    }
  }
  int Find(std::string_view name) const {
    for (size_t i = Hash(name); slots_[i] >= 0; i = (i + 1) % Size)
      if (SameText(KeyNames[slots_[i]], name)) return slots_[i];
    return -1;
  }

 private:
  static constexpr size_t Size = 128;
  static size_t Hash(std::string_view name) {
    uint32_t h = 2166136261u;
    for (char c : name) h = (h ^ static_cast<uint8_t>(AnsiUpperChar(c))) * 16777619u;
    return h % Size;
  }
  int slots_[Size];
};

const KeyNameTable& KnownKeys() {
  static const KeyNameTable table;
  return table;
}

// Marks in resolved_ besides section positions.
constexpr size_t Unresolved = static_cast<size_t>(-2);
constexpr size_t OnPath = static_cast<size_t>(-3);

}  // namespace

TacSectionKeys::TacSectionKeys(const TsSkinOptions& options) {
  const std::vector<TsSkinOptionSection>& sections = options.Sections();
  const size_t n = sections.size();
  first_.resize(n);
  parent_.assign(n, None);
  own_.assign(n * Keys, nullptr);
  ownInteger_.assign(n * Keys, -1);
  ownPresent_.assign(n * Keys, false);
  resolved_.assign(n * Keys, Unresolved);
  const KeyNameTable& known = KnownKeys();
  for (size_t i = 0; i < n; ++i) {
    first_[i] = options.FindSectionIndex(sections[i].Name);
    if (first_[i] != i) continue;
    for (const TsSkinOptionKey& key : sections[i].Keys) {
      const int k = known.Find(key.Name);
      if (k < 0 || own_[i * Keys + static_cast<size_t>(k)]) continue;  // the first of equal keys counts
      const size_t at = i * Keys + static_cast<size_t>(k);
      own_[at] = &key;
      if (IsTextKey(static_cast<size_t>(k))) {
        ownPresent_[at] = key.Value != "?";
      } else {
        ownInteger_[at] = StrToIntDef(key.Value, -1);
        ownPresent_[at] = ownInteger_[at] != -1;
      }
    }
  }
  for (size_t i = 0; i < n; ++i) {
    if (first_[i] != i) continue;
    const TsSkinOptionKey* p = own_[i * Keys];
    if (!p || p->Value.empty() || p->Value == "?") continue;
    const size_t parent = options.FindSectionIndex(p->Value);
    if (parent != i) parent_[i] = parent == TsSkinOptions::npos ? None : parent;
  }
}

const TsSkinOptionKey* TacSectionKeys::Own(size_t section, TacSectionKey key) const {
  const size_t i = First(section);
  return i == None ? nullptr : own_[i * Keys + static_cast<size_t>(key)];
}

size_t TacSectionKeys::Resolve(size_t i, size_t key) {
  path_.clear();
  size_t result = None;
  for (; i != None; i = parent_[i]) {
    const size_t at = i * Keys + key;
    if (resolved_[at] == OnPath) break;  // a cycle: no value on it
    if (resolved_[at] != Unresolved) {
      result = resolved_[at];
      break;
    }
    if (ownPresent_[at]) {
      result = at;
      resolved_[at] = at;
      break;
    }
    resolved_[at] = OnPath;
    path_.push_back(at);
  }
  for (size_t at : path_) resolved_[at] = result;
  return result;
}

bool TacSectionKeys::FindInteger(size_t section, TacSectionKey key, int32_t& value) {
  const size_t i = First(section);
  if (i == None) return false;
  const size_t at = Resolve(i, static_cast<size_t>(key));
  if (at == None) return false;
  value = ownInteger_[at];
  return true;
}

const TsSkinOptionKey* TacSectionKeys::FindText(size_t section, TacSectionKey key) {
  const size_t i = First(section);
  if (i == None) return nullptr;
  const size_t at = Resolve(i, static_cast<size_t>(key));
  return at == None ? nullptr : own_[at];
}
