// Lookup tables over the distance network, built once from the loaded files
// so that a search finds a station's edges and the positions they lead to
// without scanning the index or the station lists. They give exactly what
// the scans give: the first index entry of a station, the lowest position of
// a station listed twice, and the edges in file order.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Types.h"
#include "data/DistIdxFile.h"

namespace kiv {

class RStaMan;

// An edge as a search follows it: where it leads (a position or a station
// number, by the table that holds it) and the edge's slot in its edge table.
struct DistArc {
  int to = 0;
  int edge = 0;
};

// Where an edge of a network's edge table ends and how long it is.
struct EdgeEnd {
  StationNo to = 0;
  Distance distance = 0;
};

// The first and last edge numbers of a station in one network, clamped to
// the edges that exist; empty (first > last) when the station has none.
struct EdgeRange {
  int first = 0;
  int last = -1;
};

// The first index entry for each network code and station.
class EdgeIndex {
 public:
  explicit EdgeIndex(const std::vector<DistIdxEntry>& entries);
  // The edges of the first entry for the network and station, clamped to 1..edgeCount.
  EdgeRange find(NetworkCode network, StationNo station, int edgeCount) const;

 private:
  static std::uint32_t key(NetworkCode network, StationNo station);
  const std::vector<DistIdxEntry>& entries_;
  std::unordered_map<std::uint32_t, std::size_t> first_;
};

// The clamping shared by the index scan and the index table.
EdgeRange clampedEdgeRange(int first, int last, int edgeCount);

// One network seen by position: the station at each position, the lowest
// position of each station, and the edges leaving each position with the
// position they lead to (-1 for a station outside the network).
class NetworkPositions {
 public:
  // `edgeEnds[e]` is the end of edge slot e of the network's edge table.
  NetworkPositions(const RStaMan& staMan, NetworkCode code, const EdgeIndex& edges,
                   const std::vector<EdgeEnd>& edgeEnds);

  int size() const { return size_; }
  // The station at position p (1..size); -1 outside.
  StationNo stationAt(int p) const {
    return p >= 1 && p <= size_ ? stationAt_[static_cast<std::size_t>(p)] : StationNo{-1};
  }
  // The lowest position of station s; -1 when it is not in the network.
  int positionOf(StationNo s) const;
  // The edges leaving position p, in edge order.
  const DistArc* arcsBegin(int p) const { return arcs_.data() + arcStart_[static_cast<std::size_t>(p)]; }
  const DistArc* arcsEnd(int p) const { return arcs_.data() + arcStart_[static_cast<std::size_t>(p) + 1]; }
  // Whether an edge leaving some position is shorter than nothing (a
  // malformed file): then a settled position may still be lowered later.
  bool hasNegativeArc() const { return negativeArc_; }
  // The longest edge leaving a position; 0 when there is none.
  int longestArc() const { return longestArc_; }

 private:
  int size_ = 0;
  std::vector<StationNo> stationAt_;                         // element 0 unused
  std::vector<int> positionOf_;                              // by station number 0..max
  std::vector<std::pair<StationNo, int>> negativeStations_;  // entries naming no valid station number
  std::vector<std::size_t> arcStart_;                        // size + 2 elements
  std::vector<DistArc> arcs_;
  bool negativeArc_ = false;
  int longestArc_ = 0;
};

}  // namespace kiv
