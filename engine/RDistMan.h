// The rail distance network: JR edges with their line kinds, private edges
// with their surcharge zones, and the index of the edges leaving each station
// in each network; read once from DistJR.kv4, DistPR.kv4 and DistIdx.kv4.
// Offers the shortest-distance searches the fares and the route search are
// built on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "Types.h"
#include "formats/DistIdxFile.h"
#include "formats/DistJRFile.h"
#include "formats/DistPRFile.h"

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

  // The first and last edge numbers of the first index entry for this network
  // and station: 0, or -1 with first and last set to -1 when there is none.
  int findEdges(NetworkCode network, StationNo station, std::int16_t& first, std::int16_t& last) const;

  // Shortest distances over network 0 from `start` to every position 1..n,
  // split by line kind, into out[1..n] (out has n + 1 elements, out[0]
  // unused). 0, or -1 with out untouched when the start station is not among
  // the positions 1..n of network 0.
  int jrDistances(StationNo start, int n, JrDistanceBreakdown* out) const;

  // The same over private network `network`, split by surcharge zone.
  int privateDistances(StationNo start, int n, NetworkCode network, PrDistanceBreakdown* out) const;

  // Plain shortest distances over every network at once, linked stations
  // counting as one place, into out[1..n] indexed by station number (n is the
  // station count; kUnreachedDistance for stations that cannot be reached). 0.
  int allDistances(StationNo start, int n, Distance* out) const;

  // Raw edges for the data browser: e is 1-based. 0, or -1 (out untouched)
  // when there is no such edge.
  int getJrEdgeCount() const;
  int getPrEdgeCount() const;
  int getJrEdge(int e, DistJREdge& out) const;
  int getPrEdge(int e, DistPREdge& out) const;

  // Developer tool: the JR station pairs whose cheapest route within a detour
  // costs less than the shortest route, written to "jrregu.dat" and
  // "$jrregu.csv" in the data directory, with a progress line per origin on
  // standard output. The number of pairs found; -1 when a file cannot be
  // created.
  int buildJrCheapestTable();

  // Why DistIdx.kv4 was not used (its spans do not fit the edge files);
  // empty when the files were consistent or missing.
  const std::string& dataProblem() const { return dataProblem_; }

 private:
  // Keeps the index only when its edge spans fit the edges of their network.
  void takeIndex(std::vector<DistIdxEntry> index);

  // The edges of the first index entry, clamped to the edges that exist.
  struct EdgeRange {
    int first = 0;
    int last = -1;
  };
  EdgeRange edgeRange(NetworkCode network, StationNo station, int edgeCount) const;

  // A JR route carried over one more edge: the total and the part of the
  // edge's line kind grow by its distance (the local fare part by its fare
  // distance), each sum held within the 16-bit range and at most `ceiling`.
  static JrDistanceBreakdown extendedBy(const JrDistanceBreakdown& route, const DistJREdge& edge,
                                        int ceiling);

  // The depth-first walk of the cheapest-route table from station s over
  // the JR routes within the detour limit.
  void exploreCheapest(StationNo s);

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

  // Working data of the cheapest-route table, by JR position (element 0
  // unused); allocated by the build and released at its end.
  struct CheapestWork {
    int n = 0;
    std::vector<JrDistanceBreakdown> shortest;
    std::vector<std::int16_t> shortestFare;
    std::vector<std::int16_t> cheapestFare;
    std::vector<JrDistanceBreakdown> cheapest;
    std::vector<JrDistanceBreakdown> current;
    std::vector<char> onPath;
    std::int16_t depth = 0;
    std::int16_t maxDepth = 0;
    int found = 0;
  };
  CheapestWork cheap_;
};

}  // namespace kiv
