// The shortest-distance search over every network cut off at a distance:
// the distances allDistances gives, settled in rising order of distance and
// no further than the limit. With no edge shorter than nothing, every
// station within the limit is settled by then with the distance the whole
// search gives it (whichever of equally distant stations comes first, each
// keeps the least distance); where an edge of negative distance could still
// lower a station later, the whole search is run.
//
// Distances are small whole numbers (below the unreached mark), so the
// queue is a bucket per distance: the stations waiting at one distance are
// a list through the entries of the search's queue.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "distance/RDistMan.h"
#include "distance/RDistManSteps.h"

namespace kiv {

namespace {

constexpr std::uint32_t kNoEntry = 0xFFFFFFFFu;

// A bucket entry: its station and the entry pushed before it at the same distance.
std::uint64_t entryOf(int station, std::uint32_t next) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(station)) << 32 | next;
}
int stationOf(std::uint64_t entry) { return static_cast<int>(entry >> 32); }
std::uint32_t nextOf(std::uint64_t entry) { return static_cast<std::uint32_t>(entry); }

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
  std::vector<std::uint32_t> buckets;  // by distance: the last entry pushed at it
  // Only distances below the unreached mark are ever stored.
  const auto push = [&](int distance, int station) {
    const auto d = static_cast<std::size_t>(distance);
    if (d >= buckets.size()) buckets.resize(std::max(d + 1, buckets.size() * 2), kNoEntry);
    queue_.push_back(entryOf(station, buckets[d]));
    buckets[d] = static_cast<std::uint32_t>(queue_.size() - 1);
  };
  if (start >= 1 && start <= n) {
    out[start] = 0;
    push(0, start);
  }
  // Until the goal is settled there is no cut.
  long long reach = goal == 0 ? limit : std::numeric_limits<long long>::max();

  for (std::size_t d = 0; d < buckets.size() && static_cast<long long>(d) <= reach; ++d) {
    // A link (no distance) adds to the bucket being emptied.
    while (buckets[d] != kNoEntry) {
      const std::uint64_t entry = queue_[buckets[d]];
      buckets[d] = nextOf(entry);
      const int s = stationOf(entry);
      const int here = out[s];
      if (settled_[static_cast<std::size_t>(s)] || here != static_cast<int>(d)) continue;
      settled_[static_cast<std::size_t>(s)] = 1;
      if (s == goal) reach = static_cast<long long>(here) + limit;

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
  }
  // What the cut left unsettled lies beyond the reach: unreached, as far as
  // this search knows.
  for (int s = 1; s <= n; ++s) {
    if (!settled_[static_cast<std::size_t>(s)]) out[s] = kUnreachedDistance;
  }
  return 0;
}

}  // namespace kiv
