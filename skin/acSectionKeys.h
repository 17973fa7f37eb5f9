// The keys of the section table, read from the options file once per section and
// inherited along PARENTCLASS chains.
//
// Every section's keys are classified by name in one pass; a value along a chain is
// then found through arrays, and each is resolved once per section, so neither the
// sections' key lists nor the chain are searched again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/sSkinOptions.h"

// The keys the section table reads; integer keys count as absent when -1 or not a
// number, text keys when "?".
enum class TacSectionKey : uint8_t {
  ParentClass,  // not inherited; text
  Color, FontColor, HotFontColor, TcLeft, TcTop, TcRight, TcBottom, HotTcLeft, HotTcTop, HotTcRight, HotTcBottom,
  Glow, GlowMargin, Transparency, GradientPercent, ImagePercent, FadingIterations, HotColor, HotTransparency,
  HotGradientPercent, HotImagePercent, HotGlowColor, GlowColor, HotGlowSize, GlowSize,
  // text keys
  GiveOwnFont, ReservedBoolean, GradientData, ShowFocus, FadingEnabled, HotGradientData,
  Count
};

class TacSectionKeys {
 public:
  explicit TacSectionKeys(const TsSkinOptions& options);

  // Position of the first section with the name of the section at `section`.
  size_t FirstSection(size_t section) const { return first_[section]; }

  // The section's own first key of that name; null when it has none. `section` is a
  // position in the options' section list; a repeated header reads the keys of the
  // first section of its name.
  const TsSkinOptionKey* Own(size_t section, TacSectionKey key) const;
  // The first present value of an inherited key along the chain of `section`;
  // false when there is none (a chain that comes back to a section already on it
  // ends there without a value). An integer key's value comes parsed.
  bool FindInteger(size_t section, TacSectionKey key, int32_t& value);
  const TsSkinOptionKey* FindText(size_t section, TacSectionKey key);

 private:
  static constexpr size_t Keys = static_cast<size_t>(TacSectionKey::Count);
  static constexpr size_t None = static_cast<size_t>(-1);
  size_t First(size_t section) const { return section < first_.size() ? first_[section] : None; }
  // Position in resolved_ of the key's value along the chain of the first section
  // `i`, or None.
  size_t Resolve(size_t i, size_t key);

  std::vector<size_t> first_;
  std::vector<size_t> parent_;                // per first section; None when it has no parent
  std::vector<const TsSkinOptionKey*> own_;   // sections x Keys
  std::vector<int32_t> ownInteger_;           // parsed integer values of own_
  std::vector<bool> ownPresent_;              // own_ present by its key's rule
  // sections x Keys: the first section on the chain with the key present, or a mark.
  std::vector<size_t> resolved_;
  std::vector<size_t> path_;
};
