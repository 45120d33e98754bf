// The shortest-distance search over every network cut off at a distance:
// the distances allDistances gives, settled in rising order of distance and
// no further than the limit. With no edge shorter than nothing, every
// station within the limit is settled by then with the distance the whole
// search gives it (whichever of equally distant stations comes first, each
// keeps the least distance); where an edge of negative distance could still
// lower a station later, the whole search is run.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "distance/DistanceQueues.h"
#include "distance/RDistMan.h"
#include "distance/RDistManSteps.h"

namespace kiv {

int RDistMan::allDistancesWithin(StationNo start, int n, int limit, Distance* out, StationNo goal) const {
  DistanceSearchState state;
  return allDistancesWithin(state, start, n, limit, out, goal);
}

int RDistMan::allDistancesWithin(DistanceSearchState& state, StationNo start, int n, int limit, Distance* out,
                                 StationNo goal) const {
  if (n < 0) n = 0;
  const SearchTables& t = tables();
  // Stations beyond the directory have no kept edges to look over; a goal
  // outside the stations searched is never settled.
  const bool goalKnown = goal == 0 || (goal >= 1 && goal <= n);
  if (static_cast<std::size_t>(n) >= t.stations.size() || !goalKnown || t.negativeEdge)
    return allDistances(state, start, n, out);

  std::fill(out + 1, out + n + 1, kUnreachedDistance);
  state.settled.assign(static_cast<std::size_t>(n) + 1, 0);
  state.buckets.reset(t.longestEdge);
  if (start >= 1 && start <= n) {
    out[start] = 0;
    state.buckets.push(0, start);
  }
  // Until the goal is settled there is no cut.
  long long reach = goal == 0 ? limit : std::numeric_limits<long long>::max();

  while (!state.buckets.empty()) {
    const QueueEntry next = state.buckets.pop();
    if (next.distance > reach) break;
    const int s = next.slot;
    const int here = out[s];
    if (state.settled[static_cast<std::size_t>(s)] || here != next.distance) continue;
    state.settled[static_cast<std::size_t>(s)] = 1;
    if (s == goal) reach = static_cast<long long>(here) + limit;

    const StationLinks& links = t.stations[static_cast<std::size_t>(s)];
    for (const auto& [to, distance] : links.edges) {
      if (to < 1 || to > n || here + distance >= out[to]) continue;
      out[to] = boundedDistance(here + distance);
      state.buckets.push(out[to], to);
    }
    // Linked stations count as one place: a link costs nothing.
    for (const StationNo to : links.linked) {
      if (to < 1 || to > n || out[to] <= here) continue;
      out[to] = static_cast<Distance>(here);
      state.buckets.push(here, to);
    }
  }
  // What the cut left unsettled lies beyond the reach: unreached, as far as
  // this search knows.
  for (int s = 1; s <= n; ++s) {
    if (!state.settled[static_cast<std::size_t>(s)]) out[s] = kUnreachedDistance;
  }
  return 0;
}

}  // namespace kiv
