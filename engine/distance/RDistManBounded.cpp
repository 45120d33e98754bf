// The shortest-distance search over every network cut off at a distance:
// the search of allDistances, which settles the smallest distance first,
// stopped once nothing within the limit is left in its queue. With no edge
// shorter than nothing, every station within the limit is settled by then
// with the distance the whole search gives it; where an edge of negative
// distance could still lower a station later, the whole search is run.

#include <algorithm>
#include <functional>
#include <limits>

#include "distance/RDistMan.h"
#include "distance/RDistManSteps.h"

namespace kiv {

namespace {

// The queue keys of allDistances: the smallest distance first and, among
// equal distances, the highest station number.
std::uint64_t boundedKey(int distance, int station) {
  return static_cast<std::uint64_t>(distance - std::numeric_limits<std::int16_t>::min()) << 32 |
         (0xFFFFFFFFu - static_cast<std::uint32_t>(station));
}
int stationOfKey(std::uint64_t key) {
  return static_cast<int>(0xFFFFFFFFu - static_cast<std::uint32_t>(key));
}
int distanceOfKey(std::uint64_t key) {
  return static_cast<int>(key >> 32) + std::numeric_limits<std::int16_t>::min();
}

}  // namespace

int RDistMan::allDistancesWithin(StationNo start, int n, int limit, Distance* out, StationNo goal) const {
  if (n < 0) n = 0;
  const SearchTables& t = tables();
  // Stations beyond the directory have no kept edges to look over; a goal
  // outside the stations searched is never settled.
  const bool goalKnown = goal == 0 || (goal >= 1 && goal <= n);
  if (static_cast<std::size_t>(n) >= t.stations.size() || !goalKnown) return allDistances(start, n, out);
  for (int s = 1; s <= n; ++s) {
    for (const auto& edge : t.stations[static_cast<std::size_t>(s)].edges) {
      if (edge.second < 0) return allDistances(start, n, out);
    }
  }

  std::fill(out + 1, out + n + 1, kUnreachedDistance);
  settled_.assign(static_cast<std::size_t>(n) + 1, 0);
  queue_.clear();
  const auto push = [this](int distance, int station) {
    queue_.push_back(boundedKey(distance, station));
    std::push_heap(queue_.begin(), queue_.end(), std::greater<>());
  };
  if (start >= 1 && start <= n) {
    out[start] = 0;
    push(0, start);
  }
  // Distances are held at most at the unreached mark: a reach at or past it
  // is no cut at all. Until the goal is settled there is none either.
  const auto reachOf = [](long long distance) {
    return distance >= kUnreachedDistance ? std::numeric_limits<long long>::max() : distance;
  };
  long long reach = goal == 0 ? reachOf(limit) : std::numeric_limits<long long>::max();

  while (!queue_.empty() && distanceOfKey(queue_.front()) <= reach) {
    std::pop_heap(queue_.begin(), queue_.end(), std::greater<>());
    const std::uint64_t key = queue_.back();
    queue_.pop_back();
    const int s = stationOfKey(key);
    const int here = out[s];
    if (settled_[static_cast<std::size_t>(s)] || here != distanceOfKey(key)) continue;
    settled_[static_cast<std::size_t>(s)] = 1;
    if (s == goal) reach = reachOf(static_cast<long long>(here) + limit);

    const StationLinks& links = t.stations[static_cast<std::size_t>(s)];
    for (const auto& [to, distance] : links.edges) {
      if (to < 1 || to > n || here + distance >= out[to]) continue;
      out[to] = boundedDistance(here + distance);
      push(out[to], to);
    }
    // Linked stations count as one place: a link costs nothing.
    for (const StationNo to : links.linked) {
      if (to < 1 || to > n || out[to] <= here) continue;
      out[to] = static_cast<Distance>(here);
      push(here, to);
    }
  }
  // What the cut left unsettled lies beyond the reach: unreached, as far as
  // this search knows.
  for (const std::uint64_t key : queue_) {
    const int s = stationOfKey(key);
    if (!settled_[static_cast<std::size_t>(s)]) out[s] = kUnreachedDistance;
  }
  return 0;
}

}  // namespace kiv
