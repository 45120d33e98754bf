// Station input as people type it: the exact kanji name first (as the
// station boxes resolve it), then the same name with its variant forms
// folded (small and large kana such as ヶ/ケ and ッ/ツ, katakana and
// hiragana, full-width letters and digits, the common old and new kanji of
// station names such as 鶯/鴬 and 檜/桧), then the kana reading. Shared by the
// command line and by the completion of the station boxes.
//
// The searched text is UTF-8 (what a terminal or an edit box gives); the
// names it hands back are the station directory's own, as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

namespace kiv {

class RStaName;

// How a text named its station.
enum class StationMatch {
  kNone,         // no station
  kExact,        // the kanji name byte for byte
  kVariantForm,  // the kanji name once variant forms are folded
  kReading,      // the kana reading (hiragana or katakana)
};

struct StationLookup {
  StationMatch match = StationMatch::kNone;
  // One station for a unique match; several when the text fits more than
  // one station at the first step that matched; none when nothing fits.
  std::vector<StationNo> stations;
};

class StationSearch {
 public:
  // Takes the names and readings of every station of the directory once.
  explicit StationSearch(const RStaName& names);

  // The stations the text names, by the first step that finds any.
  StationLookup resolve(std::string_view utf8) const;

  // Up to `limit` stations whose name or reading is close to the text:
  // those that begin with it, then those that contain it, then those within
  // a few typing mistakes of it; ties in station-number order.
  std::vector<StationNo> nearMatches(std::string_view utf8, std::size_t limit = 5) const;

  // Every station whose folded name or reading contains the folded text,
  // in station-number order; exact and reading matches are not preferred.
  std::vector<StationNo> find(std::string_view utf8) const;

  // The kanji name and the kana reading of a station as UTF-8; empty for a
  // number outside the directory.
  const std::string& name(StationNo station) const;
  const std::string& reading(StationNo station) const;

  // The text with its variant forms folded, as compared by resolve and find.
  static std::u32string fold(std::string_view utf8);

 private:
  struct Entry {
    std::string name;  // UTF-8
    std::string reading;
    std::u32string nameKey;  // folded
    std::u32string readingKey;
  };
  const Entry* entry(StationNo station) const;

  const RStaName& names_;
  std::vector<Entry> entries_;  // index 0 unused
};

}  // namespace kiv
