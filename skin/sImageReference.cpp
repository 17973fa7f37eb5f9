#include "skin/sImageReference.h"


#include "skin/acAnsiText.h"
#include "skin/acStrToInt.h"

namespace {

// Columns count from 1; a field beyond the end is empty (and so not a number).
int Column(std::string_view value, size_t first, size_t count) {
  std::string_view field = first - 1 < value.size() ? value.substr(first - 1, count) : std::string_view();
  return StrToInt(field);
}

TacRect MasterRect(std::string_view v) {
  return TacRect{Column(v, 2, 4), Column(v, 7, 4), Column(v, 12, 4), Column(v, 17, 4)};
}

// The first eight non-empty words between separators, and how many there are in all.
struct Words {
  std::string_view Word[8];
  size_t Count = 0;
  Words(std::string_view value, char separator) {
    size_t pos = 0;
    while (pos < value.size()) {
      size_t end = value.find(separator, pos);
      if (end == std::string_view::npos) end = value.size();
      if (end > pos && Count++ < 8) Word[Count - 1] = value.substr(pos, end - pos);
      pos = end + 1;
    }
  }
  std::string_view operator[](size_t number) const { return number <= 8 ? Word[number - 1] : std::string_view(); }
};

// Whether `text` contains `part` (upper case) in any letter case.
bool ContainsUpper(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (size_t i = 0; i + part.size() <= text.size(); ++i) {
    size_t k = 0;
    while (k < part.size() && AnsiUpperChar(text[i + k]) == part[k]) ++k;
    if (k == part.size()) return true;
  }
  return false;
}

}  // namespace

TacImageReference ParseImageReference(std::string_view v) {
  TacImageReference ref;
  if (v.empty()) return ref;
  switch (v[0]) {
    case '@':
      ref.Form = TacImageRefForm::MasterGlyph;
      ref.R = MasterRect(v);
      ref.ImageCount = Column(v, 22, 1);
      ref.MaskType = Column(v, 24, 1);
      return ref;
    case '^':
      ref.Form = TacImageRefForm::MasterBorder;
      ref.R = MasterRect(v);
      ref.HasMargins = true;
      ref.WL = Column(v, 22, 4);
      ref.WT = Column(v, 27, 4);
      ref.WR = Column(v, 32, 4);
      ref.WB = Column(v, 37, 4);
      ref.ImageCount = Column(v, 42, 1);
      ref.MaskType = Column(v, 44, 1);
      ref.DrawMode = Column(v, 46, 1);
      ref.BorderWidth = Column(v, 48, 1);
      return ref;
    case '~':
      ref.Form = TacImageRefForm::MasterTexture;
      ref.R = MasterRect(v);
      ref.DrawMode = Column(v, 22, 2);
      ref.MaskType = v.size() >= 25 ? Column(v, 25, 1) : 0;
      ref.ImageCount = 1;
      return ref;
    case '!': {
      const Words words(v, '!');
      std::string_view name = words[1];
      if (name.find(".BMP") == std::string_view::npos && name.find(".PNG") == std::string_view::npos) return ref;
      ref.ImageCount = StrToInt(words[2]);
      ref.MaskType = StrToInt(words[3]);
      ref.ImageKind = StrToInt(words[4]);
      if (ref.ImageKind < 0) return ref;
      if (words.Count >= 5) {
        ref.HasMargins = true;
        ref.WL = StrToInt(words[5]);
        ref.WT = StrToInt(words[6]);
        ref.WR = StrToInt(words[7]);
        ref.WB = StrToInt(words[8]);
      }
      ref.Form = TacImageRefForm::ImageFile;
      ref.FileName = std::string(name);
      return ref;
    }
    default:
      break;
  }
  // Values with "#" are the legacy rectangle form, which no skin of ours uses.
  if (v.find('#') != std::string_view::npos || !ContainsUpper(v, ".BMP")) return ref;
  ref.Form = TacImageRefForm::BitmapFile;
  ref.FileName = AnsiUpperCase(v);
  ref.ImageCount = 3;
  ref.MaskType = 1;
  return ref;
}

bool IsJpegReference(std::string_view value) {
  return ContainsUpper(value, ".JPG") || ContainsUpper(value, ".JPEG");
}
