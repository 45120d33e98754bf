// The shortest-distance searches and the JR cheapest-route table done the
// plain way, with the signatures of RDistMan's: every round scans all
// positions for the next one to settle and looks every edge and position up
// in the files' order. Slow on a large network; they define the results the
// engine's searches must give, byte for byte.
#pragma once

#include <vector>

#include "ReferenceSources.h"
#include "Types.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"
#include "distance/DistanceSearchState.h"
#include "report/TableProgress.h"

namespace kiv::reference {

class DistMan {
 public:
  explicit DistMan(const FareSources& sources);

  int jrDistances(StationNo start, int n, JrDistanceBreakdown* out) const;
  int privateDistances(StationNo start, int n, NetworkCode network, PrDistanceBreakdown* out) const;
  int allDistances(StationNo start, int n, Distance* out) const;
  // The forms with the caller's working state, as RDistMan's: the plain
  // searches keep their work within the call and leave the state alone.
  int jrDistances(DistanceSearchState&, StationNo start, int n, JrDistanceBreakdown* out) const {
    return jrDistances(start, n, out);
  }
  int privateDistances(DistanceSearchState&, StationNo start, int n, NetworkCode network,
                       PrDistanceBreakdown* out) const {
    return privateDistances(start, n, network, out);
  }
  int allDistances(DistanceSearchState&, StationNo start, int n, Distance* out) const {
    return allDistances(start, n, out);
  }

  // "jrregu.dat" and "$jrregu.csv" from a depth-first walk that looks each
  // station's edges and their end positions up by scanning.
  int buildJrCheapestTable(const TableProgressCallback& progress = {});

 private:
  struct EdgeSpan {
    int first = 0;
    int last = -1;
  };
  // The edges of the first index entry, clamped to the edges that exist.
  EdgeSpan edgeRange(NetworkCode network, StationNo station, int edgeCount) const;
  // The edges from station s over all its networks as (end station, edge
  // distance), and the stations linked with it.
  void collectLinks(StationNo s, std::vector<std::pair<StationNo, Distance>>& edges,
                    std::vector<StationNo>& linked) const;

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
  void exploreCheapest(int p);

  FareSources sources_;
  std::vector<DistJREdge> jrEdges_;  // edge e in slot e - 1
  std::vector<DistPREdge> prEdges_;
  CheapestWork cheap_;
};

}  // namespace kiv::reference
