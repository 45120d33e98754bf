// The station-to-station fare, the fare table of a station and the
// Tokyo-zone list priced the plain way, with the signatures of RFareMan's:
// on the plain distance searches (DistanceReference.h), with every special
// fare, reduction and position looked up in the files' order. Slow; they
// define what the engine's pricing must give, byte for byte.
#pragma once

#include <vector>

#include "DistanceReference.h"
#include "ReferenceSources.h"
#include "Types.h"
#include "fare/FareSearchState.h"
#include "report/TableProgress.h"
#include "report/WorkFiles.h"

namespace kiv::reference {

class FareMan {
 public:
  explicit FareMan(const FareSources& sources);

  int stationFare(NetworkCode network, StationNo from, StationNo to, int mode) const;
  // The fare table of `origin`, and the same written to "$FareTbl.kv4"
  // through the work-file formats.
  work_files::FareTable fareTable(StationNo origin) const;
  int buildFareTable(StationNo origin) const;
  int buildTokyoZoneList(const TableProgressCallback& progress = {}) const;
  // The forms with the caller's working state, as RFareMan's: the plain
  // pricing neither uses the state nor remembers fares in it.
  int stationFare(FareSearchState&, NetworkCode network, StationNo from, StationNo to, int mode) const {
    return stationFare(network, from, to, mode);
  }
  work_files::FareTable fareTable(FareSearchState&, StationNo origin) const { return fareTable(origin); }

 private:
  // The distance fares in yen from `origin` to the positions 1..n of a
  // network (element 0 unused); nullptr when the origin is not among them.
  const std::vector<int>* distanceFares(NetworkCode network, StationNo origin, int n) const;

  FareSources sources_;
  DistMan dist_;
  mutable std::vector<int> fares_;
  mutable std::vector<JrDistanceBreakdown> jrWork_;
  mutable std::vector<PrDistanceBreakdown> prWork_;
};

}  // namespace kiv::reference
