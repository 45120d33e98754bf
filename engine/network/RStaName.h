// The station directory: station numbers, kanji names and kana names, read
// once from StaName.kv4. The only place where a station's text and its
// number meet.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

namespace kiv {

class RStaName {
 public:
  // Reads dataDir / "StaName.kv4"; a missing file leaves the directory empty.
  // The data directory is also where the station list file is written.
  explicit RStaName(const std::filesystem::path& dataDir);

  // N, the number of stations (0 when the file could not be read).
  int getCount() const;
  // 0 if 1 <= n <= N, else -1.
  int checkNumber(StationNo n) const;
  // Copies the kanji name with its NUL into buf (at least kStationNameSize
  // bytes) and yields 0; -1 and buf untouched for an invalid number.
  int getName(StationNo n, char* buf) const;
  // The same for the kana name (buf of at least kStationKanaSize bytes).
  int getKana(StationNo n, char* buf) const;
  // The first station, in number order, whose kanji name equals the text
  // byte for byte; -1 when there is none.
  StationNo findByName(std::string_view text) const;
  // Writes the kanji names of stations 1..N, one per line, to
  // "$stalist.kv4" in the data directory: 0, or -1 when it cannot be
  // created or written whole.
  int writeStationList() const;

 private:
  std::filesystem::path dataDir_;
  std::vector<std::string> kanji_;  // index 0 unused
  std::vector<std::string> kana_;   // index 0 unused
};

}  // namespace kiv
