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
// the ceiling (by default the unreached mark); every sum the searches store
// goes through here.
std::int16_t boundedDistance(int value, int ceiling = kUnreachedDistance) {
  return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(), ceiling));
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

// A private route carried over one more edge: the total and the part in the
// edge's surcharge zone (1..9; other zones count in the total only).
PrDistanceBreakdown privateExtendedBy(const PrDistanceBreakdown& route, const DistPREdge& edge) {
  PrDistanceBreakdown next = route;
  next.total = boundedDistance(route.total + edge.distance);
  if (edge.zone >= 1 && edge.zone <= 9) {
    auto& zone = next.zone[edge.zone - 1];
    zone = boundedDistance(zone + edge.distance);
  }
  return next;
}

// The search over the positions 1..n of one network, over `edges` (edge e
// in slot e - 1). `edgesFrom(s)` is the range of the edges leaving station
// s; `extend(route, edge)` is a route carried over one more edge.
template <typename Breakdown, typename Edge, typename EdgesFrom, typename Extend>
int searchNetwork(const RStaMan& staMan, NetworkCode network, StationNo start, int n,
                  const std::vector<Edge>& edges, EdgesFrom edgesFrom, Extend extend, Breakdown* out) {
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
    const auto range = edgesFrom(static_cast<StationNo>(s));
    for (int e = range.first; e <= range.last; ++e) {
      const Edge& edge = edges[static_cast<std::size_t>(e - 1)];
      const int q = staMan.findPosition(network, edge.to);
      if (q < 1 || q > n) continue;  // an edge leaving the network is not followed
      const Breakdown& from = table[static_cast<std::size_t>(p)];
      Breakdown& to = table[static_cast<std::size_t>(q)];
      if (from.total + edge.distance >= to.total) continue;
      to = extend(from, edge);
    }
  }

  for (int i = 1; i <= n; ++i) out[i] = table[static_cast<std::size_t>(i)];
  return 0;
}

}  // namespace

JrDistanceBreakdown RDistMan::extendedBy(const JrDistanceBreakdown& route, const DistJREdge& edge,
                                         int ceiling) {
  JrDistanceBreakdown next = route;
  next.total = boundedDistance(route.total + edge.distance, ceiling);
  switch (edge.kind) {
    case 1:
      next.yamanote = boundedDistance(next.yamanote + edge.distance, ceiling);
      break;
    case 2:
      next.trainZone = boundedDistance(next.trainZone + edge.distance, ceiling);
      break;
    case 3:
      next.trunk = boundedDistance(next.trunk + edge.distance, ceiling);
      break;
    default:
      next.localBusiness = boundedDistance(next.localBusiness + edge.distance, ceiling);
      next.localFare = boundedDistance(next.localFare + edge.fareDistance, ceiling);
      break;
  }
  return next;
}

int RDistMan::jrDistances(StationNo start, int n, JrDistanceBreakdown* out) const {
  return searchNetwork(
      staMan_, 0, start, n, jrEdges_, [&](StationNo s) { return edgeRange(0, s, getJrEdgeCount()); },
      [](const JrDistanceBreakdown& route, const DistJREdge& edge) {
        return extendedBy(route, edge, kUnreachedDistance);
      },
      out);
}

int RDistMan::privateDistances(StationNo start, int n, NetworkCode network, PrDistanceBreakdown* out) const {
  return searchNetwork(
      staMan_, network, start, n, prEdges_,
      [&](StationNo s) { return edgeRange(network, s, getPrEdgeCount()); }, privateExtendedBy, out);
}

int RDistMan::allDistances(StationNo start, int n, Distance* out) const {
  constexpr int kMaxLinks = 5;
  if (n < 0) n = 0;
  const auto size = static_cast<std::size_t>(n) + 1;
  std::vector<Distance> dist(size, kUnreachedDistance);
  std::vector<char> settled(size, 0);
  // A start station outside 1..n is unknown: everything stays unreached.
  if (start >= 1 && start <= n) dist[static_cast<std::size_t>(start)] = 0;
  // Follows the edges numbered in `range`, which leave a station at distance `here`.
  auto relaxEdges = [&](const auto& edges, EdgeRange range, int here) {
    for (int e = range.first; e <= range.last; ++e) {
      const auto& edge = edges[static_cast<std::size_t>(e - 1)];
      if (edge.to < 1 || edge.to > n) continue;
      const int candidate = here + edge.distance;
      Distance& to = dist[static_cast<std::size_t>(edge.to)];
      if (candidate < to) to = boundedDistance(candidate);
    }
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
        relaxEdges(jrEdges_, edgeRange(0, station, getJrEdgeCount()), here);
      } else {
        relaxEdges(prEdges_, edgeRange(network, station, getPrEdgeCount()), here);
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
