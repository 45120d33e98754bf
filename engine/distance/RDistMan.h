// The rail distance network: JR edges with their line kinds, private edges
// with their surcharge zones, and the index of the edges leaving each station
// in each network; read once from DistJR.kv4, DistPR.kv4 and DistIdx.kv4.
// Offers the shortest-distance searches the fares and the route search are
// built on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <unordered_map>
#include <vector>

#include "Types.h"
#include "data/DistIdxFile.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"
#include "distance/DistanceQueues.h"
#include "distance/DistanceSearchState.h"
#include "distance/RDistManIndex.h"
#include "report/TableProgress.h"

namespace kiv {

class RStaName;
class RStaMan;
class RStaFare;
class RKivMan;
class RFareMan;

class RDistMan {
 public:
  // Reads the three distance files from dataDir, in the order DistJR.kv4,
  // DistPR.kv4, DistIdx.kv4; a file that cannot be opened leaves its table and
  // those of the files after it empty. The collaborators are only kept, not
  // used here, so they may be constructed after this object.
  RDistMan(const std::filesystem::path& dataDir, RStaName& staName, RStaMan& staMan, RStaFare& staFare,
           RKivMan& kivMan, RFareMan& fareMan);
  RDistMan(const RDistMan&) = delete;
  RDistMan& operator=(const RDistMan&) = delete;

  // The first and last edge numbers of the first index entry for this network
  // and station: 0, or -1 with first and last set to -1 when there is none.
  int findEdges(NetworkCode network, StationNo station, std::int16_t& first, std::int16_t& last) const;

  // Shortest distances over network 0 from `start` to every position 1..n,
  // split by line kind, into out[1..n] (out has n + 1 elements, out[0]
  // unused). 0, or -1 with out untouched when the start station is not among
  // the positions 1..n of network 0. Among routes of equal length a station
  // keeps the first one found, settling equal distances from the highest
  // position down.
  int jrDistances(StationNo start, int n, JrDistanceBreakdown* out) const;

  // The same over private network `network`, split by surcharge zone.
  int privateDistances(StationNo start, int n, NetworkCode network, PrDistanceBreakdown* out) const;

  // Each search also takes the caller's working state; the forms without
  // one make a state of their own for the one search.
  int jrDistances(DistanceSearchState& state, StationNo start, int n, JrDistanceBreakdown* out) const;
  int privateDistances(DistanceSearchState& state, StationNo start, int n, NetworkCode network,
                       PrDistanceBreakdown* out) const;

  // Plain shortest distances over every network at once, linked stations
  // counting as one place, into out[1..n] indexed by station number (n is the
  // station count; kUnreachedDistance for stations that cannot be reached). 0.
  int allDistances(StationNo start, int n, Distance* out) const;
  int allDistances(DistanceSearchState& state, StationNo start, int n, Distance* out) const;

  // allDistances as far as `limit` (the route search's detour ellipse): each
  // station within it gets the distance allDistances gives it, any other
  // kUnreachedDistance or its full distance. With a `goal` the search runs
  // until the goal is settled and then as far as its distance plus `limit`.
  int allDistancesWithin(StationNo start, int n, int limit, Distance* out, StationNo goal = 0) const;
  int allDistancesWithin(DistanceSearchState& state, StationNo start, int n, int limit, Distance* out,
                         StationNo goal = 0) const;

  // A network seen by position, as the station index gives it (station at
  // each position, lowest position of each station) with the edges leaving
  // each position; built on first use and kept.
  const NetworkPositions& networkPositions(NetworkCode network) const;

  // The route from `start` to the one position `to` (1..n), exactly as
  // jrDistances and privateDistances give it at out[to]; the search stops as
  // soon as that position is settled. 0, or -1 (out untouched) when the start or `to`
  // is not among the positions 1..n.
  int jrDistanceTo(StationNo start, int n, int to, JrDistanceBreakdown& out) const;
  int privateDistanceTo(StationNo start, int n, NetworkCode network, int to, PrDistanceBreakdown& out) const;
  int jrDistanceTo(DistanceSearchState& state, StationNo start, int n, int to,
                   JrDistanceBreakdown& out) const;
  int privateDistanceTo(DistanceSearchState& state, StationNo start, int n, NetworkCode network, int to,
                        PrDistanceBreakdown& out) const;

  // Raw edges for the data browser: e is 1-based. 0, or -1 (out untouched)
  // when there is no such edge.
  int getJrEdgeCount() const;
  int getPrEdgeCount() const;
  int getJrEdge(int e, DistJREdge& out) const;
  int getPrEdge(int e, DistPREdge& out) const;

  // Developer tool: the JR station pairs whose cheapest route within a detour
  // costs less than the shortest route, written to "jrregu.dat" and
  // "$jrregu.csv" in the data directory, reporting its progress after each
  // origin to `progress` (if given). The number of pairs found; -1 when a
  // file cannot be created or written.
  int buildJrCheapestTable(const TableProgressCallback& progress = {}) const;

  // Why DistIdx.kv4 was not used (its spans do not fit the edge files);
  // empty when the files were consistent or missing.
  const std::string& dataProblem() const { return dataProblem_; }

 private:
  // Keeps the index only when its edge spans fit the edges of their network.
  void takeIndex(std::vector<DistIdxEntry> index);

  // The edges of the first index entry, clamped to the edges that exist.
  EdgeRange edgeRange(NetworkCode network, StationNo station, int edgeCount) const;

  // The lookup tables of the searches: data derived from the files, not
  // working state. Built on first use, when every engine object has read
  // its files (the fare object, which gives the linked stations, is built
  // after this one); they never change after that.
  struct SearchTables {
    explicit SearchTables(const std::vector<DistIdxEntry>& entries) : edges(entries) {}
    EdgeIndex edges;
    std::vector<EdgeEnd> jrEnds;  // end of each JR edge slot
    std::vector<EdgeEnd> prEnds;  // end of each private edge slot
    std::unordered_map<NetworkCode, std::unique_ptr<NetworkPositions>> networks;
    std::unique_ptr<NetworkPositions> privateOverJr;
    std::vector<StationLinks> stations;  // by station number; element 0 unused
    // Over the edges of every station: whether one is shorter than nothing
    // (a malformed file), and the longest.
    bool negativeEdge = false;
    int longestEdge = 0;
  };
  const SearchTables& tables() const;
  void collectStationLinks(StationNo s, const EdgeIndex& index, StationLinks& out) const;
  // The positions of network 0 with the private edges its index entries
  // name: what a private search over code 0 follows.
  const NetworkPositions& privateEdgesOfJrPositions() const;

  std::filesystem::path dataDir_;
  RStaName& staName_;
  RStaMan& staMan_;
  RStaFare& staFare_;
  RKivMan& kivMan_;
  RFareMan& fareMan_;

  std::vector<DistJREdge> jrEdges_;  // edge e in slot e - 1
  std::vector<DistPREdge> prEdges_;  // edge e in slot e - 1
  std::vector<DistIdxEntry> index_;
  std::string dataProblem_;

  // The working data of one build of the cheapest-route table.
  struct CheapestTableWork;
  void prepareCheapestSteps(CheapestTableWork& work, int n) const;
  // The walk from position `origin`, pricing the positions from `firstListed` on.
  void walkCheapest(CheapestTableWork& work, int origin, int firstListed) const;

  // Built on first use (see SearchTables), then only read.
  mutable std::unique_ptr<SearchTables> tables_;
};

}  // namespace kiv
