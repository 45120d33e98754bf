// The shortest-distance searches. Each is a plain Dijkstra search that picks
// the next station by scanning every slot in ascending order; among equal
// distances the highest slot is picked, and only a strictly shorter route
// replaces the one a station already has, so the route found first keeps its
// split over line kinds or zones (and with it the fare).

#include <algorithm>
#include <limits>
#include <vector>

#include "RDistMan.h"
#include "RFareMan.h"
#include "RStaFare.h"
#include "RStaMan.h"

namespace kiv {

namespace {

// Distances are summed in int and held within the 16-bit range, never above
// the unreached mark; every sum the searches store goes through here.
std::int16_t boundedDistance(int value) {
  return static_cast<std::int16_t>(
      std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(), kUnreachedDistance));
}

// The unsettled slot 1..n with the smallest distance, the highest one among
// equals; -1 when every slot is settled.
template <typename DistanceOf>
int pickNext(int n, const std::vector<char>& settled, DistanceOf distanceOf) {
  int best = -1;
  int bestDistance = kUnreachedDistance;
  for (int i = 1; i <= n; ++i) {
    if (settled[static_cast<std::size_t>(i)]) continue;
    const int d = distanceOf(i);
    if (d <= bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

// The search over the positions 1..n of one network. `follow(table, p, s)`
// relaxes the edges leaving station s, which is settled at position p.
template <typename Breakdown, typename Follow>
int searchNetwork(const RStaMan& staMan, NetworkCode network, StationNo start, int n, Breakdown* out,
                  Follow follow) {
  const int startPosition = staMan.findPosition(network, start);
  if (startPosition < 1 || startPosition > n) return -1;

  const auto size = static_cast<std::size_t>(n) + 1;
  std::vector<Breakdown> table(size);
  for (auto& b : table) b.total = kUnreachedDistance;
  table[static_cast<std::size_t>(startPosition)].total = 0;
  std::vector<char> settled(size, 0);

  for (int round = 0; round < n; ++round) {
    const int p = pickNext(n, settled, [&](int i) { return table[static_cast<std::size_t>(i)].total; });
    if (p < 0) break;
    settled[static_cast<std::size_t>(p)] = 1;
    if (table[static_cast<std::size_t>(p)].total == kUnreachedDistance) continue;
    const int s = staMan.getStationAt(network, p);
    if (s < 1) continue;
    follow(table, p, static_cast<StationNo>(s));
  }

  for (int i = 1; i <= n; ++i) out[i] = table[static_cast<std::size_t>(i)];
  return 0;
}

}  // namespace

int RDistMan::jrDistances(StationNo start, int n, JrDistanceBreakdown* out) const {
  auto follow = [&](std::vector<JrDistanceBreakdown>& table, int p, StationNo s) {
    const EdgeRange range = edgeRange(0, s, getJrEdgeCount());
    for (int e = range.first; e <= range.last; ++e) {
      const DistJREdge& edge = jrEdges_[static_cast<std::size_t>(e - 1)];
      const int q = staMan_.findPosition(0, edge.to);
      if (q < 1 || q > n) continue;  // an edge leaving the network is not followed
      const JrDistanceBreakdown& from = table[static_cast<std::size_t>(p)];
      JrDistanceBreakdown& to = table[static_cast<std::size_t>(q)];
      const int candidate = from.total + edge.distance;
      if (candidate >= to.total) continue;
      JrDistanceBreakdown next = from;
      next.total = boundedDistance(candidate);
      switch (edge.kind) {
        case 1:
          next.yamanote = boundedDistance(next.yamanote + edge.distance);
          break;
        case 2:
          next.trainZone = boundedDistance(next.trainZone + edge.distance);
          break;
        case 3:
          next.trunk = boundedDistance(next.trunk + edge.distance);
          break;
        default:
          next.localBusiness = boundedDistance(next.localBusiness + edge.distance);
          next.localFare = boundedDistance(next.localFare + edge.fareDistance);
          break;
      }
      to = next;
    }
  };
  return searchNetwork(staMan_, 0, start, n, out, follow);
}

int RDistMan::privateDistances(StationNo start, int n, NetworkCode network, PrDistanceBreakdown* out) const {
  auto follow = [&](std::vector<PrDistanceBreakdown>& table, int p, StationNo s) {
    const EdgeRange range = edgeRange(network, s, getPrEdgeCount());
    for (int e = range.first; e <= range.last; ++e) {
      const DistPREdge& edge = prEdges_[static_cast<std::size_t>(e - 1)];
      const int q = staMan_.findPosition(network, edge.to);
      if (q < 1 || q > n) continue;  // an edge leaving the network is not followed
      const PrDistanceBreakdown& from = table[static_cast<std::size_t>(p)];
      PrDistanceBreakdown& to = table[static_cast<std::size_t>(q)];
      const int candidate = from.total + edge.distance;
      if (candidate >= to.total) continue;
      PrDistanceBreakdown next = from;
      next.total = boundedDistance(candidate);
      if (edge.zone >= 1 && edge.zone <= 9) {
        auto& zone = next.zone[edge.zone - 1];
        zone = boundedDistance(zone + edge.distance);
      }
      to = next;
    }
  };
  return searchNetwork(staMan_, network, start, n, out, follow);
}

int RDistMan::allDistances(StationNo start, int n, Distance* out) const {
  constexpr int kMaxLinks = 5;
  if (n < 0) n = 0;
  const auto size = static_cast<std::size_t>(n) + 1;
  std::vector<Distance> dist(size, kUnreachedDistance);
  std::vector<char> settled(size, 0);
  // A start station outside 1..n is unknown: everything stays unreached.
  if (start >= 1 && start <= n) dist[static_cast<std::size_t>(start)] = 0;
  auto relax = [&](int to, int candidate) {
    if (to < 1 || to > n) return;
    if (candidate < dist[static_cast<std::size_t>(to)])
      dist[static_cast<std::size_t>(to)] = boundedDistance(candidate);
  };

  for (int round = 0; round < n; ++round) {
    const int s = pickNext(n, settled, [&](int i) { return dist[static_cast<std::size_t>(i)]; });
    if (s < 0) break;
    settled[static_cast<std::size_t>(s)] = 1;
    const int here = dist[static_cast<std::size_t>(s)];
    if (here == kUnreachedDistance) continue;
    const auto station = static_cast<StationNo>(s);

    const int codes = staFare_.getNetworkCount(station);
    for (int j = 0; j < codes; ++j) {
      const int code = staFare_.getNetworkAt(station, j);
      if (code < 0) continue;
      const auto network = static_cast<NetworkCode>(code);
      if (network == 0) {
        const EdgeRange range = edgeRange(0, station, getJrEdgeCount());
        for (int e = range.first; e <= range.last; ++e) {
          const DistJREdge& edge = jrEdges_[static_cast<std::size_t>(e - 1)];
          relax(edge.to, here + edge.distance);
        }
      } else {
        const EdgeRange range = edgeRange(network, station, getPrEdgeCount());
        for (int e = range.first; e <= range.last; ++e) {
          const DistPREdge& edge = prEdges_[static_cast<std::size_t>(e - 1)];
          relax(edge.to, here + edge.distance);
        }
      }
    }

    // Linked stations count as one place: a link costs nothing.
    StationNo linked[kMaxLinks] = {};
    const int count = std::clamp(fareMan_.linkedStations(station, kMaxLinks, linked), 0, kMaxLinks);
    for (int k = 0; k < count; ++k) {
      const int t = linked[k];
      if (t < 1 || t > n) continue;
      if (dist[static_cast<std::size_t>(t)] > here)
        dist[static_cast<std::size_t>(t)] = static_cast<Distance>(here);
    }
  }

  std::copy(dist.begin() + 1, dist.end(), out + 1);
  return 0;
}

}  // namespace kiv
