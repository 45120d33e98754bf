// The fare table of a station: "$FareTbl.kv4", one block of fares per
// company that serves the station (record formats in report/WorkFiles.h),
// and its export as a report or as CSV.

#include <algorithm>
#include <string>
#include <vector>

#include "distance/RDistMan.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"

namespace kiv {

namespace {

// The station-pair records of one origin on one network, in file order, so
// that the fare table looks up each destination among a few records.
class OriginPairs {
 public:
  OriginPairs(const std::vector<FarePairRecord>& records, NetworkCode network, StationNo origin) {
    for (const FarePairRecord& r : records) {
      if (r.network != network) continue;
      if (r.a == origin) {
        partners_.push_back({r.b, r.amount});
      } else if (r.b == origin) {
        partners_.push_back({r.a, r.amount});
      }
    }
  }
  // The amount of the first record with station s, in yen; 0 when there is none.
  int amountWith(StationNo s) const {
    for (const auto& [partner, amount] : partners_)
      if (partner == s) return amount * 10;
    return 0;
  }

 private:
  std::vector<std::pair<StationNo, int>> partners_;
};

}  // namespace

int RFareMan::buildFareTable(StationNo origin) const {
  return work_files::saveFareTable(dataDir_, fareTable(origin)) ? 0 : -1;
}

work_files::FareTable RFareMan::fareTable(StationNo origin) const {
  FareSearchState state;
  return fareTable(state, origin);
}

work_files::FareTable RFareMan::fareTable(FareSearchState& state, StationNo origin) const {
  work_files::FareTable table;
  char originName[kStationNameSize] = "";
  staName_.getName(origin, originName);
  table.origin = originName;

  int block = -1;
  int lastCompany = -1;
  const int codes = staFare_.getNetworkCount(origin);
  for (int j = 0; j < codes; ++j) {
    const int code = staFare_.getNetworkAt(origin, j);
    if (code < 0) continue;
    const auto network = static_cast<NetworkCode>(code);

    // Neighbouring codes of one company share its block.
    if (network / 10 != lastCompany) {
      ++block;
      char company[kCompanyNameSize] = "";
      kivMan_.getCompanyName(network / 10, company);
      table.blocks.push_back({block, company, {}});
      lastCompany = network / 10;
    }

    std::int16_t first = -1;
    std::int16_t last = -1;
    staMan_.findNetwork(network, first, last);
    if (first == -1 || last == -1) continue;
    const int k = last - first + 1;
    const std::vector<int>* fares = distanceFares(state, network, origin, k);
    if (!fares) continue;

    const OriginPairs specials(specialFares_, network, origin);
    const OriginPairs reductions(reductions_, network, origin);
    const NetworkPositions& positions = distMan_.networkPositions(network);
    for (int p = 1; p <= k; ++p) {
      const int s = positions.stationAt(p);
      if (s == origin) continue;
      const auto station = static_cast<StationNo>(s);
      char name[kStationNameSize];
      if (staName_.getName(station, name) != 0) continue;  // no such station: nothing to print
      int fare = (*fares)[static_cast<std::size_t>(p)];
      const int special = specials.amountWith(station);
      if (special != 0) {
        fare = special;
      } else {
        // A reduction larger than the fare leaves no fare, never a negative one.
        fare = std::max(0, fare - reductions.amountWith(station));
      }
      // Unreached stations come out at 0 and are left out.
      if (fare != 0) table.blocks.back().fares.push_back({name, fare});
    }
  }
  return table;
}

int RFareMan::exportFareTable(const std::filesystem::path& target, int block, bool csv) const {
  const auto table = work_files::readFareTable(dataDir_ / work_files::kFareTable);
  if (!table) return -1;
  return work_files::exportFareTable(target, *table, block, csv) ? 0 : -1;
}

}  // namespace kiv
