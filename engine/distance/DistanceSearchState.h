// The working state of the shortest-distance searches, owned by the caller
// and handed to RDistMan's searches by reference. A caller that runs many
// searches keeps one state, so that no search allocates once its arrays
// have grown to the network's size; any search may use any state, one at a
// time.
#pragma once

#include <cstdint>
#include <vector>

#include "Types.h"
#include "distance/DistanceQueues.h"

namespace kiv {

// The edges from a station over all its networks as (end station, edge
// distance), in the order the search over all networks follows them, and
// the stations linked with it.
struct StationLinks {
  std::vector<std::pair<StationNo, Distance>> edges;
  std::vector<StationNo> linked;
};

// Working arrays of the searches that stop at one position, by position;
// between searches every route is unreached and no position settled, since
// a search resets only the positions it touched.
template <typename Breakdown>
struct TargetSearchWork {
  std::vector<Breakdown> route;
  std::vector<char> settled;
  std::vector<int> touched;
};

struct DistanceSearchState {
  std::vector<char> settled;
  std::vector<std::uint64_t> queue;
  BucketQueue buckets;
  // The links of a station beyond the station directory, looked up as it comes.
  StationLinks spareLinks;
  TargetSearchWork<JrDistanceBreakdown> jrTarget;
  TargetSearchWork<PrDistanceBreakdown> prTarget;
};

}  // namespace kiv
