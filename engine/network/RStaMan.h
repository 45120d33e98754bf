// The station lists of the distance and fare networks: which stations each
// network has and in which order (its positions), read once from
// StaAttr.kv4 and StaIdx.kv4. Also carries the two built-in station lists
// of the Tokyo-zone fare rule: the Yamanote line zone (list 1) and the JR
// stations 101-200 km from Tokyo (list 2).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Types.h"
#include "data/StaAttrFile.h"
#include "data/StaIdxFile.h"

namespace kiv {

class RStaName;

class RStaMan {
 public:
  static constexpr int kYamanoteZoneList = 1;
  static constexpr int kTokyo101To200KmList = 2;

  // Reads dataDir / "StaAttr.kv4" and dataDir / "StaIdx.kv4"; a missing
  // file leaves every network unknown. The station directory resolves the
  // names of the built-in station lists.
  RStaMan(const std::filesystem::path& dataDir, const RStaName& names);

  // A, the number of station entries, and G, the number of network records.
  int getEntryCount() const;
  int getNetworkRecordCount() const;

  // First and last entry number of the first network record with the code
  // and 0; both -1 (and -1) when there is none.
  int findNetwork(NetworkCode code, std::int16_t& first, std::int16_t& last) const;
  // The number of stations of the network; 0 when the code is unknown.
  int getNetworkSize(NetworkCode code) const;
  // The 1-based position of the station in the network (the lowest when it
  // is listed twice); -1 when the code is unknown or the station is not in it.
  int findPosition(NetworkCode code, StationNo s) const;
  // The station at a position (1..size) of the network; -1 when the code is
  // unknown or the position is outside the network.
  int getStationAt(NetworkCode code, int position) const;

  // Built-in station lists. List numbers other than 1 and 2 denote no list.
  void selectStationList(int list);
  int selectedStationList() const { return selected_; }
  // 1 when the kanji name of station s is in the list, else 0.
  int isInStationList(int list, StationNo s) const;
  // The number of names in the list (36 for both); 0 for other numbers.
  int getStationListSize(int list) const;
  // The station number of the name at the 0-based index (-1 when the
  // station directory has no such name or the index is outside the list);
  // 0 for other list numbers.
  int getStationListEntry(int list, int index) const;

  // Why StaIdx.kv4 was not used (its spans do not fit StaAttr.kv4); empty
  // when the files were consistent or missing.
  const std::string& dataProblem() const { return dataProblem_; }

 private:
  // Keeps the network records only when their entry spans fit the entries.
  void takeNetworks(std::vector<StaIdxRecord> networks);

  const RStaName& names_;
  std::vector<StaAttrEntry> entries_;  // index 0 unused
  std::vector<StaIdxRecord> networks_;
  int selected_ = 0;
  std::string dataProblem_;
};

}  // namespace kiv
