// The station-pair fare data: special fixed fares and fare reductions between
// two stations of one network, and the pairs of stations linked for the search
// over all networks; read once from FAREIDX.KV4, FAREF.KV4, FARER.KV4 and
// FAREW.KV4. The same object prices journeys between two stations and builds
// the fare table of a station and the Tokyo-zone difference list.
#pragma once

#include <filesystem>
#include <vector>

#include "Types.h"
#include "data/FareFFile.h"
#include "data/FareWFile.h"
#include "fare/FareSearchState.h"
#include "report/TableProgress.h"
#include "report/WorkFiles.h"

namespace kiv {

class RStaName;
class RStaMan;
class RStaFare;
class RDistMan;
class RKivMan;

class RFareMan {
 public:
  // Reads the four fare files from dataDir, in the order FAREIDX.KV4,
  // FAREF.KV4, FARER.KV4, FAREW.KV4; a file that cannot be opened leaves its
  // table and those of the files after it empty. The station directory must
  // have read its file (the station whose fares stand for the Yamanote line
  // zone is looked up in it here); the other collaborators are only kept.
  RFareMan(const std::filesystem::path& dataDir, RStaName& staName, RStaMan& staMan, RStaFare& staFare,
           RDistMan& distMan, RKivMan& kivMan);

  // The special fare in yen between a and b (either order) on a network, from
  // the first matching record; 0 when there is none.
  int specialFare(NetworkCode network, StationNo a, StationNo b) const;
  // Minus the reduction in yen between a and b (either order) on a network,
  // from the first matching record; 0 when there is none.
  int fareReduction(NetworkCode network, StationNo a, StationNo b) const;
  // The fare of the shortest distance from `from` to `to` on the network in
  // yen, before special fares, reductions and the Tokyo-zone rule; -1 when
  // either station is not on the network.
  int distanceFare(NetworkCode network, StationNo from, StationNo to) const;
  int distanceFare(FareSearchState& state, NetworkCode network, StationNo from, StationNo to) const;
  // The fare of the pair from its distance fare (yen): the special fare when
  // there is one, else the distance fare less any reduction, never below 0.
  int pairFare(NetworkCode network, StationNo a, StationNo b, int distanceFare) const;
  // Writes the stations linked with s, in file order and at most max of them,
  // to out; the number written.
  int linkedStations(StationNo s, int max, StationNo* out) const;

  // The fare in yen of a journey from `from` to `to` on one network; mode 1
  // applies the Tokyo-zone rule on JR. -1 when from equals to, 0 when the
  // origin or the destination is not a station of the network.
  int stationFare(NetworkCode network, StationNo from, StationNo to, int mode) const;
  // The same on the caller's working state.
  int stationFare(FareSearchState& state, NetworkCode network, StationNo from, StationNo to, int mode) const;
  // The fare table of `origin`: one block per company serving it (codes of
  // one company next to each other share a block), each with the fare in
  // yen to every other station of its networks that has a fare, in network
  // position order.
  work_files::FareTable fareTable(StationNo origin) const;
  work_files::FareTable fareTable(FareSearchState& state, StationNo origin) const;
  // Writes fareTable(origin) to "$FareTbl.kv4" in the data directory: 0, or
  // -1 when the file cannot be created.
  int buildFareTable(StationNo origin) const;
  // Writes one block (-1: all blocks) of "$FareTbl.kv4" as a report, or as CSV,
  // to `target`, exactly as the fare table window saves it. 0, or -1 (and
  // nothing written) when "$FareTbl.kv4" cannot be read or `target` created.
  int exportFareTable(const std::filesystem::path& target, int block, bool csv) const;
  // Writes "$TKY101.KV4": the Yamanote-zone / 101-200 km pairs whose fare
  // changes under the Tokyo-zone rule, reporting its progress after each
  // 101-200 km station to `progress` (if given). The number of lines, -1
  // when the file cannot be created or written.
  int buildTokyoZoneList(const TableProgressCallback& progress = {}) const;

 private:
  // The distance fares in yen from `origin` to the positions 1..n of a
  // network (element 0 unused), from the shortest-distance search of that
  // network, in the state's fares or among those it remembers; nullptr when
  // the origin is not among the network's positions.
  const std::vector<int>* distanceFares(FareSearchState& state, NetworkCode network, StationNo origin,
                                        int n) const;
  // The search of the network from `origin` into the state's routes: false
  // when the origin is not among the positions 1..n. Then the fare in yen of
  // one position of its result.
  bool searchDistances(FareSearchState& state, NetworkCode network, StationNo origin, int n) const;
  int searchedFare(const FareSearchState& state, NetworkCode network, int position) const;
  // The distance fare in yen of one route.
  int routeFare(const JrDistanceBreakdown& route) const;
  int routeFare(const PrDistanceBreakdown& route, NetworkCode network) const;
  // The distance fare in yen from `origin` to one position (1..n); -1 when
  // the origin is not among the positions.
  int distanceFareAt(FareSearchState& state, NetworkCode network, StationNo origin, int n,
                     int position) const;

  std::filesystem::path dataDir_;
  RStaName& staName_;
  RStaMan& staMan_;
  RStaFare& staFare_;
  RDistMan& distMan_;
  RKivMan& kivMan_;
  // The station named "東京", whose fares stand for the Yamanote line zone.
  StationNo tokyo_;

  std::vector<FarePairRecord> specialFares_;
  std::vector<FarePairRecord> reductions_;
  std::vector<FareWRecord> links_;
};

}  // namespace kiv
