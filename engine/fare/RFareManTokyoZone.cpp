// "$TKY101.KV4": the pairs of a Yamanote-zone station and a station 101-200 km
// from Tokyo whose fare changes when the journey is priced from Tokyo.

#include "fare/RFareMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"

namespace kiv {

// Each 101-200 km station is priced against the whole Yamanote zone from
// two origins only: itself and Tokyo, whose fares are remembered.
int RFareMan::buildTokyoZoneList(const TableProgressCallback& progress) const {
  FareSearchState state;
  state.rememberFares = true;
  work_files::WorkFileWriter out(dataDir_ / work_files::kTokyoZoneList);
  if (!out.isOpen()) return -1;

  const int yamanoteCount = staMan_.getStationListSize(RStaMan::kYamanoteZoneList);
  const int farCount = staMan_.getStationListSize(RStaMan::kTokyo101To200KmList);
  int count = 0;
  for (int i = 0; i < farCount; ++i) {
    const auto b = static_cast<StationNo>(staMan_.getStationListEntry(RStaMan::kTokyo101To200KmList, i));
    // A listed name that the station directory lacks has no fare to compare.
    char nameB[kStationNameSize];
    const bool named = staName_.getName(b, nameB) == 0;
    for (int j = 0; named && j < yamanoteCount; ++j) {
      const auto a = static_cast<StationNo>(staMan_.getStationListEntry(RStaMan::kYamanoteZoneList, j));
      char nameA[kStationNameSize];
      if (staName_.getName(a, nameA) != 0) continue;
      const int plain = stationFare(state, 0, b, a, 0);
      const int fromTokyo = stationFare(state, 0, b, a, 1);
      if (plain == fromTokyo) continue;
      out.line(work_files::formatTokyoZonePair({nameA, nameB, fromTokyo / 10}));
      ++count;
    }
    if (progress && !progress({i + 1, farCount, count, 0})) break;
  }
  return out.close() ? count : -1;
}

}  // namespace kiv
