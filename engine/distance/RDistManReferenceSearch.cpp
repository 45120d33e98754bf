// The shortest-distance searches done the plain way. Each is a Dijkstra
// search that picks the next station by scanning every slot in ascending
// order; among equal distances the highest slot is picked, and only a
// strictly shorter route replaces the one a station already has, so the
// route found first keeps its split over line kinds or zones (and with it
// the fare). Every edge and position is looked up by scanning the index and
// the station lists.

#include <algorithm>
#include <limits>
#include <vector>

#include "distance/RDistMan.h"
#include "distance/RDistManSteps.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RStaMan.h"

namespace kiv {

namespace {

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

int RDistMan::jrDistancesReference(StationNo start, int n, JrDistanceBreakdown* out) const {
  return searchNetwork(
      staMan_, 0, start, n, jrEdges_, [&](StationNo s) { return edgeRange(0, s, getJrEdgeCount()); },
      [](const JrDistanceBreakdown& route, const DistJREdge& edge) { return jrExtendedBy(route, edge); },
      out);
}

int RDistMan::privateDistancesReference(StationNo start, int n, NetworkCode network,
                                        PrDistanceBreakdown* out) const {
  return searchNetwork(
      staMan_, network, start, n, prEdges_,
      [&](StationNo s) { return edgeRange(network, s, getPrEdgeCount()); }, privateExtendedBy, out);
}

int RDistMan::allDistancesReference(StationNo start, int n, Distance* out) const {
  if (n < 0) n = 0;
  const auto size = static_cast<std::size_t>(n) + 1;
  std::vector<Distance> dist(size, kUnreachedDistance);
  std::vector<char> settled(size, 0);
  // A start station outside 1..n is unknown: everything stays unreached.
  if (start >= 1 && start <= n) dist[static_cast<std::size_t>(start)] = 0;

  StationLinks links;
  for (int round = 0; round < n; ++round) {
    const int s = pickNext(n, settled, [&](int i) { return dist[static_cast<std::size_t>(i)]; });
    if (s < 0) break;
    settled[static_cast<std::size_t>(s)] = 1;
    const int here = dist[static_cast<std::size_t>(s)];
    if (here == kUnreachedDistance) continue;

    collectStationLinks(static_cast<StationNo>(s), nullptr, links);
    for (const auto& [to, distance] : links.edges) {
      if (to < 1 || to > n) continue;
      const int candidate = here + distance;
      Distance& reached = dist[static_cast<std::size_t>(to)];
      if (candidate < reached) reached = boundedDistance(candidate);
    }
    // Linked stations count as one place: a link costs nothing.
    for (const StationNo t : links.linked) {
      if (t < 1 || t > n) continue;
      if (dist[static_cast<std::size_t>(t)] > here)
        dist[static_cast<std::size_t>(t)] = static_cast<Distance>(here);
    }
  }

  std::copy(dist.begin() + 1, dist.end(), out + 1);
  return 0;
}

void RDistMan::collectStationLinks(StationNo s, const EdgeIndex* index, StationLinks& out) const {
  constexpr int kMaxLinks = 5;
  out.edges.clear();
  out.linked.clear();
  auto rangeOf = [&](NetworkCode network, int edgeCount) {
    return index ? index->find(network, s, edgeCount) : edgeRange(network, s, edgeCount);
  };
  const int codes = staFare_.getNetworkCount(s);
  for (int j = 0; j < codes; ++j) {
    const int code = staFare_.getNetworkAt(s, j);
    if (code < 0) continue;
    const auto network = static_cast<NetworkCode>(code);
    if (network == 0) {
      const EdgeRange range = rangeOf(0, getJrEdgeCount());
      for (int e = range.first; e <= range.last; ++e) {
        const DistJREdge& edge = jrEdges_[static_cast<std::size_t>(e - 1)];
        out.edges.emplace_back(edge.to, edge.distance);
      }
    } else {
      const EdgeRange range = rangeOf(network, getPrEdgeCount());
      for (int e = range.first; e <= range.last; ++e) {
        const DistPREdge& edge = prEdges_[static_cast<std::size_t>(e - 1)];
        out.edges.emplace_back(edge.to, edge.distance);
      }
    }
  }
  StationNo linked[kMaxLinks] = {};
  const int count = std::clamp(fareMan_.linkedStations(s, kMaxLinks, linked), 0, kMaxLinks);
  out.linked.assign(linked, linked + count);
}

}  // namespace kiv
