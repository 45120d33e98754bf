// The networks that serve each station: for every station the list of
// network codes under which it has distance edges and fares, read once
// from StaFare.kv4.
#pragma once

#include <filesystem>
#include <vector>

#include "Types.h"

namespace kiv {

class RStaFare {
 public:
  // Reads dataDir / "StaFare.kv4"; a missing file leaves every station
  // without networks.
  explicit RStaFare(const std::filesystem::path& dataDir);

  // S, the number of stations in the file.
  int getStationCount() const;
  // 0 if 1 <= s <= S, else -1.
  int checkNumber(StationNo s) const;
  // The number of network codes of station s; -1 for an invalid station.
  int getNetworkCount(StationNo s) const;
  // 0 if s is valid and 0 <= j < its code count, else -1.
  int checkEntry(StationNo s, int j) const;
  // The j-th (0-based) network code of station s; -1 when checkEntry fails.
  int getNetworkAt(StationNo s, int j) const;

 private:
  std::vector<std::vector<NetworkCode>> codes_;  // index 0 unused
};

}  // namespace kiv
